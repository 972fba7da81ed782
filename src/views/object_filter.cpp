#include "views/object_filter.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "analysis/project_model.h"
#include "platform/text_util.h"

namespace tarnwick {

namespace {

using LowerSet = std::unordered_set<std::string>;

LowerSet LowerCased(const std::vector<std::string>& names) {
  LowerSet set;
  for (const std::string& name : names) set.insert(ToLowerAscii(name));
  return set;
}

void SortTypes(std::vector<std::string>& list) { std::stable_sort(list.begin(), list.end(), NameLess()); }

// The row to select after a move: the given one, or the nearest that exists; -1 for an empty list.
int SetItem(const std::vector<std::string>& list, int index) {
  if (list.empty()) return -1;
  if (index < 0) return 0;
  return std::min(index, static_cast<int>(list.size()) - 1);
}

int GetFirstSelection(const std::vector<std::string>& list, const std::vector<size_t>& selectedRows) {
  int first = -1;
  for (size_t row : selectedRows) {
    if (row < list.size() && (first < 0 || static_cast<int>(row) < first)) first = static_cast<int>(row);
  }
  return first;
}

// Moves the selected rows of `source` to `target`, which then takes its sorted order again.
int MoveSelected(std::vector<std::string>& source, std::vector<std::string>& target,
                 const std::vector<size_t>& selectedRows) {
  const int first = GetFirstSelection(source, selectedRows);
  std::vector<bool> selected(source.size(), false);
  for (size_t row : selectedRows) {
    if (row < source.size()) selected[row] = true;
  }
  std::vector<std::string> rest;
  for (size_t row = 0; row < source.size(); ++row) {
    (selected[row] ? target : rest).push_back(std::move(source[row]));
  }
  source = std::move(rest);
  SortTypes(target);
  return SetItem(source, first);
}

void MoveAll(std::vector<std::string>& source, std::vector<std::string>& target) {
  for (std::string& item : source) target.push_back(std::move(item));
  source.clear();
  SortTypes(target);
}

// Calls `visit` on every node of the forest, each before its children, siblings in order.
template <typename Visit>
void ForEachNode(ObjectForest& forest, Visit visit) {
  std::vector<ObjectNode*> pending;
  for (auto root = forest.rbegin(); root != forest.rend(); ++root) pending.push_back(root->get());
  while (!pending.empty()) {
    ObjectNode* node = pending.back();
    pending.pop_back();
    visit(*node);
    for (auto child = node->Children.rbegin(); child != node->Children.rend(); ++child)
      pending.push_back(child->get());
  }
}

// Every copy gets the same label, a fresh record and its own copy of the property lines.
void CopyObjectTree(const ObjectForest& source, ObjectForest& target) {
  std::vector<std::pair<const ObjectNode*, ObjectNode*>> pending;  // source node, parent of its copy
  for (auto root = source.rbegin(); root != source.rend(); ++root) pending.emplace_back(root->get(), nullptr);
  while (!pending.empty()) {
    auto [node, parent] = pending.back();
    pending.pop_back();
    ObjectNode* copy = parent ? parent->AddChild(node->Label) : AddRoot(target, node->Label);
    if (node->Data) copy->Data->Properties = node->Data->Properties;
    for (auto child = node->Children.rbegin(); child != node->Children.rend(); ++child)
      pending.emplace_back(child->get(), copy);
  }
}

// Keeps the children of `node`, and with `showAll` every node below it.
void MarkChildObjects(ObjectNode& node, bool showChild, bool showAll) {
  if (!showChild && !showAll) return;
  std::vector<ObjectNode*> pending;
  for (const auto& child : node.Children) pending.push_back(child.get());
  while (!pending.empty()) {
    ObjectNode* child = pending.back();
    pending.pop_back();
    child->Data->Keep = true;
    if (!showAll) continue;
    for (const auto& grandChild : child->Children) pending.push_back(grandChild.get());
  }
}

void MarkShownObjects(ObjectForest& tree, const LowerSet& shown, const ObjectFilterOptions& options) {
  ForEachNode(tree, [&](ObjectNode& node) {
    if (!shown.contains(ToLowerAscii(ObjectTypeOf(node.Label)))) return;
    // A kept node's ancestors are all kept already, so the walk up can stop at the first one.
    node.Data->Keep = true;
    for (ObjectNode* up = node.Parent; up != nullptr && !up->Data->Keep; up = up->Parent) up->Data->Keep = true;
    MarkChildObjects(node, options.ShowChild(), options.ShowAllDescendants());
  });
}

void PruneObjectTree(ObjectForest& tree) {
  std::vector<ObjectForest*> levels{&tree};
  while (!levels.empty()) {
    ObjectForest* level = levels.back();
    levels.pop_back();
    std::erase_if(*level, [](const std::unique_ptr<ObjectNode>& node) { return !node->Data->Keep; });
    NumberRows(*level);
    for (const auto& node : *level) levels.push_back(&node->Children);
  }
}

// The lower-cased, trimmed text before the first "="; empty for a line without "=".
std::string PropertyNameOf(const std::string& line) {
  const size_t equals = line.find('=');
  if (equals == std::string::npos) return {};
  return ToLowerAscii(TrimBlanks(std::string_view(line).substr(0, equals)));
}

void RemoveExcludedLines(std::vector<std::string>& lines, const LowerSet& excluded) {
  size_t kept = 0;
  size_t index = 0;
  while (index < lines.size()) {
    if (excluded.contains(PropertyNameOf(lines[index]))) {
      ++index;
      while (index < lines.size() && lines[index].find('=') == std::string::npos) ++index;
      continue;
    }
    if (kept != index) lines[kept] = std::move(lines[index]);
    ++kept;
    ++index;
  }
  lines.resize(kept);
}

}  // namespace

int ObjectFilter::IncludeBtnClick(const std::vector<size_t>& selectedRows) {
  return MoveSelected(SuppressList, ShowList, selectedRows);
}

int ObjectFilter::ExcludeBtnClick(const std::vector<size_t>& selectedRows) {
  return MoveSelected(ShowList, SuppressList, selectedRows);
}

void ObjectFilter::IncAllBtnClick() { MoveAll(SuppressList, ShowList); }

void ObjectFilter::ExAllBtnClick() { MoveAll(ShowList, SuppressList); }

TypeListButtons ObjectFilter::SetButtons() const {
  const bool canInclude = !SuppressList.empty();
  const bool canExclude = !ShowList.empty();
  return {canInclude, canInclude, canExclude, canExclude};
}

void ObjectFilter::ReplaceObjectShowList(std::vector<std::string> types) {
  LowerSet wanted;
  std::vector<std::string> shown;
  for (std::string& type : types) {
    if (wanted.insert(ToLowerAscii(type)).second) shown.push_back(std::move(type));
  }
  std::vector<std::string> suppressed;
  for (std::vector<std::string>* list : {&SuppressList, &ShowList}) {
    for (std::string& type : *list) {
      if (!wanted.contains(ToLowerAscii(type))) suppressed.push_back(std::move(type));
    }
  }
  ShowList = std::move(shown);
  SuppressList = std::move(suppressed);
  SortTypes(ShowList);
  SortTypes(SuppressList);
}

void ObjectFilter::ResetObjectViews() {
  FilteredTree.clear();
  PropertyMemo.clear();
  ShowList.clear();
  SuppressList.clear();
}

std::string_view ObjectTypeOf(std::string_view label) {
  const size_t colon = label.find(':');
  return TrimBlanks(colon == std::string_view::npos ? label : label.substr(colon + 1));
}

void ShowFilteredObjects(const ProjectModel& model, ObjectFilter& filter) {
  filter.Caption = "Filtered Objects";
  filter.CurObjectTreeView = CurrentTree::Filtered;
  filter.FilteredTree.clear();
  CopyObjectTree(model.ObjectTree, filter.FilteredTree);
  MarkShownObjects(filter.FilteredTree, LowerCased(filter.ShowList), filter.Options);
  PruneObjectTree(filter.FilteredTree);
  if (filter.Options.ExcludeProperties()) {
    ApplyPropertyExclusions(filter.FilteredTree, filter.Options.Exclusions());
  }
  // Selecting the first root shows its properties, as the tree view's selection change does.
  CurObjectTreeViewChange(filter, filter.FilteredTree.empty() ? nullptr : filter.FilteredTree.front().get());
}

void ShowAllObjects(ObjectFilter& filter) {
  filter.Caption = "All Objects";
  filter.CurObjectTreeView = CurrentTree::All;
}

void CurObjectTreeViewChange(ObjectFilter& filter, const ObjectNode* node) {
  filter.PropertyMemo.clear();
  if (node != nullptr && node->Data) filter.PropertyMemo = node->Data->Properties;
}

void ApplyPropertyExclusions(ObjectForest& tree, const PropertyExclusionList& exclusions) {
  // The first type of the list that matches decides, as a walk over the list's roots finds it.
  std::unordered_map<std::string, LowerSet> excludedByType;
  for (const ExcludedType& type : exclusions.Types()) {
    excludedByType.try_emplace(ToLowerAscii(type.Type), LowerCased(type.Properties));
  }
  if (excludedByType.empty()) return;
  ForEachNode(tree, [&](ObjectNode& node) {
    auto found = excludedByType.find(ToLowerAscii(ObjectTypeOf(node.Label)));
    if (found != excludedByType.end() && node.Data) RemoveExcludedLines(node.Data->Properties, found->second);
  });
}

void FillObjectTypeList(const ObjectForest& tree, ObjectFilter& filter) {
  std::vector<std::string>& list = filter.ShowList;
  std::unordered_set<std::string> listed;
  for (const std::string& type : list) listed.insert(ToLowerAscii(type));
  for (const auto& root : tree) {
    list.emplace_back(ObjectTypeOf(root->Label));
    listed.insert(ToLowerAscii(list.back()));
  }
  std::vector<const ObjectNode*> pending;
  for (auto root = tree.rbegin(); root != tree.rend(); ++root) pending.push_back(root->get());
  while (!pending.empty()) {
    const ObjectNode* node = pending.back();
    pending.pop_back();
    const std::string_view type = ObjectTypeOf(node->Label);
    if (listed.insert(ToLowerAscii(type)).second) list.emplace_back(type);
    for (auto child = node->Children.rbegin(); child != node->Children.rend(); ++child)
      pending.push_back(child->get());
  }
  std::stable_sort(list.begin(), list.end(), NameLess());
}

}  // namespace tarnwick
