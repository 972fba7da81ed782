#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/tree_nodes.h"
#include "analysis/unit_list_sink.h"

namespace tarnwick {

class ProjectModel;

/// Which of a page's two trees is shown, expanded and printed.
enum class CurrentTree { None, All, Filtered };

/// One of the two lists of the dependency filter dialog.
enum class FilterSide { Suppress, Show };

/// The dialog state of one filter list: a selection flag for each name, by index, and whether the
/// list has the keyboard focus. The names stay in the filter's plain vectors; the flags are fitted
/// to the list's length before every use, so lists filled while the dialog is closed need no care.
struct FilterListModel {
  std::vector<bool> Selected;
  bool Focused = false;
};

/// The dependency page's state without a window: the filtered copy of the dependency tree, which
/// tree is current, the page caption, and the filter's two lists ("Show List:" and the sorted
/// "Available  List:") with the dialog's selections and button states. The full tree itself
/// lives in the `ProjectModel`.
class DependencyFilter final : public UnitListSink {
 public:
  std::vector<std::string> ShowList;      // in arrival order
  std::vector<std::string> SuppressList;  // sorted without regard to case
  DependencyForest FilteredTree;
  CurrentTree CurDependencyTreeView = CurrentTree::None;
  std::string Caption = "Dependencies";

  FilterListModel SuppressListModel;
  FilterListModel ShowListModel;
  bool IncludeBtnEnabled = true;   // ">"
  bool IncAllBtnEnabled = true;    // ">>"
  bool ExcludeBtnEnabled = false;  // "<"
  bool ExAllBtnEnabled = false;    // "<<"

  /// Offers a unit that is no file of the project to "Available  List:": ignored when it names a
  /// project unit or is listed already (both without regard to case), else put at its sorted place.
  void AddAvailableUnit(const ProjectModel& model, std::string_view name) override;
  /// The same for many names, merged into the sorted list in one pass.
  void AddAvailableUnits(const ProjectModel& model, std::vector<std::string> names) override;
  /// Appends a name to "Show List:" unchecked.
  void AppendShown(std::string name) override;
  /// Makes `names` the whole "Show List:" (a name repeated without regard to case counts once)
  /// and takes each of them out of "Available  List:"; the names shown so far that are not among
  /// them go to "Available  List:" instead, as if the user had moved them there.
  void ReplaceShowList(std::vector<std::string> names);
  /// The same, then filters `fullTree` with the new list.
  void ReplaceShowList(std::vector<std::string> names, const DependencyForest& fullTree);
  /// Empties the filtered tree and both lists; caption and current tree stay.
  void ResetDependencyViews();

  /// Builds the filtered tree from `fullTree`: every path from a root down to a node whose name is
  /// in "Show List:", and nothing else. Makes it current under the caption "Filtered Depdencies".
  void ShowFilteredDependencies(const DependencyForest& fullTree);
  /// Makes the full tree current under the caption "All Dependencies".
  void ShowAllDependencies();

  /// Clears both lists' selections and focus and sets the buttons from the lists, for a dialog
  /// that is about to be shown.
  void BeginFilterDialog();
  void SetSelected(FilterSide side, size_t index, bool selected = true);
  bool IsSelected(FilterSide side, size_t index) const;
  /// The index of the first selected name from the top, or -1.
  int GetFirstSelection(FilterSide side);
  /// Moves the selected names, walking the source from its last name to its first. "Show List:"
  /// receives them at its end, "Available  List:" at their sorted places; they arrive unselected.
  void MoveSelected(FilterSide source, FilterSide destination);
  /// Focuses a list and selects the name at `index`, or at the nearest end when `index` is -1 or
  /// beyond the last name; then `SetButtons`.
  void SetItem(FilterSide side, int index);
  /// ">" and ">>" are enabled exactly when "Available  List:" has names, "<" and "<<" when
  /// "Show List:" has.
  void SetButtons();
  void IncludeBtnClick();  // ">"
  void IncAllBtnClick();   // ">>"
  void ExcludeBtnClick();  // "<"
  void ExcAllBtnClick();   // "<<"

 private:
  std::vector<std::string>& Names(FilterSide side) {
    return side == FilterSide::Show ? ShowList : SuppressList;
  }
  /// The side's flags, fitted to its names first.
  FilterListModel& Fitted(FilterSide side);
  /// Puts a name into "Available  List:" at its sorted place unless it is listed already.
  void InsertAvailable(std::string name);
  /// Puts a name into a list the way that list takes names, unselected.
  void Receive(FilterSide side, std::string name);
};

}  // namespace tarnwick
