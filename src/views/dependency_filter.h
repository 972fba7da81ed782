#pragma once

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "analysis/tree_nodes.h"

namespace tarnwick {

class ProjectModel;

/// Which of a page's two trees is shown, expanded and printed.
enum class CurrentTree { None, All, Filtered };

/// The dependency page's state without a window: the filtered copy of the dependency tree, which
/// tree is current, the page caption, and the filter's two lists ("Show List:" and the sorted
/// "Available  List:"). The full tree itself lives in the `ProjectModel`.
class DependencyFilter {
 public:
  std::vector<std::string> ShowList;     // in arrival order
  std::vector<std::string> SuppressList;  // sorted without regard to case
  DependencyForest FilteredTree;
  CurrentTree CurDependencyTreeView = CurrentTree::None;
  std::string Caption = "Dependencies";

  /// Offers a unit that is no file of the project to "Available  List:": ignored when it names a
  /// project unit or is listed already (both without regard to case).
  void AddAvailableUnit(const ProjectModel& model, std::string_view name);
  /// Appends a name to "Show List:" unchecked.
  void AppendShown(std::string name) { ShowList.push_back(std::move(name)); }
  /// Empties the filtered tree and both lists; caption and current tree stay.
  void ResetDependencyViews();

 private:
  std::unordered_set<std::string> suppressedLower_;
};

}  // namespace tarnwick
