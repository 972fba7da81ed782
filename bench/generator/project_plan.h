#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarnwick {

class RandomSource;

/// How densely the units of a generated project use each other.
enum class GraphShape {
  /// Shaped like a real application: layers of basic units, services and data modules, frames
  /// and forms; each unit uses about five project units, nearly all of a lower layer or earlier
  /// in its own, so the interface uses never form a circle; some implementation uses go back up
  /// (to the main form, or to the form that opens a dialog) and close circles.
  RealLike,
  /// Every unit uses many earlier units: the dependency tree, which repeats a unit under every
  /// path that reaches it, grows to hundreds of millions of nodes.
  Dense,
};

/// The role of a unit in the project, which decides its form, folder and code.
enum class UnitKind { Basic, Service, DataModule, Frame, Form, Main };

/// One unit of a planned project.
struct UnitPlan {
  std::string Name;           // as the unit declares itself, possibly dotted
  UnitKind Kind = UnitKind::Basic;
  std::string Noun;           // the business word the unit is about
  std::string WrittenFolder;  // the folder as the project file writes it: "", "Lib\Core\", "..\Common\"
  std::string DiskFolder;     // the folder on disk below the output folder, "/"-separated, ending in "/"
  std::string FormName;       // empty for a unit without a form
  std::string FormClass;      // "T" + FormName
  std::string BaseClass;      // TForm, TFrame, TDataModule or the class of the base dialog
  bool TextForm = false;      // the form file is stored as text
  std::vector<int> InterfaceUses;       // project units (indexes), each lower than the unit's own
  std::vector<int> ImplementationUses;  // project units, lower or higher
  std::vector<std::string> InterfaceOutside;
  std::vector<std::string> ImplementationOutside;
  std::vector<int> Frames;    // frame units whose frames the form embeds (all in InterfaceUses)
};

/// The whole plan of a generated project. Units are ordered from the most basic to the main
/// form's unit, which comes last; the project file lists the main unit first.
struct ProjectPlan {
  std::string Name;   // the program's name, also the project file's and folder's name
  std::string Title;
  std::vector<UnitPlan> Units;
  int BaseDialog = -1;               // the form other dialogs inherit from, -1 when none
  std::vector<std::string> Unused;   // names of the unused sources in the project folder

  int MainUnit() const { return static_cast<int>(Units.size()) - 1; }
};

/// What the planner needs to know.
struct PlanOptions {
  int Units = 50;
  GraphShape Shape = GraphShape::RealLike;
  int TextFormPercent = 30;
  int UnusedSources = 2;
};

/// Plans a project of `options.Units` units (at least 2) from `random`.
ProjectPlan PlanProject(const PlanOptions& options, RandomSource& random);

/// The number of nodes the dependency tree of `plan` has when circles are cut where a unit uses
/// one that stands above it on its own branch, counting project units only (no outside units
/// and no circular leaves); saturates at `limit`.
double CountTreeUnits(const ProjectPlan& plan, double limit);

/// The number of paths from the main unit that always go to a lower unit: a lower bound of the
/// project units in the dependency tree, computed without walking it.
double CountDownwardPaths(const ProjectPlan& plan);

/// True when the interface uses of `plan` hold no circle.
bool InterfaceUsesAreAcyclic(const ProjectPlan& plan);

}  // namespace tarnwick
