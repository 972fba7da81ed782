#pragma once

#include <QTreeView>
#include <cstddef>
#include <string_view>

#include "platform/user_interface.h"

namespace tarnwick {

/// What an expansion did: whether every node is expanded, how many levels were, and how many rows
/// the tree shows afterwards.
struct Expansion {
  bool Complete = true;
  int Levels = 0;
  size_t Rows = 0;
};

/// A tree view of the tree pages: no header, rows of one height (so scrolling and painting cost the
/// same on trees of any size), and expansion of the whole tree in one pass over it.
class NodeTreeView final : public QTreeView {
  Q_OBJECT
 public:
  /// The most rows an expansion shows. Expanding costs about a second and a half per million rows
  /// and memory for each, so a larger tree is expanded only as many levels as fit.
  static constexpr size_t kRowBudget = 1'600'000;

  NodeTreeView(const char* name, QWidget* parent = nullptr);

  /// Expands every node, level by level while the rows shown stay within `rowBudget`, then makes
  /// the node that was first visible the first one again, so the view does not scroll.
  Expansion ExpandAllKeepingTop(size_t rowBudget = kRowBudget);
  /// Collapses every node at every level.
  void CollapseAll() { collapseAll(); }
  /// Selects the first root, if there is one, without expanding it.
  void SelectFirstRoot();
  /// The node shown in the top row of the view; invalid when the view is empty.
  QModelIndex FirstVisible() const { return indexAt(QPoint(0, 0)); }
};

/// Expands the view's whole tree as `ExpandAllKeepingTop` does, with the busy indicator and the busy
/// cursor on meanwhile. When the tree was too large to expand fully, the status text says so,
/// after `statusPrefix`, naming the tree `what`.
Expansion ExpandTree(NodeTreeView& view, ProgressSink& progress, std::string_view what,
                     std::string_view statusPrefix = {});

}  // namespace tarnwick
