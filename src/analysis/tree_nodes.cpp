#include "analysis/tree_nodes.h"

namespace tarnwick {

namespace {

template <typename Node>
Node* Append(std::vector<std::unique_ptr<Node>>& list, Node* parent, std::string label) {
  auto node = std::make_unique<Node>();
  node->Label = std::move(label);
  node->Parent = parent;
  node->Row = static_cast<uint32_t>(list.size());
  list.push_back(std::move(node));
  return list.back().get();
}

// Iterative, so a deep tree cannot exhaust the stack.
template <typename Node>
size_t Count(const std::vector<std::unique_ptr<Node>>& forest) {
  size_t count = 0;
  std::vector<const Node*> pending;
  for (const auto& root : forest) pending.push_back(root.get());
  while (!pending.empty()) {
    const Node* node = pending.back();
    pending.pop_back();
    ++count;
    for (const auto& child : node->Children) pending.push_back(child.get());
  }
  return count;
}

}  // namespace

DependencyNode* DependencyNode::AddChild(std::string label) {
  return Append(Children, this, std::move(label));
}

ObjectNode* ObjectNode::AddChild(std::string label) { return Append(Children, this, std::move(label)); }

DependencyNode* AddRoot(DependencyForest& forest, std::string label) {
  return Append<DependencyNode>(forest, nullptr, std::move(label));
}

ObjectNode* AddRoot(ObjectForest& forest, std::string label) {
  return Append<ObjectNode>(forest, nullptr, std::move(label));
}

size_t CountNodes(const DependencyForest& forest) { return Count(forest); }
size_t CountNodes(const ObjectForest& forest) { return Count(forest); }

}  // namespace tarnwick
