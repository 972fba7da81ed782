#pragma once

#include <QWidget>
#include <memory>

#include "analysis/project_model.h"
#include "platform/settings_store.h"
#include "platform/user_interface.h"
#include "views/object_filter.h"
#include "views/qt/node_tree_model.h"
#include "views/qt/node_tree_view.h"

class QGroupBox;
class QPlainTextEdit;

namespace tarnwick {

class TObjectFilterForm;

/// The "Objects" page: the full object tree (`ObjectTreeView`) and the filtered one
/// (`ObjectFilterTreeView`) in the same place, the current one visible, and beside them the
/// group box "Properties" whose memo shows the property lines of the selected object. Trees,
/// current choice, caption and memo lines are the core's (`ProjectModel`, `ObjectFilter`); the page
/// must let go of the trees (`Detach`) before the core changes them.
class ObjectsPage final : public QWidget {
  Q_OBJECT
 public:
  ObjectsPage(ProjectModel& model, ObjectFilter& filter, SettingsStore& store, Prompter& prompter,
              ProgressSink& progress, QWidget* parent = nullptr);

  void Detach();
  /// Shows the trees and the memo the core holds now, the current tree visible, under its caption.
  void ShowTrees();
  /// After an open that analysed the forms: the filtered tree, its first root selected, expanded.
  Expansion ShowOpenedTrees();
  /// The page is entered: the trees take 5/8 of the width, the group box the rest.
  void PageEntered();

  void ExpandAllObjectsItemClick();
  void CollapseAllObjectsItemClick();
  /// Runs the filter dialog: Filter rebuilds the filtered tree, Show All shows the full one, Cancel
  /// changes no tree; the current tree is then expanded whatever the result.
  void FilterObjectsItemClick();

  NodeTreeView* CurrentView() const;
  TObjectFilterForm* FilterForm() const { return filterForm_; }

 signals:
  void CaptionChanged(const QString& caption);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  /// Decodes labels with the open project's code page.
  void FollowCodePage();
  /// The selection handler of both trees: the memo shows the node's property lines.
  void CurObjectTreeViewChange(const QModelIndex& current);
  void ShowMemo();
  /// Puts the trees at `treeWidth` and the group box in the rest of the page.
  void PlaceControls(int treeWidth);

  ProjectModel& model_;
  ObjectFilter& filter_;
  ProgressSink& progress_;
  std::unique_ptr<TextDecoder> decoder_;  // for the open project's code page
  ObjectTreeModel* fullModel_;
  ObjectTreeModel* filteredModel_;
  NodeTreeView* objectTreeView_;
  NodeTreeView* objectFilterTreeView_;
  QGroupBox* propertiesGroupBox_;
  QPlainTextEdit* propertyMemo_;
  TObjectFilterForm* filterForm_;
};

/// Half of a width, the even one of the two nearest whole numbers when the width is odd.
int HalfWidth(int width);

}  // namespace tarnwick
