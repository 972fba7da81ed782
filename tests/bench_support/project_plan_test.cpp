// The plan of a generated project: names, layers, folders and the shape of the uses graph.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>

#include "project_plan.h"
#include "random_source.h"
#include "unit_writer.h"
#include "vocabulary.h"

namespace tarnwick {
namespace {

ProjectPlan Plan(int units, uint64_t seed, GraphShape shape = GraphShape::RealLike) {
  RandomSource random(seed);
  return PlanProject({.Units = units, .Shape = shape}, random);
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::vector<int> AllUses(const UnitPlan& unit) {
  std::vector<int> uses = unit.InterfaceUses;
  uses.insert(uses.end(), unit.ImplementationUses.begin(), unit.ImplementationUses.end());
  return uses;
}

TEST(ProjectPlanTest, RandomSourceIsReproducible) {
  RandomSource first(42);
  RandomSource second(42);
  RandomSource other(43);
  bool differs = false;
  for (int i = 0; i < 100; ++i) {
    const uint64_t value = first.Next();
    EXPECT_EQ(value, second.Next());
    differs = differs || value != other.Next();
  }
  EXPECT_TRUE(differs);
  EXPECT_EQ(RandomSource(0).Next(), 0xE220A8397B1DCDAFULL);  // splitmix64's first value for seed 0
  for (int i = 0; i < 1000; ++i) {
    const int value = first.Between(3, 5);
    EXPECT_TRUE(value >= 3 && value <= 5);
  }
}

TEST(ProjectPlanTest, SameSeedGivesTheSamePlan) {
  const ProjectPlan first = Plan(80, 5);
  const ProjectPlan second = Plan(80, 5);
  ASSERT_EQ(first.Units.size(), second.Units.size());
  for (size_t i = 0; i < first.Units.size(); ++i) {
    EXPECT_EQ(first.Units[i].Name, second.Units[i].Name);
    EXPECT_EQ(AllUses(first.Units[i]), AllUses(second.Units[i]));
  }
  const ProjectPlan other = Plan(80, 6);
  size_t sameNames = 0;
  for (size_t i = 0; i < first.Units.size(); ++i) sameNames += first.Units[i].Name == other.Units[i].Name;
  EXPECT_LT(sameNames, first.Units.size() / 2);
}

TEST(ProjectPlanTest, NamesAreUniqueWithoutRegardToCaseAndNoOutsideUnit) {
  const ProjectPlan plan = Plan(300, 9);
  std::set<std::string> names;
  for (std::string_view outside : vocabulary::OutsideUnits()) names.insert(Lower(std::string(outside)));
  for (std::string_view outside : vocabulary::DottedOutsideUnits()) names.insert(Lower(std::string(outside)));
  names.insert(Lower(plan.Name));
  for (const UnitPlan& unit : plan.Units) {
    EXPECT_TRUE(names.insert(Lower(unit.Name)).second) << unit.Name;
    if (!unit.FormName.empty()) {
      EXPECT_TRUE(names.insert(Lower(unit.FormName)).second) << unit.FormName;
    }
  }
  for (const std::string& unused : plan.Unused) EXPECT_TRUE(names.insert(Lower(unused)).second) << unused;
}

TEST(ProjectPlanTest, LayersFoldersAndFormsLookLikeARealProject) {
  const ProjectPlan plan = Plan(200, 3);
  std::map<UnitKind, int> kinds;
  std::set<std::string> folders;
  int dotted = 0;
  int textForms = 0;
  for (const UnitPlan& unit : plan.Units) {
    ++kinds[unit.Kind];
    folders.insert(unit.WrittenFolder);
    dotted += unit.Name.find('.') != std::string::npos;
    textForms += unit.TextForm;
    EXPECT_EQ(unit.FormName.empty(), unit.Kind == UnitKind::Basic || unit.Kind == UnitKind::Service) << unit.Name;
    EXPECT_TRUE(unit.WrittenFolder.empty() || unit.WrittenFolder.ends_with("\\")) << unit.WrittenFolder;
    EXPECT_TRUE(unit.DiskFolder.ends_with("/")) << unit.DiskFolder;
  }
  EXPECT_EQ(kinds[UnitKind::Main], 1);
  EXPECT_EQ(plan.Units.back().Kind, UnitKind::Main);
  for (UnitKind kind : {UnitKind::Basic, UnitKind::Service, UnitKind::DataModule, UnitKind::Frame, UnitKind::Form}) {
    EXPECT_GT(kinds[kind], 3) << static_cast<int>(kind);
  }
  for (const char* folder : {"", "Lib\\Core\\", "..\\Common\\", "Forms\\Dialogs\\", "Data\\", "Frames\\"}) {
    EXPECT_TRUE(folders.count(folder)) << folder;
  }
  EXPECT_GT(dotted, 5);
  EXPECT_GT(textForms, 10);
  EXPECT_GE(plan.BaseDialog, 0);
}

TEST(ProjectPlanTest, InterfaceUsesNeverCloseACircle) {
  for (GraphShape shape : {GraphShape::RealLike, GraphShape::Dense}) {
    for (uint64_t seed = 1; seed <= 5; ++seed) EXPECT_TRUE(InterfaceUsesAreAcyclic(Plan(120, seed, shape)));
  }
  ProjectPlan plan = Plan(20, 1);
  plan.Units[3].InterfaceUses.push_back(10);
  plan.Units[10].InterfaceUses.push_back(7);
  plan.Units[7].InterfaceUses.push_back(3);
  EXPECT_FALSE(InterfaceUsesAreAcyclic(plan));
}

TEST(ProjectPlanTest, EveryUnitIsReachedFromTheMainUnitAndUsedOnce) {
  for (GraphShape shape : {GraphShape::RealLike, GraphShape::Dense}) {
    const ProjectPlan plan = Plan(150, 8, shape);
    std::vector<bool> reached(plan.Units.size(), false);
    std::vector<int> pending{plan.MainUnit()};
    reached[plan.MainUnit()] = true;
    while (!pending.empty()) {
      const int unit = pending.back();
      pending.pop_back();
      std::vector<int> uses = AllUses(plan.Units[unit]);
      std::set<int> distinct(uses.begin(), uses.end());
      EXPECT_EQ(distinct.size(), uses.size()) << plan.Units[unit].Name << " uses a unit twice";
      EXPECT_FALSE(distinct.count(unit)) << plan.Units[unit].Name << " uses itself";
      for (int used : uses) {
        if (!reached[used]) pending.push_back(used);
        reached[used] = true;
      }
    }
    EXPECT_EQ(std::count(reached.begin(), reached.end(), false), 0);
  }
}

TEST(ProjectPlanTest, RealLikeUnitsUseAboutFiveUnitsAndSomeGoBackUp) {
  const ProjectPlan plan = Plan(200, 4);
  size_t uses = 0;
  size_t backUses = 0;
  for (size_t i = 0; i < plan.Units.size(); ++i) {
    uses += AllUses(plan.Units[i]).size();
    for (int used : plan.Units[i].ImplementationUses) backUses += used > static_cast<int>(i);
  }
  const double perUnit = static_cast<double>(uses) / static_cast<double>(plan.Units.size());
  EXPECT_GT(perUnit, 3.5);
  EXPECT_LT(perUnit, 6.5);
  EXPECT_GT(backUses, 5u);
  // The tree repeats units under every path but stays far below the analysis' node budget.
  const double treeUnits = CountTreeUnits(plan, 1e7);
  EXPECT_GT(treeUnits, 2000);
  EXPECT_LT(treeUnits, 100000);
  EXPECT_GE(treeUnits, CountDownwardPaths(plan));
}

TEST(ProjectPlanTest, DenseProjectsHaveHundredsOfMillionsOfTreeNodes) {
  const ProjectPlan plan = Plan(80, 2, GraphShape::Dense);
  EXPECT_GT(CountDownwardPaths(plan), 1e8);
  EXPECT_EQ(CountTreeUnits(plan, 50000), 50000);  // the walk stops at its limit
}

TEST(ProjectPlanTest, TreeCountCutsCirclesOnTheBranchOnly) {
  ProjectPlan plan;
  plan.Units.resize(4);
  // Main (3) uses 2 and 1; 2 uses 1; 1 uses 0 and, in its implementation, 3 and 2.
  plan.Units[3].InterfaceUses = {2, 1};
  plan.Units[2].InterfaceUses = {1};
  plan.Units[1].InterfaceUses = {0};
  plan.Units[1].ImplementationUses = {3, 2};
  // 3 -> 2 -> 1 -> 0    (1's uses of 3 and 2 are cut: both stand above it)
  // 3 -> 1 -> 0, 1 -> 2 (2's use of 1 is cut)
  EXPECT_EQ(CountTreeUnits(plan, 1e9), 7);
  // Going down only, the back use 1 -> 2 is not followed.
  EXPECT_EQ(CountDownwardPaths(plan), 6);
}

TEST(ProjectPlanTest, DialogsInheritTheBaseDialogThroughTheirInterface) {
  const ProjectPlan plan = Plan(200, 12);
  ASSERT_GE(plan.BaseDialog, 0);
  const std::string baseClass = plan.Units[plan.BaseDialog].FormClass;
  int heirs = 0;
  for (const UnitPlan& unit : plan.Units) {
    if (unit.BaseClass != baseClass) continue;
    ++heirs;
    EXPECT_NE(std::find(unit.InterfaceUses.begin(), unit.InterfaceUses.end(), plan.BaseDialog), unit.InterfaceUses.end());
  }
  EXPECT_GT(heirs, 3);
  for (const UnitPlan& unit : plan.Units) {
    for (int frame : unit.Frames) {
      EXPECT_EQ(plan.Units[frame].Kind, UnitKind::Frame);
      EXPECT_NE(std::find(unit.InterfaceUses.begin(), unit.InterfaceUses.end(), frame), unit.InterfaceUses.end());
    }
  }
}

TEST(ProjectPlanTest, UsesClausesSometimesWriteNamesInAnotherCase) {
  RandomSource random(1);
  std::map<std::string, int> spellings;
  for (int i = 0; i < 1000; ++i) ++spellings[WrittenUnitName("CustomerForm", random)];
  EXPECT_EQ(spellings.size(), 3u);
  EXPECT_GT(spellings["CustomerForm"], 800);
  EXPECT_GT(spellings["customerform"], 20);
  EXPECT_GT(spellings["CUSTOMERFORM"], 20);
}

}  // namespace
}  // namespace tarnwick
