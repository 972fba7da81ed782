#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/tree_nodes.h"
#include "views/dependency_filter.h"
#include "views/object_filter_settings.h"

namespace tarnwick {

class ProjectModel;

/// Which of the four move buttons between the type lists can be pressed.
struct TypeListButtons {
  bool Include = false;     // ">"
  bool IncludeAll = false;  // ">>"
  bool Exclude = false;     // "<"
  bool ExcludeAll = false;  // "<<"
};

/// The object page's state without a window: the filtered copy of the object tree, which tree is
/// current, the page caption, the type lists ("Show Objects:", "Suppress Objects:"), the filter's
/// options with the property exclusions, and the property memo of the selected node. The full tree
/// lives in the `ProjectModel`.
///
/// Both type lists stay sorted without regard to letter case and a type moves between them only
/// through the operations below, which are those of the dialog's buttons; a selection is given as
/// the row numbers selected in the source list, and the row to select there afterwards is returned
/// (-1 when the list is empty).
class ObjectFilter {
 public:
  std::vector<std::string> ShowList;
  std::vector<std::string> SuppressList;
  ObjectForest FilteredTree;
  CurrentTree CurObjectTreeView = CurrentTree::None;
  std::string Caption = "Objects";
  std::vector<std::string> PropertyMemo;
  ObjectFilterOptions Options;

  /// ">" and a double click on "Suppress Objects:": moves the selected rows to "Show Objects:".
  int IncludeBtnClick(const std::vector<size_t>& selectedRows);
  /// "<" and a double click on "Show Objects:": moves the selected rows to "Suppress Objects:".
  int ExcludeBtnClick(const std::vector<size_t>& selectedRows);
  /// ">>": every type to "Show Objects:".
  void IncAllBtnClick();
  /// "<<": every type to "Suppress Objects:".
  void ExAllBtnClick();
  /// The enabled states of the move buttons for the lists' current contents.
  TypeListButtons SetButtons() const;

  /// Makes `types` the whole of "Show Objects:": each leaves "Suppress Objects:", and the types
  /// shown so far that are not among them go there instead (all compared without regard to case).
  /// The filtered tree is rebuilt only by the next `ShowFilteredObjects`.
  void ReplaceObjectShowList(std::vector<std::string> types);

  /// Empties the filtered tree, the memo and both type lists; options and exclusions stay.
  void ResetObjectViews();
};

/// The object type of a node's label: the text after its first ":" (the whole label when it has
/// none) without blanks and tabs at either end.
std::string_view ObjectTypeOf(std::string_view label);

/// Builds the filtered tree from the model's full object tree: copies it, keeps the objects whose
/// types are shown (with their ancestors, and with their children or all their descendants as the
/// options say), drops the excluded property lines when that option is on, makes the filtered tree
/// current with the caption "Filtered Objects" and shows the properties of its first root.
void ShowFilteredObjects(const ProjectModel& model, ObjectFilter& filter);

/// Makes the full tree current, with the caption "All Objects".
void ShowAllObjects(ObjectFilter& filter);

/// The selection handler of both object trees: the memo shows the node's property lines, or
/// nothing when there is no node.
void CurObjectTreeViewChange(ObjectFilter& filter, const ObjectNode* node);

/// Removes, from the property lines of every node of `tree`, the lines of the properties excluded
/// for the node's type, each together with the lines after it that hold no "=".
void ApplyPropertyExclusions(ObjectForest& tree, const PropertyExclusionList& exclusions);

/// Appends the object types of the tree to "Show Objects:": the type of every root unchecked, then
/// every node's type, depth first, unless the list holds it already (ignoring case); the list is
/// then brought into its sorted order.
void FillObjectTypeList(const ObjectForest& tree, ObjectFilter& filter);

}  // namespace tarnwick
