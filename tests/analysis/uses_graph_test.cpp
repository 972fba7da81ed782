#include "analysis/uses_graph.h"

#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/case_file.h"
#include "analysis/project_model.h"
#include "support/temp_folder.h"

namespace tarnwick {
namespace {

using Names = std::vector<std::string>;

// A graph of `units` units A, B, C, ... from edges written "AB" (interface) or "Ab"
// (implementation: the target in lower case), split by blanks.
UsesGraph GraphOf(int units, const std::string& edges) {
  UsesGraph graph;
  for (int i = 0; i < units; ++i) graph.Units.push_back(std::string(1, static_cast<char>('A' + i)));
  std::istringstream words(edges);
  for (std::string edge; words >> edge;) {
    const bool implementation = edge[1] >= 'a';
    graph.Edges.push_back({static_cast<size_t>(edge[0] - 'A'),
                           static_cast<size_t>(edge[1] - (implementation ? 'a' : 'A')),
                           implementation ? UsesSection::Implementation : UsesSection::Interface});
  }
  graph.Cycles = FindCycleGroups(graph);
  return graph;
}

TEST(CycleGroupsTest, StronglyConnectedGroupsWithOneShortestCycleEach) {
  for (const testing::TestCase& c : testing::ReadCaseFile("analysis/cycle_groups.cases")) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(CycleGroupRows(GraphOf(std::stoi(c.Value("units")), c.Value("edges"))), c.Values("row"));
  }
}

TEST(CycleGroupsTest, LongChainsAndRingsNeedNoRecursion) {
  const int count = 50000;
  UsesGraph graph;
  for (int i = 0; i < count; ++i) {
    graph.Units.push_back("U" + std::to_string(i));
    graph.Edges.push_back({static_cast<size_t>(i), static_cast<size_t>((i + 1) % count), UsesSection::Interface});
  }
  std::vector<CycleGroup> groups = FindCycleGroups(graph);
  ASSERT_EQ(groups.size(), 1u);
  EXPECT_EQ(groups[0].Units.size(), static_cast<size_t>(count));
  EXPECT_EQ(groups[0].Cycle.size(), static_cast<size_t>(count));
  graph.Edges.pop_back();  // the ring becomes a chain
  EXPECT_TRUE(FindCycleGroups(graph).empty());
}

TEST(BuildUsesGraphTest, EdgesKnowTheirSectionAndOutsideUnitsStandApart) {
  testing::TempFolder folder;
  ProjectModel model;
  model.ProjectFolder = folder.Path();
  model.AddUnit({"Project1.dpr", "", ""});
  model.AddUnit({"Main", "MainForm", ""});
  model.AddUnit({"Helper", "", "Sub\\"});
  model.AddUnit({"Gone", "", ""});
  folder.Write("Project1.dpr", "program Project1; uses Forms, Main in 'Main.pas' {MainForm}; begin end.");
  folder.Write("Main.pas",
               "unit Main; interface uses SysUtils, HELPER, Gone; { implementation } "
               "implementation uses sysutils, Helper, Main; end.");
  folder.Write("Sub/Helper.pas", "unit Helper; interface implementation uses Classes, Main; end.");
  const UsesGraph graph = BuildUsesGraph(model);

  EXPECT_EQ(graph.Units, (Names{"Gone", "Helper", "Main", "Project1.dpr"}));
  EXPECT_EQ(graph.OutsideUnits, (Names{"Classes", "SysUtils", "Forms"}));
  Names edges;
  for (const UsesEdge& edge : graph.Edges)
    edges.push_back(graph.Units[edge.From] + (edge.Section == UsesSection::Implementation ? " -impl-> " : " -> ") +
                    graph.Units[edge.To]);
  // The second use of Helper by Main is dropped; the comment does not change the section.
  EXPECT_EQ(edges, (Names{"Helper -impl-> Main", "Main -> Helper", "Main -> Gone", "Main -impl-> Main",
                          "Project1.dpr -> Main"}));
  EXPECT_EQ(CycleGroupRows(graph), (Names{"Helper, Main: Helper -impl-> Main -> Helper"}));
}

}  // namespace
}  // namespace tarnwick
