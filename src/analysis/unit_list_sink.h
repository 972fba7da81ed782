#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

class ProjectModel;

/// Receives the unit names that reading a project finds for the dependency filter's two lists,
/// so the readers need not know the filter that keeps them.
class UnitListSink {
 public:
  virtual ~UnitListSink() = default;
  /// Offers a unit that is no file of the project for the list of available units.
  virtual void AddAvailableUnit(const ProjectModel& model, std::string_view name) = 0;
  /// Offers many such units at once, in the order met: the first spelling of a name counts.
  virtual void AddAvailableUnits(const ProjectModel& model, std::vector<std::string> names) = 0;
  /// Appends a project unit (or its form) to the list of shown units.
  virtual void AppendShown(std::string name) = 0;
};

}  // namespace tarnwick
