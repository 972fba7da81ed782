#include "analysis/dependency_analysis.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "analysis/pascal_parser.h"
#include "platform/file_system.h"
#include "platform/text_util.h"
#include "platform/win_path.h"

namespace tarnwick {

namespace {

struct UnitVisit;

// One entry of a uses clause, resolved against the unit list when its file is scanned. The unit
// list does not change during an analysis, so the resolution holds for every later visit.
struct ResolvedEntry {
  std::string Written;  // the unit name as the clause writes it
  bool ProjectUnit = false;
  bool Offered = false;  // an outside unit already offered to the available list
  uint32_t KeyId = 0;    // project units: the interned lower-case key of the circular test
  std::string CircularLabel;
  UnitVisit* Target = nullptr;  // project units: what a visit of the lower-cased name needs
};

// The uses entries of one file, all clauses in file order.
struct SourceUses {
  std::vector<ResolvedEntry> Entries;
};

// What a visit of one unit name needs, worked out on the first visit.
struct UnitVisit {
  std::string StatusText;
  std::string Label;
  uint32_t LabelId = 0;
  std::string FileName;  // as built from the project's paths, for reading and for the message
  std::string FileKey;   // the file name in lower case
  bool Loaded = false;   // with the cache on: `Uses` holds the file's entries, or null
  std::shared_ptr<SourceUses> Uses;
  // Compact tree: the file's subtree stands at an earlier place. Shared by every name that leads
  // to the file, as the root's name and the lower-cased one do.
  bool* Expanded = nullptr;
};

// Compact tree: a child made for a project unit, expanded or turned into a "see above" leaf when
// its turn comes.
struct PendingUnit {
  DependencyNode* Node;
  UnitVisit* Unit;
};

// A unit node whose entries are being followed. The frames on the stack are the current node and
// all its ancestors, so the tree is built without recursion however deep it grows. The full tree
// follows `Uses` entry by entry; the compact tree makes all children at once and walks `Pending`.
struct Frame {
  DependencyNode* Node;
  std::shared_ptr<SourceUses> Uses;
  size_t Next;
  uint32_t LabelId;
  std::vector<PendingUnit> Pending;
};

constexpr std::string_view kSeeAbove = " (see above)";

/// One run of the dependency analysis over a project model.
///
/// Labels are interned as lower-case ids, and `onPath_` counts how many nodes of the current
/// branch carry each id, so the circular test costs one lookup instead of a walk to the root.
class DependencyAnalyzer {
 public:
  DependencyAnalyzer(ProjectModel& model, UnitListSink& units, UserInterface& ui,
                     const DependencyAnalysisOptions& options)
      : model_(model), unitList_(units), ui_(ui), options_(options) {}

  void Run(const std::string& rootUnitName) {
    UnitVisit& root = UnitFor(rootUnitName);
    if (DependencyNode* node = AddNode(nullptr, root.Label)) Enter(node, root);
    while (!frames_.empty() && !cut_) {
      Frame& frame = frames_.back();
      if (frame.Next == (options_.Compact ? frame.Pending.size() : frame.Uses->Entries.size())) {
        --onPath_[frame.LabelId];
        frames_.pop_back();
      } else if (options_.Compact) {
        ExpandOnce(frame.Pending[frame.Next++]);
      } else {
        // The entry lives in the file's record, which outlasts a push onto the stack.
        ResolvedEntry& entry = frame.Uses->Entries[frame.Next++];
        Follow(frame.Node, frame.LabelId, entry);
      }
    }
    unitList_.AddAvailableUnits(model_, std::move(offered_));
  }

 private:
  void Enter(DependencyNode* node, UnitVisit& unit);
  void Follow(DependencyNode* parent, uint32_t parentLabelId, ResolvedEntry& entry);
  int Circles(const ResolvedEntry& entry, uint32_t parentLabelId) const;
  void OfferOutside(ResolvedEntry& entry);
  void MakeChildren(Frame& frame);
  void ExpandOnce(PendingUnit pending);
  DependencyNode* AddNode(DependencyNode* parent, const std::string& label);
  UnitVisit& UnitFor(const std::string& unitName);
  std::shared_ptr<SourceUses> Load(UnitVisit& unit);
  std::shared_ptr<SourceUses> Scan(const UnitVisit& unit);
  ResolvedEntry Resolve(const UsesEntry& entry);
  uint32_t Intern(std::string lowerLabel);
  int AncestorsCarrying(uint32_t id, uint32_t parentLabelId) const {
    return onPath_[id] - (id == parentLabelId ? 1 : 0);
  }

  ProjectModel& model_;
  UnitListSink& unitList_;
  UserInterface& ui_;
  const DependencyAnalysisOptions& options_;
  // By the name a visit receives; the map keeps its elements in place, so pointers to them last.
  std::unordered_map<std::string, UnitVisit> units_;
  // By the lower-cased file name; null for a file that cannot be read.
  std::unordered_map<std::string, std::shared_ptr<SourceUses>> sources_;
  std::unordered_set<std::string> reportedFiles_;
  std::unordered_map<std::string, bool> expandedFiles_;  // elements stay in place
  std::unordered_map<std::string, uint32_t> labelIds_;
  std::vector<int> onPath_;
  std::vector<Frame> frames_;
  std::vector<std::string> offered_;  // outside units, for the available list at the end
  size_t nodeCount_ = 0;
  uint64_t depthSum_ = 0;
  bool cut_ = false;
};

// Reads the uses of a unit's new node and, when its file can be read, puts the node on the stack
// to follow its entries.
void DependencyAnalyzer::Enter(DependencyNode* node, UnitVisit& unit) {
  ui_.Progress.SetStatusText(unit.StatusText);
  ui_.Progress.Step();
  *unit.Expanded = true;
  std::shared_ptr<SourceUses> uses = Load(unit);
  if (!uses) return;
  node->Children.reserve(uses->Entries.size());
  ++onPath_[unit.LabelId];
  frames_.push_back({node, std::move(uses), 0, unit.LabelId, {}});
  if (options_.Compact) MakeChildren(frames_.back());
}

// One uses entry under `parent`: an outside leaf, circular leaves, or the unit's own subtree.
// A project unit is circular once for every ancestor above `parent` whose label is its key. A
// unit whose own label stands above `parent` is taken as circular too: only a form comment that
// names another form can make the key differ from that label, and the branch would never end.
void DependencyAnalyzer::Follow(DependencyNode* parent, uint32_t parentLabelId, ResolvedEntry& entry) {
  if (!entry.ProjectUnit) {
    if (AddNode(parent, entry.Written) != nullptr) OfferOutside(entry);
    return;
  }
  const int circles = Circles(entry, parentLabelId);
  for (int i = 0; i < circles; ++i) {
    if (AddNode(parent, entry.CircularLabel) == nullptr) return;
  }
  if (circles > 0) return;
  if (DependencyNode* node = AddNode(parent, entry.Target->Label)) Enter(node, *entry.Target);
}

int DependencyAnalyzer::Circles(const ResolvedEntry& entry, uint32_t parentLabelId) const {
  const int circles = AncestorsCarrying(entry.KeyId, parentLabelId);
  return circles == 0 && AncestorsCarrying(entry.Target->LabelId, parentLabelId) > 0 ? 1 : circles;
}

// Offering the same entry again cannot change the list: nothing else edits it meanwhile.
void DependencyAnalyzer::OfferOutside(ResolvedEntry& entry) {
  if (!entry.Offered) offered_.push_back(entry.Written);
  entry.Offered = true;
}

// Compact tree: makes every child of the frame's node in display order, so that the walk over
// `Pending` meets each unit first where the sorted tree shows it first.
void DependencyAnalyzer::MakeChildren(Frame& frame) {
  struct Planned {
    const std::string* Label;
    UnitVisit* Unit;
  };
  std::vector<Planned> planned;
  for (ResolvedEntry& entry : frame.Uses->Entries) {
    if (!entry.ProjectUnit) {
      planned.push_back({&entry.Written, nullptr});
      OfferOutside(entry);
      continue;
    }
    const int circles = Circles(entry, frame.LabelId);
    for (int i = 0; i < circles; ++i) planned.push_back({&entry.CircularLabel, nullptr});
    if (circles == 0) planned.push_back({&entry.Target->Label, entry.Target});
  }
  std::stable_sort(planned.begin(), planned.end(),
                   [](const Planned& a, const Planned& b) { return CompareNames(*a.Label, *b.Label) < 0; });
  for (const Planned& child : planned) {
    DependencyNode* node = AddNode(frame.Node, *child.Label);
    if (node == nullptr) return;
    if (child.Unit != nullptr) frame.Pending.push_back({node, child.Unit});
  }
}

void DependencyAnalyzer::ExpandOnce(PendingUnit pending) {
  if (*pending.Unit->Expanded) {
    pending.Node->Label += kSeeAbove;
  } else {
    Enter(pending.Node, *pending.Unit);
  }
}

// Every node is added below the node of the top frame, so its depth is the number of frames.
DependencyNode* DependencyAnalyzer::AddNode(DependencyNode* parent, const std::string& label) {
  const uint64_t depth = parent != nullptr ? frames_.size() : 0;
  if (nodeCount_ >= options_.NodeBudget || depthSum_ + depth > options_.DepthSumBudget) {
    if (!cut_) {
      std::string deep = nodeCount_ < options_.NodeBudget
                             ? ", their depths adding up to " + std::to_string(depthSum_)
                             : std::string();
      ui_.Messages.Show(MessageKind::Warning,
                        "The dependency tree was cut at " + std::to_string(nodeCount_) + " nodes" + deep +
                            ": the project's units are too densely connected to show every path.");
    }
    cut_ = true;
    return nullptr;
  }
  ++nodeCount_;
  depthSum_ += depth;
  return parent != nullptr ? parent->AddChild(label) : AddRoot(model_.DependencyTree, label);
}

UnitVisit& DependencyAnalyzer::UnitFor(const std::string& unitName) {
  auto [found, inserted] = units_.try_emplace(unitName);
  UnitVisit& unit = found->second;
  if (!inserted) return unit;
  const UnitEntry* row = model_.FindUnitByName(unitName);
  unit.StatusText = "Processing " + unitName;
  unit.Label = row != nullptr && !row->FormName.empty() ? row->FormName : unitName;
  unit.LabelId = Intern(ToLowerAscii(unit.Label));
  unit.FileName = UnitFileName(model_, unitName);
  unit.FileKey = ToLowerAscii(unit.FileName);
  unit.Expanded = &expandedFiles_[unit.FileKey];
  return unit;
}

// With the cache on, a file is scanned at the first visit of any unit name that leads to it.
std::shared_ptr<SourceUses> DependencyAnalyzer::Load(UnitVisit& unit) {
  if (!options_.CacheSources) return Scan(unit);
  if (!unit.Loaded) {
    auto [found, inserted] = sources_.try_emplace(unit.FileKey);
    if (inserted) found->second = Scan(unit);
    unit.Uses = found->second;
    unit.Loaded = true;
  }
  return unit.Uses;
}

// Reads a file and collects the entries of all its uses clauses. A file that cannot be read is
// reported once per analysis, however often its unit is met.
std::shared_ptr<SourceUses> DependencyAnalyzer::Scan(const UnitVisit& unit) {
  std::string error;
  std::optional<std::string> text = ReadTextFile(unit.FileName, &error);
  if (!text) {
    if (reportedFiles_.insert(unit.FileKey).second) {
      const std::string host = ToHostPath(unit.FileName);
      model_.ReportedUnreadable.insert(ToLowerAscii(host));
      ui_.Messages.Show(MessageKind::Error, "Can not open file: \r\r" + host + "\r\r" + error);
    }
    return nullptr;
  }
  auto uses = std::make_shared<SourceUses>();
  TParser parser(std::move(*text));
  parser.ForEachUsesEntry([&](const UsesEntry& entry) { uses->Entries.push_back(Resolve(entry)); });
  return uses;
}

ResolvedEntry DependencyAnalyzer::Resolve(const UsesEntry& entry) {
  ResolvedEntry resolved;
  resolved.Written = entry.UnitName;
  const UnitEntry* row = model_.FindUnitByName(entry.UnitName);
  if (row == nullptr) return resolved;
  resolved.ProjectUnit = true;
  const std::string lowerName = ToLowerAscii(entry.UnitName);
  const std::string& formName = entry.FormName.empty() ? row->FormName : entry.FormName;
  const std::string& label = formName.empty() ? lowerName : formName;
  resolved.KeyId = Intern(ToLowerAscii(label));
  resolved.CircularLabel = label + " (Circular)";
  resolved.Target = &UnitFor(lowerName);
  return resolved;
}

uint32_t DependencyAnalyzer::Intern(std::string lowerLabel) {
  auto [found, inserted] =
      labelIds_.try_emplace(std::move(lowerLabel), static_cast<uint32_t>(labelIds_.size()));
  if (inserted) onPath_.push_back(0);
  return found->second;
}

// A stable sort by label. Short lists, the common case, are sorted in place by insertion, which
// spares the merge sort's buffer for each of the many nodes.
void SortSiblings(DependencyForest& siblings) {
  auto less = [](const std::unique_ptr<DependencyNode>& a, const std::unique_ptr<DependencyNode>& b) {
    return CompareNames(a->Label, b->Label) < 0;
  };
  if (siblings.size() > 32) {
    std::stable_sort(siblings.begin(), siblings.end(), less);
  } else {
    for (size_t i = 1; i < siblings.size(); ++i) {
      std::unique_ptr<DependencyNode> node = std::move(siblings[i]);
      size_t j = i;
      for (; j > 0 && less(node, siblings[j - 1]); --j) siblings[j] = std::move(siblings[j - 1]);
      siblings[j] = std::move(node);
    }
  }
  NumberRows(siblings);
}

}  // namespace

std::string UnitFileName(const ProjectModel& model, const std::string& unitName) {
  const UnitEntry* row = model.FindUnitByName(unitName);
  const std::string path = row != nullptr ? row->Path : std::string();
  const std::string file = HasDrivePart(path) ? path + unitName : model.ProjectFolder + path + unitName;
  return AppendExtensionIfMissing(file, ".pas");
}

void AnalyzeDependencies(ProjectModel& model, UnitListSink& units, UserInterface& ui,
                         const DependencyAnalysisOptions& options) {
  model.DependencyTree.clear();
  DependencyAnalyzer analyzer(model, units, ui, options);
  analyzer.Run(model.RootUnitName);
  SortDependencyTree(model.DependencyTree);
}

void SortDependencyTree(DependencyForest& forest) {
  SortSiblings(forest);
  std::vector<DependencyNode*> pending;
  for (const auto& root : forest) pending.push_back(root.get());
  while (!pending.empty()) {
    DependencyNode* node = pending.back();
    pending.pop_back();
    SortSiblings(node->Children);
    for (const auto& child : node->Children) pending.push_back(child.get());
  }
}

void ListUnusedSources(ProjectModel& model) {
  model.UnusedSources.clear();
  for (std::string& name : ListFiles(model.ProjectFolder + "*.pas")) {
    if (!model.ContainsUnit(ChangeFileExt(name, ""))) model.UnusedSources.push_back(std::move(name));
  }
  std::stable_sort(model.UnusedSources.begin(), model.UnusedSources.end(),
                   [](const std::string& a, const std::string& b) { return CompareNoCase(a, b) < 0; });
}

}  // namespace tarnwick
