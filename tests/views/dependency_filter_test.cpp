#include "views/dependency_filter.h"

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
    const std::string before = Outline(full_);
    filter_.ShowList = c.Values("show");
    EXPECT_EQ(Filtered(), c.Value("filtered"));
    EXPECT_EQ(Outline(full_), before) << "the full tree stays as it was";
  }
}

// Many names at once are merged in one pass, the selection kept on the names that were there.
TEST_F(DependencyFilterTest, AvailableListIsSortedWithoutDuplicatesOrProjectUnits) {
  model_.AddUnit({"Unit1", "Form1", ""});
  filter_.SetSelected(FilterSide::Suppress, 1);  // SysUtils
  filter_.AddAvailableUnits(model_, {"zlib", "UNIT1", "sysutils", "ActiveX", "activex", "vcl.forms",
                                     "Zlib", "Abc"});
  EXPECT_EQ(filter_.SuppressList,
            (Names{"Abc", "ActiveX", "Classes", "SysUtils", "vcl.forms", "Windows", "zlib"}));
  EXPECT_EQ(filter_.GetFirstSelection(FilterSide::Suppress), 3) << "SysUtils keeps its selection";

  filter_.ShowFilteredDependencies(full_);
  filter_.ResetDependencyViews();
  EXPECT_TRUE(filter_.ShowList.empty() && filter_.SuppressList.empty());
  EXPECT_TRUE(filter_.FilteredTree.empty());
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

}  // namespace
}  // namespace tarnwick
