#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "analysis/pascal_parser.h"

namespace tarnwick {

class ProjectModel;

/// One use of a unit by another, from the uses clause of `Section`.
struct UsesEdge {
  size_t From = 0;
  size_t To = 0;
  UsesSection Section = UsesSection::Interface;
};

/// A set of units that use each other in a circle: two or more units that all reach one another,
/// or one unit that uses itself. `Units` are indexes of `UsesGraph::Units` in list order; `Cycle`
/// indexes `UsesGraph::Edges` and is a shortest circle from the first unit back to it.
struct CycleGroup {
  std::vector<size_t> Units;
  std::vector<size_t> Cycle;
};

/// Who uses whom among the units of a project, from every uses clause of every unit file.
///
/// `Units` are the project's units in list order (the project file's own row included), by the
/// names of the Source list. `Edges` join two project units, `OutsideEdges` a project unit to an
/// entry of `OutsideUnits` (names as first written, one per name in any letter case). A unit
/// that names another twice keeps one edge, the first. `Cycles` are ordered by their first unit.
struct UsesGraph {
  std::vector<std::string> Units;
  std::vector<std::string> OutsideUnits;
  std::vector<UsesEdge> Edges;
  std::vector<UsesEdge> OutsideEdges;
  std::vector<CycleGroup> Cycles;

  void Clear() { *this = UsesGraph(); }
};

/// Reads the uses clauses of every unit file of the project once and builds its graph with the
/// cycle groups. A file that cannot be read gives a unit without edges; the dependency analysis
/// is the one that reports it.
UsesGraph BuildUsesGraph(const ProjectModel& model);

/// The cycle groups of a graph: its strongly connected components with two or more units, and
/// the units that use themselves. Linear in the size of the graph; no recursion.
std::vector<CycleGroup> FindCycleGroups(const UsesGraph& graph);

/// A group's cycle as "A -> B -> A"; an arrow from an implementation section reads "-impl->".
std::string CycleText(const UsesGraph& graph, const CycleGroup& group);
/// A group's units joined by ", ".
std::string CycleUnitsText(const UsesGraph& graph, const CycleGroup& group);

/// One row per cycle group for a list or a terminal: its units, then its cycle after ": ".
std::vector<std::string> CycleGroupRows(const UsesGraph& graph);

}  // namespace tarnwick
