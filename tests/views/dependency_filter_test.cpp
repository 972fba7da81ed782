#include "views/dependency_filter.h"

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/project_model.h"
#include "support/case_file.h"
#include "support/tree_text.h"

namespace tarnwick {
namespace {

using Names = std::vector<std::string>;

using testing::Outline;

// The full tree of a project as the open flow leaves it: sorted, with outside units as leaves.
const char* const kFullTree =
    "MainForm[Classes, Form2[MainForm (Circular), SysUtils], unit3[Form2[MainForm (Circular), SysUtils], Windows]]";

class DependencyFilterTest : public ::testing::Test {
 protected:
  DependencyFilterTest() : full_(testing::ParseOutline(kFullTree)) {
    for (const char* name : {"MainForm", "Form2", "unit3"}) filter_.AppendShown(name);
    for (const char* name : {"Windows", "SysUtils", "Classes"}) filter_.AddAvailableUnit(model_, name);
  }
  std::string Filtered() {
    filter_.ShowFilteredDependencies(full_);
    return Outline(filter_.FilteredTree);
  }

  ProjectModel model_;
  DependencyForest full_;
  DependencyFilter filter_;
};

TEST_F(DependencyFilterTest, KeepsEveryPathToAShownNameMatchedWithoutBlanksCaseOrMarks) {
  for (const testing::TestCase& c : testing::ReadCaseFile("views/dependency_paths.cases")) {
    SCOPED_TRACE(c.Name);
    full_ = testing::ParseOutline(c.Value("tree"));
    filter_.ShowList = c.Values("show");
    EXPECT_EQ(Filtered(), c.Value("filtered"));
  }
}

// Many names at once are merged in one pass, the selection kept on the names that were there.
TEST_F(DependencyFilterTest, AvailableListIsSortedWithoutDuplicatesOrProjectUnits) {
  model_.AddUnit({"Unit1", "Form1", ""});
  filter_.SetSelected(FilterSide::Suppress, 1);  // SysUtils
  filter_.AddAvailableUnits(model_, {"zlib", "UNIT1", "sysutils", "ActiveX", "activex", "vcl.forms", "Zlib", "Abc"});
  EXPECT_EQ(filter_.SuppressList, (Names{"Abc", "ActiveX", "Classes", "SysUtils", "vcl.forms", "Windows", "zlib"}));
  EXPECT_EQ(filter_.GetFirstSelection(FilterSide::Suppress), 3) << "SysUtils keeps its selection";

  filter_.ShowFilteredDependencies(full_);
  filter_.ResetDependencyViews();
  EXPECT_TRUE(filter_.ShowList.empty() && filter_.SuppressList.empty() && filter_.FilteredTree.empty());
}

// Moving with a selection goes through the dialog; without one nothing moves.
TEST_F(DependencyFilterTest, IncludeWithoutSelectionMovesNothingAndSelectsTheFirstName) {
  filter_.BeginFilterDialog();
  filter_.IncludeBtnClick();
  EXPECT_EQ(filter_.SuppressList, (Names{"Classes", "SysUtils", "Windows"}));
  EXPECT_EQ(filter_.GetFirstSelection(FilterSide::Suppress), 0);
}

// ">>" appends in the list's order, "<<" sorts.
TEST_F(DependencyFilterTest, MoveAllButtonsAppendOrSortAndSetTheButtons) {
  filter_.IncAllBtnClick();
  EXPECT_EQ(filter_.ShowList, (Names{"MainForm", "Form2", "unit3", "Classes", "SysUtils", "Windows"}));
  EXPECT_FALSE(filter_.IncludeBtnEnabled || filter_.IncAllBtnEnabled);
  filter_.ExcAllBtnClick();
  EXPECT_EQ(filter_.SuppressList, (Names{"Classes", "Form2", "MainForm", "SysUtils", "unit3", "Windows"}));
  EXPECT_FALSE(filter_.ExcludeBtnEnabled || filter_.ExAllBtnEnabled);
}

TEST_F(DependencyFilterTest, ReplacedShowListTradesNamesWithTheAvailableListAndFilters) {
  filter_.AppendShown("form2");
  filter_.ReplaceShowList({"windows", "unit3", "UNIT3"}, full_);
  EXPECT_EQ(filter_.ShowList, (Names{"windows", "unit3"}));
  EXPECT_EQ(filter_.SuppressList, (Names{"Classes", "Form2", "MainForm", "SysUtils"}));
  EXPECT_EQ(Outline(filter_.FilteredTree), "MainForm[unit3[Windows]]");
}

// What the filter must give, by its definition: a node stays when it or a node below it is shown.
std::string KeptPaths(const DependencyForest& level, const Names& shown) {
  std::string outline;
  for (const auto& node : level) {
    const std::string below = KeptPaths(node->Children, shown);
    if (below.empty() && std::find(shown.begin(), shown.end(), node->Label) == shown.end()) continue;
    outline += (outline.empty() ? "" : ", ") + node->Label + (below.empty() ? "" : "[" + below + "]");
  }
  return outline;
}

// Each node knows its place among its siblings and its parent, as the window's tree model needs.
bool RowsAndParentsHold(const DependencyForest& level, const DependencyNode* parent) {
  for (size_t row = 0; row < level.size(); ++row) {
    if (level[row]->Row != row || level[row]->Parent != parent) return false;
    if (!RowsAndParentsHold(level[row]->Children, level[row].get())) return false;
  }
  return true;
}

TEST(DependencyFilterPathsTest, RandomTreesKeepExactlyThePathsToShownNames) {
  std::mt19937 random(5);
  for (int round = 0; round < 200; ++round) {
    DependencyForest tree;
    std::vector<DependencyNode*> nodes;
    for (int i = 0; i < 40; ++i) {
      const std::string label(1, static_cast<char>('a' + random() % 8));
      nodes.push_back(nodes.empty() || random() % 6 == 0 ? AddRoot(tree, label)
                                                         : nodes[random() % nodes.size()]->AddChild(label));
    }
    DependencyFilter filter;
    const Names shown = {std::string(1, static_cast<char>('a' + random() % 8)), "c"};
    for (const std::string& name : shown) filter.AppendShown(name);
    const std::string before = Outline(tree);
    filter.ShowFilteredDependencies(tree);
    ASSERT_EQ(Outline(tree), before) << "the full tree stays as it was";
    ASSERT_EQ(Outline(filter.FilteredTree), KeptPaths(tree, shown)) << round;
    ASSERT_TRUE(RowsAndParentsHold(filter.FilteredTree, nullptr)) << round;
  }
}

}  // namespace
}  // namespace tarnwick
