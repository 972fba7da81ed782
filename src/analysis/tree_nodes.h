#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tarnwick {

/// A node of the unit dependency tree. Children are owned; `Parent` points back (none for a root).
/// `Row` is the node's place among its siblings, so a view finds a node's row without a search.
struct DependencyNode {
  std::string Label;
  DependencyNode* Parent = nullptr;
  std::vector<std::unique_ptr<DependencyNode>> Children;
  bool Keep = false;  // working mark of the dependency filter
  uint32_t Row = 0;   // sits in the padding after `Keep`, so the node does not grow

  DependencyNode* AddChild(std::string label);
};
using DependencyForest = std::vector<std::unique_ptr<DependencyNode>>;

/// The data of one form object: its property lines in file order and the filter's working mark.
struct TObjectDataRec {
  bool Keep = false;
  std::vector<std::string> Properties;
};

/// A node of the form object tree: a form (root) or a component inside it. Owns its data record;
/// `Row` is its place among its siblings.
struct ObjectNode {
  std::string Label;
  ObjectNode* Parent = nullptr;
  std::vector<std::unique_ptr<ObjectNode>> Children;
  std::unique_ptr<TObjectDataRec> Data = std::make_unique<TObjectDataRec>();
  uint32_t Row = 0;

  ObjectNode* AddChild(std::string label);
};
using ObjectForest = std::vector<std::unique_ptr<ObjectNode>>;

/// Appends a root to a forest and gives it.
DependencyNode* AddRoot(DependencyForest& forest, std::string label);
ObjectNode* AddRoot(ObjectForest& forest, std::string label);

/// Gives each node of one level its place again after the level was sorted or thinned out; nodes
/// appended by `AddChild` and `AddRoot` get theirs as they are added.
template <typename Node>
void NumberRows(std::vector<std::unique_ptr<Node>>& siblings) {
  for (size_t row = 0; row < siblings.size(); ++row) siblings[row]->Row = static_cast<uint32_t>(row);
}

/// Counts the nodes of a forest.
size_t CountNodes(const DependencyForest& forest);
size_t CountNodes(const ObjectForest& forest);

}  // namespace tarnwick
