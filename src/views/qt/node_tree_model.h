#pragma once

#include <QAbstractItemModel>
#include <memory>
#include <vector>

#include "analysis/tree_nodes.h"
#include "platform/qt/project_text.h"

namespace tarnwick {

/// A read-only item model of one column over a finished forest of core nodes (`DependencyNode`,
/// `ObjectNode`). Nothing is copied: an index's internal pointer is its node, and the node knows
/// its parent and its row, so every query costs the same on a tree of millions of nodes. The
/// forest belongs to the core and must not change while it is shown: detach it with
/// `SetForest(nullptr)` before the core rebuilds or empties it.
template <typename Node>
class NodeTreeModel final : public QAbstractItemModel {
 public:
  using Forest = std::vector<std::unique_ptr<Node>>;

  explicit NodeTreeModel(QObject* parent = nullptr) : QAbstractItemModel(parent) {}

  void SetForest(const Forest* forest) {
    beginResetModel();
    forest_ = forest;
    endResetModel();
  }
  const Forest* ShownForest() const { return forest_; }
  /// How the labels turn into UTF-8; null takes them as UTF-8 already. Must outlive its use.
  void SetDecoder(const TextDecoder* decoder) { decoder_ = decoder; }

  static const Node* NodeOf(const QModelIndex& index) {
    return static_cast<const Node*>(index.constInternalPointer());
  }
  QModelIndex IndexOf(const Node* node) const {
    return node != nullptr ? createIndex(static_cast<int>(node->Row), 0, node) : QModelIndex();
  }

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override {
    const Forest* level = Level(parent);
    if (level == nullptr || column != 0 || row < 0 || static_cast<size_t>(row) >= level->size()) return {};
    return createIndex(row, 0, (*level)[static_cast<size_t>(row)].get());
  }
  QModelIndex parent(const QModelIndex& child) const override {
    return child.isValid() ? IndexOf(NodeOf(child)->Parent) : QModelIndex();
  }
  int rowCount(const QModelIndex& parent = {}) const override {
    if (parent.column() > 0) return 0;
    const Forest* level = Level(parent);
    return level != nullptr ? static_cast<int>(level->size()) : 0;
  }
  int columnCount(const QModelIndex& = {}) const override { return 1; }
  bool hasChildren(const QModelIndex& parent = {}) const override { return rowCount(parent) > 0; }
  // Leaves say so, which spares the view a question per row when it lays out an expanded tree.
  Qt::ItemFlags flags(const QModelIndex& index) const override {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (NodeOf(index)->Children.empty()) flags |= Qt::ItemNeverHasChildren;
    return flags;
  }
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override {
    if (!index.isValid() || role != Qt::DisplayRole) return {};
    const std::string& label = NodeOf(index)->Label;
    return decoder_ ? DecodedQString(*decoder_, label) : Utf8ToQString(label);
  }

 private:
  const Forest* Level(const QModelIndex& parent) const {
    return parent.isValid() ? &NodeOf(parent)->Children : forest_;
  }

  const Forest* forest_ = nullptr;
  const TextDecoder* decoder_ = nullptr;
};

using DependencyTreeModel = NodeTreeModel<DependencyNode>;
using ObjectTreeModel = NodeTreeModel<ObjectNode>;

}  // namespace tarnwick
