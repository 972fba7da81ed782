#pragma once

// For the desktop program's tests only (it needs Qt): trees as indented text, so a failing
// comparison reads like a diff.

#include <QTreeView>
#include <string>

#include "report/tree_text.h"

namespace tarnwick::testing {

/// The rows a tree view shows, top to bottom, one a line, two blanks of indent per level.
inline std::string ShownRows(const QTreeView& view) {
  std::string text;
  if (view.model() == nullptr) return text;
  for (QModelIndex row = view.model()->index(0, 0); row.isValid(); row = view.indexBelow(row)) {
    int depth = 0;
    for (QModelIndex up = row.parent(); up.isValid(); up = up.parent()) ++depth;
    text += std::string(2 * static_cast<size_t>(depth), ' ') + row.data().toString().toStdString() + "\n";
  }
  return text;
}

/// Every node of a core forest in the same form.
template <typename Forest>
std::string IndentedText(const Forest& forest) {
  std::string text;
  for (const TreeRow& row : TreeRowsOf(forest))
    text += std::string(2 * static_cast<size_t>(row.Level), ' ') + std::string(row.Text) + "\n";
  return text;
}

}  // namespace tarnwick::testing
