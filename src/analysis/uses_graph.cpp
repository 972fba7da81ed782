#include "analysis/uses_graph.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <unordered_map>
#include <utility>

#include "analysis/dependency_analysis.h"
#include "analysis/project_model.h"
#include "platform/file_system.h"
#include "platform/text_util.h"

namespace tarnwick {

namespace {

constexpr size_t kNone = std::numeric_limits<size_t>::max();

// Adds the edges of one unit's file. `lastFrom` remembers, per target, the last unit that used it,
// so a second use of the same unit by the same file is dropped without a set per unit.
class GraphBuilder {
 public:
  explicit GraphBuilder(const ProjectModel& model) : model_(model) {
    for (const UnitEntry& unit : model.Units()) graph_.Units.push_back(unit.UnitName);
    lastFrom_.assign(graph_.Units.size(), kNone);
  }

  UsesGraph Build() {
    for (size_t unit = 0; unit < graph_.Units.size(); ++unit) AddFile(unit);
    graph_.Cycles = FindCycleGroups(graph_);
    return std::move(graph_);
  }

 private:
  void AddFile(size_t from) {
    std::optional<std::string> text = ReadWholeFile(UnitFileName(model_, graph_.Units[from]));
    if (!text) return;
    TParser parser(std::move(*text));
    parser.ForEachUsesEntry([&](const UsesEntry& entry) { AddEdge(from, entry); });
  }

  void AddEdge(size_t from, const UsesEntry& entry) {
    if (entry.UnitName.empty()) return;
    if (const UnitEntry* row = model_.FindUnitByName(entry.UnitName)) {
      const size_t to = static_cast<size_t>(row - model_.Units().data());
      if (lastFrom_[to] == from) return;
      lastFrom_[to] = from;
      graph_.Edges.push_back({from, to, entry.Section});
      return;
    }
    auto [found, inserted] = outsideIndex_.try_emplace(ToLowerAscii(entry.UnitName), graph_.OutsideUnits.size());
    if (inserted) {
      graph_.OutsideUnits.push_back(entry.UnitName);
      outsideLastFrom_.push_back(kNone);
    }
    if (outsideLastFrom_[found->second] == from) return;
    outsideLastFrom_[found->second] = from;
    graph_.OutsideEdges.push_back({from, found->second, entry.Section});
  }

  const ProjectModel& model_;
  UsesGraph graph_;
  std::vector<size_t> lastFrom_;
  std::unordered_map<std::string, size_t> outsideIndex_;
  std::vector<size_t> outsideLastFrom_;
};

// The edges leaving each unit, as ranges of one array of edge indexes in edge order.
struct Adjacency {
  std::vector<size_t> Begin;  // one more than there are units
  std::vector<size_t> EdgeIds;

  explicit Adjacency(const UsesGraph& graph) : Begin(graph.Units.size() + 1, 0), EdgeIds(graph.Edges.size()) {
    for (const UsesEdge& edge : graph.Edges) ++Begin[edge.From + 1];
    for (size_t i = 1; i < Begin.size(); ++i) Begin[i] += Begin[i - 1];
    std::vector<size_t> next(Begin.begin(), Begin.end() - 1);
    for (size_t id = 0; id < graph.Edges.size(); ++id) EdgeIds[next[graph.Edges[id].From]++] = id;
  }
};

// Tarjan's strongly connected components with an explicit stack of (unit, next edge) frames.
// Gives each unit's component number.
std::vector<size_t> ComponentsOf(const UsesGraph& graph, const Adjacency& adjacency) {
  const size_t count = graph.Units.size();
  std::vector<size_t> index(count, kNone), lowLink(count, 0), component(count, kNone);
  std::vector<size_t> members;
  std::vector<std::pair<size_t, size_t>> frames;
  size_t nextIndex = 0, components = 0;
  for (size_t start = 0; start < count; ++start) {
    if (index[start] != kNone) continue;
    frames.push_back({start, adjacency.Begin[start]});
    index[start] = lowLink[start] = nextIndex++;
    members.push_back(start);
    while (!frames.empty()) {
      auto& [unit, next] = frames.back();
      if (next < adjacency.Begin[unit + 1]) {
        const size_t to = graph.Edges[adjacency.EdgeIds[next++]].To;
        if (index[to] == kNone) {
          index[to] = lowLink[to] = nextIndex++;
          members.push_back(to);
          frames.push_back({to, adjacency.Begin[to]});
        } else if (component[to] == kNone) {
          lowLink[unit] = std::min(lowLink[unit], index[to]);
        }
        continue;
      }
      const size_t done = unit;
      frames.pop_back();
      if (!frames.empty()) lowLink[frames.back().first] = std::min(lowLink[frames.back().first], lowLink[done]);
      if (lowLink[done] != index[done]) continue;
      size_t member = kNone;
      do {
        member = members.back();
        members.pop_back();
        component[member] = components;
      } while (member != done);
      ++components;
    }
  }
  return component;
}

// A shortest circle from `start` back to it inside its component, by a breadth-first search;
// `parentEdge` and `queue` are scratch space whose entries are reset before returning.
std::vector<size_t> ShortestCycle(const UsesGraph& graph, const Adjacency& adjacency,
                                  const std::vector<size_t>& component, size_t start,
                                  std::vector<size_t>& parentEdge) {
  std::vector<size_t> queue{start}, visited{start};
  size_t closing = kNone;
  for (size_t head = 0; head < queue.size() && closing == kNone; ++head) {
    const size_t unit = queue[head];
    for (size_t i = adjacency.Begin[unit]; i < adjacency.Begin[unit + 1]; ++i) {
      const size_t id = adjacency.EdgeIds[i];
      const size_t to = graph.Edges[id].To;
      if (to == start) {
        closing = id;
        break;
      }
      if (component[to] != component[start] || parentEdge[to] != kNone) continue;
      parentEdge[to] = id;
      queue.push_back(to);
      visited.push_back(to);
    }
  }
  std::vector<size_t> cycle;
  for (size_t id = closing; id != kNone; id = parentEdge[graph.Edges[id].From]) {
    cycle.push_back(id);
    if (graph.Edges[id].From == start) break;
  }
  std::reverse(cycle.begin(), cycle.end());
  for (size_t unit : visited) parentEdge[unit] = kNone;
  return cycle;
}

}  // namespace

UsesGraph BuildUsesGraph(const ProjectModel& model) { return GraphBuilder(model).Build(); }

std::vector<CycleGroup> FindCycleGroups(const UsesGraph& graph) {
  const Adjacency adjacency(graph);
  const std::vector<size_t> component = ComponentsOf(graph, adjacency);
  std::vector<size_t> size(graph.Units.size(), 0);
  for (size_t c : component) ++size[c];
  std::vector<bool> selfUse(graph.Units.size(), false);
  for (const UsesEdge& edge : graph.Edges)
    if (edge.From == edge.To) selfUse[edge.From] = true;
  // Units are visited in list order, so each group's units, and the groups by their first unit,
  // come out in list order.
  std::vector<size_t> groupOf(graph.Units.size(), kNone);
  std::vector<CycleGroup> groups;
  for (size_t unit = 0; unit < graph.Units.size(); ++unit) {
    const size_t c = component[unit];
    if (size[c] < 2 && !selfUse[unit]) continue;
    if (groupOf[c] == kNone) {
      groupOf[c] = groups.size();
      groups.emplace_back();
    }
    groups[groupOf[c]].Units.push_back(unit);
  }
  std::vector<size_t> parentEdge(graph.Units.size(), kNone);
  for (CycleGroup& group : groups)
    group.Cycle = ShortestCycle(graph, adjacency, component, group.Units.front(), parentEdge);
  return groups;
}

std::string CycleText(const UsesGraph& graph, const CycleGroup& group) {
  if (group.Cycle.empty()) return std::string();
  std::string text = graph.Units[graph.Edges[group.Cycle.front()].From];
  for (size_t id : group.Cycle) {
    const UsesEdge& edge = graph.Edges[id];
    text += edge.Section == UsesSection::Implementation ? " -impl-> " : " -> ";
    text += graph.Units[edge.To];
  }
  return text;
}

std::string CycleUnitsText(const UsesGraph& graph, const CycleGroup& group) {
  std::string text;
  for (size_t unit : group.Units) {
    if (!text.empty()) text += ", ";
    text += graph.Units[unit];
  }
  return text;
}

std::vector<std::string> CycleGroupRows(const UsesGraph& graph) {
  std::vector<std::string> rows;
  for (const CycleGroup& group : graph.Cycles) rows.push_back(CycleUnitsText(graph, group) + ": " + CycleText(graph, group));
  return rows;
}

}  // namespace tarnwick
