#pragma once

#include <QWidget>
#include <memory>

#include "analysis/project_model.h"
#include "platform/user_interface.h"
#include "views/dependency_filter.h"
#include "views/qt/node_tree_model.h"
#include "views/qt/node_tree_view.h"

namespace tarnwick {

class TDependencyFilterForm;

/// The "Dependencies" page: the full tree (`DependencyTreeView`) and the filtered one
/// (`DependencyFilterTreeView`) in the same place, the current one visible, and the commands that
/// act on them. The trees, the current choice and the caption are the core's (`ProjectModel`,
/// `DependencyFilter`); the page shows them and must let go of them (`Detach`) before the core
/// changes them.
class DependenciesPage final : public QWidget {
  Q_OBJECT
 public:
  DependenciesPage(ProjectModel& model, DependencyFilter& filter, ProgressSink& progress,
                   QWidget* parent = nullptr);

  /// Shows no tree, so the core may rebuild or empty both.
  void Detach();
  /// Shows the trees the core holds now, the current one visible, under the core's caption.
  void ShowTrees();
  /// After an open that analysed the dependencies: the filtered tree, its first root selected,
  /// expanded. The status text says when the tree was expanded only partly.
  Expansion ShowOpenedTrees();

  void ExpandAllDependenciesItemClick();
  void CollapseAllDependenciesItemClick();
  /// Runs the filter dialog: Filter rebuilds the filtered tree (collapsed), Show All shows the
  /// full one as it was, Cancel changes nothing.
  void FilterDependenciesItemClick();

  /// The view of the current tree; null before the first tree was built.
  NodeTreeView* CurrentView() const;
  TDependencyFilterForm* FilterForm() const { return filterForm_; }

 signals:
  void CaptionChanged(const QString& caption);

 private:
  /// Decodes labels with the open project's code page.
  void FollowCodePage();
  ProjectModel& model_;
  DependencyFilter& filter_;
  ProgressSink& progress_;
  std::unique_ptr<TextDecoder> decoder_;  // for the open project's code page
  DependencyTreeModel* fullModel_;
  DependencyTreeModel* filteredModel_;
  NodeTreeView* dependencyTreeView_;
  NodeTreeView* dependencyFilterTreeView_;
  TDependencyFilterForm* filterForm_;
};

}  // namespace tarnwick
