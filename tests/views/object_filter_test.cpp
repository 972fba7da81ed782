#include "views/object_filter.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/form_analysis.h"
#include "analysis/project_model.h"
#include "support/case_file.h"
#include "support/temp_folder.h"
#include "support/tree_text.h"

namespace tarnwick {
namespace {

using Lines = std::vector<std::string>;
using testing::ObjectTreeText;
using testing::Outline;

constexpr const char* kFullOutline = "MainForm[Panel1[Label1], Button1, Button2[Label2], Image1, ListBox1], TOther";

// The state after opening a project with two forms: the full tree and every type in "Show Objects:".
// The second root's label has no colon, so its whole text is its type.
class ObjectFilterTest : public ::testing::Test {
 protected:
  ObjectFilterTest() {
    const std::string form = testing::ReadFileText(TARNWICK_FIXTURES_DIR "/views/main_form.dfm");
    EXPECT_TRUE(ParseFormText(form, model_.ObjectTree));
    EXPECT_TRUE(ParseFormText("object TOther\r\nend\r\n", model_.ObjectTree));
    FillObjectTypeList(model_.ObjectTree, filter_);
  }
  std::string Filtered() {
    ShowFilteredObjects(model_, filter_);
    return Outline(filter_.FilteredTree);
  }

  ProjectModel model_;
  ObjectFilter filter_;
};

// The captions and the property memo are checked where the page shows them.
TEST_F(ObjectFilterTest, DefaultsKeepEveryObjectAndDropPictureData) {
  const std::string fullBefore = ObjectTreeText(model_.ObjectTree);
  EXPECT_EQ(Filtered(), kFullOutline);
  const ObjectNode& image = *filter_.FilteredTree.front()->Children[3];
  EXPECT_EQ(image.Data->Properties, (Lines{"Left = 8", "Stretch = True"}));
  EXPECT_EQ(ObjectTreeText(model_.ObjectTree), fullBefore) << "the full tree keeps its lines";

  filter_.Options.SetExcludeProperties(false);
  ShowFilteredObjects(model_, filter_);
  EXPECT_EQ(ObjectTreeText(filter_.FilteredTree), fullBefore);
}

TEST_F(ObjectFilterTest, ShownTypesKeepTheirAncestorsAndChildrenOrDescendantsAsTheOptionsSay) {
  for (const testing::TestCase& c : testing::ReadCaseFile("views/object_types.cases")) {
    SCOPED_TRACE(c.Name);
    filter_.Options.SetShowChild(c.Value("options") == "child");
    filter_.Options.SetShowAllDescendants(c.Value("options") == "descendants");
    filter_.ShowList = c.Values("show");
    EXPECT_EQ(Filtered(), c.Value("tree"));
  }
  EXPECT_TRUE(filter_.PropertyMemo.empty()) << "no root, no properties";
}

// Roots are listed unchecked, so two forms of one type give two rows; other types once,
// without case.
TEST(FillObjectTypeList, RootsUncheckedOtherTypesOnceIgnoringCase) {
  ObjectForest tree;
  ASSERT_TRUE(ParseFormText("object A: TMyForm\r\n object B: TButton\r\n end\r\n"
                            " object C: TButton [2]\r\n end\r\nend\r\n", tree));
  ASSERT_TRUE(ParseFormText("object D: TMyForm\r\n object E: tbutton\r\n end\r\n"
                            " object TPanel\r\n end\r\nend\r\n", tree));
  ObjectFilter filter;
  FillObjectTypeList(tree, filter);
  EXPECT_EQ(filter.ShowList, (Lines{"TButton", "TButton [2]", "TMyForm", "TMyForm", "TPanel"}));
}

// An excluded line goes with the lines after it up to one holding "=", which is examined next.
TEST(ApplyPropertyExclusions, RemovesRunsUpToTheNextLineWithEquals) {
  ObjectForest tree;
  ObjectNode* node = AddRoot(tree, "X: TThing");
  node->Data->Properties = {"A = 1", "cont", "B = 2", "more", "C = 3", "A .Sub = (", "' x=y'", "tail"};
  AddRoot(tree, "Y: TOther")->Data->Properties = {"A = 1"};
  PropertyExclusionList exclusions;
  exclusions.Add("TTHING", "a");
  exclusions.Add("TThing", "B");
  exclusions.Add("tthing", "A .Sub");
  ApplyPropertyExclusions(tree, exclusions);
  EXPECT_EQ(node->Data->Properties, (Lines{"C = 3", "' x=y'", "tail"}));
  EXPECT_EQ(tree.back()->Data->Properties, Lines{"A = 1"});
}

TEST_F(ObjectFilterTest, ReplacedShowListMovesTheOthersAsideAndResetKeepsTheOptions) {
  filter_.ExcludeBtnClick({6});  // TPanel
  filter_.ReplaceObjectShowList({"tpanel", "TLabel", "TPANEL"});
  EXPECT_EQ(filter_.ShowList, (Lines{"TLabel", "tpanel"}));
  EXPECT_EQ(filter_.SuppressList, (Lines{"TButton", "TImage", "TListBox", "TMainForm", "TOther"}));

  ShowFilteredObjects(model_, filter_);
  filter_.ResetObjectViews();
  EXPECT_TRUE(filter_.ShowList.empty() && filter_.SuppressList.empty());
  EXPECT_TRUE(filter_.FilteredTree.empty());
  EXPECT_EQ(filter_.Options.Exclusions().Types().size(), 2u);
}

}  // namespace
}  // namespace tarnwick
