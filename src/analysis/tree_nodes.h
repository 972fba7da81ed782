#pragma once

#include <memory>
#include <string>
#include <vector>

namespace tarnwick {

/// A node of the unit dependency tree. Children are owned; `Parent` points back (none for a root).
struct DependencyNode {
  std::string Label;
  DependencyNode* Parent = nullptr;
  std::vector<std::unique_ptr<DependencyNode>> Children;
  bool Keep = false;  // working mark of the dependency filter

  DependencyNode* AddChild(std::string label);
};
using DependencyForest = std::vector<std::unique_ptr<DependencyNode>>;

/// The data of one form object: its property lines in file order and the filter's working mark.
struct TObjectDataRec {
  bool Keep = false;
  std::vector<std::string> Properties;
};

/// A node of the form object tree: a form (root) or a component inside it. Owns its data record.
struct ObjectNode {
  std::string Label;
  ObjectNode* Parent = nullptr;
  std::vector<std::unique_ptr<ObjectNode>> Children;
  std::unique_ptr<TObjectDataRec> Data = std::make_unique<TObjectDataRec>();

  ObjectNode* AddChild(std::string label);
};
using ObjectForest = std::vector<std::unique_ptr<ObjectNode>>;

/// Appends a root to a forest and gives it.
DependencyNode* AddRoot(DependencyForest& forest, std::string label);
ObjectNode* AddRoot(ObjectForest& forest, std::string label);

/// Counts the nodes of a forest.
size_t CountNodes(const DependencyForest& forest);
size_t CountNodes(const ObjectForest& forest);

}  // namespace tarnwick
