#include "views/qt/node_tree_view.h"

#include <string>
#include <vector>

namespace tarnwick {

NodeTreeView::NodeTreeView(const char* name, QWidget* parent) : QTreeView(parent) {
  setObjectName(name);
  setHeaderHidden(true);
  setUniformRowHeights(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
}

// The nodes are marked expanded while a complete layout is pending, so the view lays the tree out
// once at the end instead of inserting rows node by node.
Expansion NodeTreeView::ExpandAllKeepingTop(size_t rowBudget) {
  Expansion result;
  QAbstractItemModel* tree = model();
  if (tree == nullptr) return result;
  const QPersistentModelIndex top = FirstVisible();
  scheduleDelayedItemsLayout();
  result.Rows = static_cast<size_t>(tree->rowCount());
  std::vector<QModelIndex> level;  // the nodes with children of one level
  auto keepParents = [tree](std::vector<QModelIndex>& into, const QModelIndex& parent) {
    for (int row = 0, rows = tree->rowCount(parent); row < rows; ++row) {
      const QModelIndex child = tree->index(row, 0, parent);
      if (tree->hasChildren(child)) into.push_back(child);
    }
  };
  keepParents(level, QModelIndex());
  std::vector<QModelIndex> deeper;
  while (true) {
    size_t added = 0;
    for (const QModelIndex& node : level) added += static_cast<size_t>(tree->rowCount(node));
    if (added == 0) break;
    if (result.Rows + added > rowBudget) {
      result.Complete = false;
      break;
    }
    result.Rows += added;
    ++result.Levels;
    deeper.clear();
    for (const QModelIndex& node : level) {
      expand(node);
      keepParents(deeper, node);
    }
    level.swap(deeper);
  }
  executeDelayedItemsLayout();
  if (top.isValid()) scrollTo(top, QAbstractItemView::PositionAtTop);
  return result;
}

void NodeTreeView::SelectFirstRoot() {
  if (model() == nullptr) return;
  const QModelIndex first = model()->index(0, 0);
  if (first.isValid()) setCurrentIndex(first);
}

Expansion ExpandTree(NodeTreeView& view, ProgressSink& progress, std::string_view what,
                     std::string_view statusPrefix) {
  progress.SetBusyCursor(true);
  progress.Step();
  const Expansion result = view.ExpandAllKeepingTop();
  progress.Reset();
  progress.SetBusyCursor(false);
  if (!result.Complete) {
    progress.SetStatusText(std::string(statusPrefix) + std::string(what) + " expanded partly (" +
                           std::to_string(result.Levels) + " levels, " + std::to_string(result.Rows) +
                           " rows): the tree is too large to expand fully.");
  }
  return result;
}

}  // namespace tarnwick
