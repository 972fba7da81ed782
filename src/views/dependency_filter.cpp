#include "views/dependency_filter.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <unordered_set>
#include <utility>

#include "analysis/project_model.h"
#include "platform/text_util.h"

namespace tarnwick {

namespace {

bool LessNoCase(std::string_view a, std::string_view b) { return CompareNoCase(a, b) < 0; }

// The unit name a node's text stands for: blanks and tabs trimmed, and a circular leaf's text cut
// before "(Circular)", or a compact tree's repeated unit before its closing "(see above)", and
// trimmed again.
std::string_view ShownName(std::string_view text) {
  constexpr std::string_view kSeeAbove = "(see above)";
  text = TrimBlanks(text);
  size_t circular = text.find("(Circular)");
  if (circular != std::string_view::npos) text = TrimBlanks(text.substr(0, circular));
  if (text.ends_with(kSeeAbove)) text = TrimBlanks(text.substr(0, text.size() - kSeeAbove.size()));
  return text;
}

// Copies every path from a root down to a node whose name is shown, keeping shape, labels and
// sibling order, and nothing else: the tree that copying everything, marking each shown node with
// its ancestors and pruning the unmarked would leave, without copying the nodes the prune would
// drop (on a large tree most of them). The source is walked in pre-order without recursion; a node
// is kept when its name is shown or a node below it is kept.
void CopyShownPaths(const DependencyForest& source, const std::vector<std::string>& shown, DependencyForest& copy) {
  std::unordered_set<std::string> shownLower;
  for (const std::string& name : shown) shownLower.insert(ToLowerAscii(name));
  std::vector<const DependencyNode*> order;
  std::vector<int64_t> parentOf;  // place of the parent in `order`, -1 for a root
  std::vector<std::pair<const DependencyNode*, int64_t>> pending;
  for (auto root = source.rbegin(); root != source.rend(); ++root) pending.emplace_back(root->get(), -1);
  while (!pending.empty()) {
    auto [node, parent] = pending.back();
    pending.pop_back();
    const auto place = static_cast<int64_t>(order.size());
    order.push_back(node);
    parentOf.push_back(parent);
    for (auto child = node->Children.rbegin(); child != node->Children.rend(); ++child)
      pending.emplace_back(child->get(), place);
  }
  std::vector<bool> keep(order.size(), false);
  std::string key;
  for (size_t i = order.size(); i-- > 0;) {
    if (!keep[i]) {
      AssignLowerAscii(key, ShownName(order[i]->Label));
      keep[i] = shownLower.count(key) != 0;
    }
    if (keep[i] && parentOf[i] >= 0) keep[static_cast<size_t>(parentOf[i])] = true;
  }
  std::vector<DependencyNode*> copies(order.size(), nullptr);
  for (size_t i = 0; i < order.size(); ++i) {
    if (!keep[i]) continue;
    DependencyNode* parent = parentOf[i] < 0 ? nullptr : copies[static_cast<size_t>(parentOf[i])];
    copies[i] = parent != nullptr ? parent->AddChild(order[i]->Label) : AddRoot(copy, order[i]->Label);
    copies[i]->Keep = true;
  }
}

}  // namespace

void DependencyFilter::AddAvailableUnit(const ProjectModel& model, std::string_view name) {
  if (!model.ContainsUnit(name)) InsertAvailable(std::string(name));
}

void DependencyFilter::AddAvailableUnits(const ProjectModel& model, std::vector<std::string> names) {
  std::unordered_set<std::string> seen;  // lower-cased
  std::vector<std::string> fresh;
  for (std::string& name : names) {
    if (model.ContainsUnit(name) || !seen.insert(ToLowerAscii(name)).second) continue;
    auto place = std::lower_bound(SuppressList.begin(), SuppressList.end(), name, LessNoCase);
    if (place == SuppressList.end() || !EqualsNoCase(*place, name)) fresh.push_back(std::move(name));
  }
  if (fresh.empty()) return;
  std::stable_sort(fresh.begin(), fresh.end(), LessNoCase);
  // A new name goes after the names that sort equal to it, as a single insertion puts it.
  std::vector<bool>& flags = Fitted(FilterSide::Suppress).Selected;
  std::vector<std::string> merged;
  std::vector<bool> mergedFlags;
  merged.reserve(SuppressList.size() + fresh.size());
  mergedFlags.reserve(merged.capacity());
  size_t old = 0;
  for (std::string& name : fresh) {
    for (; old < SuppressList.size() && !LessNoCase(name, SuppressList[old]); ++old) {
      merged.push_back(std::move(SuppressList[old]));
      mergedFlags.push_back(flags[old]);
    }
    merged.push_back(std::move(name));
    mergedFlags.push_back(false);
  }
  for (; old < SuppressList.size(); ++old) {
    merged.push_back(std::move(SuppressList[old]));
    mergedFlags.push_back(flags[old]);
  }
  SuppressList = std::move(merged);
  flags = std::move(mergedFlags);
}

void DependencyFilter::AppendShown(std::string name) { Receive(FilterSide::Show, std::move(name)); }

void DependencyFilter::ReplaceShowList(std::vector<std::string> names) {
  std::unordered_set<std::string> wanted;
  std::vector<std::string> shown;
  for (std::string& name : names) {
    if (wanted.insert(ToLowerAscii(name)).second) shown.push_back(std::move(name));
  }
  auto isWanted = [&](const std::string& name) { return wanted.count(ToLowerAscii(name)) != 0; };
  std::vector<std::string> displaced = std::exchange(ShowList, std::move(shown));
  std::erase_if(SuppressList, isWanted);
  SuppressListModel = {};
  ShowListModel = {};
  for (std::string& name : displaced) {
    if (!isWanted(name)) InsertAvailable(std::move(name));
  }
}

void DependencyFilter::ReplaceShowList(std::vector<std::string> names, const DependencyForest& fullTree) {
  ReplaceShowList(std::move(names));
  ShowFilteredDependencies(fullTree);
}

void DependencyFilter::ResetDependencyViews() {
  ShowList.clear();
  SuppressList.clear();
  SuppressListModel = {};
  ShowListModel = {};
  FilteredTree.clear();
}

void DependencyFilter::ShowFilteredDependencies(const DependencyForest& fullTree) {
  Caption = "Filtered Depdencies";
  CurDependencyTreeView = CurrentTree::Filtered;
  FilteredTree.clear();
  CopyShownPaths(fullTree, ShowList, FilteredTree);
}

void DependencyFilter::ShowAllDependencies() {
  Caption = "All Dependencies";
  CurDependencyTreeView = CurrentTree::All;
}

void DependencyFilter::BeginFilterDialog() {
  SuppressListModel = {};
  ShowListModel = {};
  SetButtons();
}

void DependencyFilter::SetSelected(FilterSide side, size_t index, bool selected) {
  FilterListModel& model = Fitted(side);
  if (index < model.Selected.size()) model.Selected[index] = selected;
}

bool DependencyFilter::IsSelected(FilterSide side, size_t index) const {
  const auto& names = side == FilterSide::Show ? ShowList : SuppressList;
  const auto& flags = (side == FilterSide::Show ? ShowListModel : SuppressListModel).Selected;
  return index < names.size() && index < flags.size() && flags[index];
}

int DependencyFilter::GetFirstSelection(FilterSide side) {
  const std::vector<bool>& flags = Fitted(side).Selected;
  auto first = std::find(flags.begin(), flags.end(), true);
  return first == flags.end() ? -1 : static_cast<int>(first - flags.begin());
}

void DependencyFilter::MoveSelected(FilterSide source, FilterSide destination) {
  std::vector<std::string>& names = Names(source);
  std::vector<bool>& flags = Fitted(source).Selected;
  std::vector<std::string> moving;
  for (size_t i = names.size(); i-- > 0;) {
    if (flags[i]) moving.push_back(std::move(names[i]));
  }
  size_t kept = 0;
  for (size_t i = 0; i < names.size(); ++i) {
    if (flags[i]) continue;
    if (kept != i) names[kept] = std::move(names[i]);
    ++kept;
  }
  names.resize(kept);
  flags.assign(kept, false);
  for (std::string& name : moving) Receive(destination, std::move(name));
}

void DependencyFilter::SetItem(FilterSide side, int index) {
  SuppressListModel.Focused = side == FilterSide::Suppress;
  ShowListModel.Focused = side == FilterSide::Show;
  std::vector<bool>& flags = Fitted(side).Selected;
  const int last = static_cast<int>(flags.size()) - 1;
  if (index < 0) {
    index = 0;
  } else if (index > last) {
    index = last;
  }
  if (index >= 0 && index <= last) flags[static_cast<size_t>(index)] = true;
  SetButtons();
}

void DependencyFilter::SetButtons() {
  IncludeBtnEnabled = IncAllBtnEnabled = !SuppressList.empty();
  ExcludeBtnEnabled = ExAllBtnEnabled = !ShowList.empty();
}

void DependencyFilter::IncludeBtnClick() {
  int first = GetFirstSelection(FilterSide::Suppress);
  MoveSelected(FilterSide::Suppress, FilterSide::Show);
  SetItem(FilterSide::Suppress, first);
}

void DependencyFilter::IncAllBtnClick() {
  std::vector<std::string> moving = std::move(SuppressList);
  SuppressList.clear();
  SuppressListModel.Selected.clear();
  for (std::string& name : moving) Receive(FilterSide::Show, std::move(name));
  SetItem(FilterSide::Suppress, 0);
}

void DependencyFilter::ExcludeBtnClick() {
  int first = GetFirstSelection(FilterSide::Show);
  MoveSelected(FilterSide::Show, FilterSide::Suppress);
  SetItem(FilterSide::Show, first);
}

void DependencyFilter::ExcAllBtnClick() {
  std::vector<std::string> moving = std::move(ShowList);
  ShowList.clear();
  ShowListModel.Selected.clear();
  for (std::string& name : moving) Receive(FilterSide::Suppress, std::move(name));
  SetItem(FilterSide::Show, 0);
}

void DependencyFilter::InsertAvailable(std::string name) {
  auto place = std::lower_bound(SuppressList.begin(), SuppressList.end(), name, LessNoCase);
  if (place == SuppressList.end() || !EqualsNoCase(*place, name))
    Receive(FilterSide::Suppress, std::move(name));
}

FilterListModel& DependencyFilter::Fitted(FilterSide side) {
  FilterListModel& model = side == FilterSide::Show ? ShowListModel : SuppressListModel;
  model.Selected.resize(Names(side).size(), false);
  return model;
}

void DependencyFilter::Receive(FilterSide side, std::string name) {
  std::vector<std::string>& names = Names(side);
  std::vector<bool>& flags = Fitted(side).Selected;
  auto place =
      side == FilterSide::Show ? names.end() : std::upper_bound(names.begin(), names.end(), name, LessNoCase);
  flags.insert(flags.begin() + (place - names.begin()), false);
  names.insert(place, std::move(name));
}

}  // namespace tarnwick
