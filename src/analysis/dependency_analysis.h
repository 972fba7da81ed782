#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "analysis/tree_nodes.h"
#include "analysis/project_model.h"
#include "analysis/unit_list_sink.h"
#include "platform/user_interface.h"

namespace tarnwick {

/// Limits and switches of one dependency analysis.
struct DependencyAnalysisOptions {
  /// The most nodes the tree may hold. Reaching it stops the analysis with one warning, so that a
  /// densely connected project cannot exhaust memory.
  size_t NodeBudget = 2'000'000;
  /// The most the depths of all nodes may add up to (a root has depth 0). What a tree costs to
  /// print grows with each node's depth, so a deep chain is cut as a dense project is, with the
  /// same single warning.
  uint64_t DepthSumBudget = 50'000'000;
  /// Keeps the uses entries of every file for the length of the analysis, so each file is read
  /// once. Only tests and benchmarks turn it off, to compare with reading the file at every visit.
  bool CacheSources = true;
  /// Expands each project unit once, at its first place in display order (children are followed
  /// in their sorted order); every later place is a leaf labelled as the unit + " (see above)".
  bool Compact = false;
};

/// The file a unit's uses clauses are read from: its Source list path, taken from the project
/// folder unless it has a drive part, + the unit name, with ".pas" when it has no extension.
std::string UnitFileName(const ProjectModel& model, const std::string& unitName);

/// Builds the dependency tree of the open project from `Model.RootUnitName` through every uses
/// clause, marking circular references; offers outside units to `units`.
/// The previous tree is replaced, and the new one is sorted on every level with `SortDependencyTree`.
void AnalyzeDependencies(ProjectModel& model, UnitListSink& units, UserInterface& ui,
                         const DependencyAnalysisOptions& options = {});

/// Sorts the children of every node, and the roots, by label with `CompareNames`, keeping the
/// order of equal labels.
void SortDependencyTree(DependencyForest& forest);

/// Lists the ".pas" files of the project folder that are no unit of the project.
void ListUnusedSources(ProjectModel& model);

}  // namespace tarnwick
