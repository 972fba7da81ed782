#include "views/object_filter.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/form_analysis.h"
#include "analysis/project_model.h"
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

TEST_F(ObjectFilterTest, DefaultsKeepEveryObjectAndDropPictureData) {
  const std::string fullBefore = ObjectTreeText(model_.ObjectTree);
  EXPECT_EQ(Filtered(), kFullOutline);
  EXPECT_EQ(filter_.Caption, "Filtered Objects");
  EXPECT_EQ(filter_.PropertyMemo, Lines{"Caption = 'Main'"});
  const ObjectNode& image = *filter_.FilteredTree.front()->Children[3];
  EXPECT_EQ(image.Data->Properties, (Lines{"Left = 8", "Stretch = True"}));
  EXPECT_EQ(ObjectTreeText(model_.ObjectTree), fullBefore) << "the full tree keeps its lines";

  filter_.Options.SetExcludeProperties(false);
  ShowFilteredObjects(model_, filter_);
  EXPECT_EQ(ObjectTreeText(filter_.FilteredTree), fullBefore);
  ShowAllObjects(filter_);
  EXPECT_EQ(filter_.Caption, "All Objects");
  EXPECT_EQ(filter_.CurObjectTreeView, CurrentTree::All);
}

TEST_F(ObjectFilterTest, ShownTypesKeepTheirAncestorsAndChildrenOrDescendantsAsTheOptionsSay) {
  const struct {
    const char* Name;
    bool Child;
    bool Descendants;
    Lines Shown;
    const char* Expected;
  } cases[] = {
      {"suppressed button stays as an ancestor", false, false,
       {"TMainForm", "TPanel", "TLabel", "TImage", "TListBox", "TOther"},
       "MainForm[Panel1[Label1], Button2[Label2], Image1, ListBox1], TOther"},
      {"the form alone", false, false, {"TMainForm"}, "MainForm"},
      {"with its children", true, false, {"TMainForm"}, "MainForm[Panel1, Button1, Button2, Image1, ListBox1]"},
      {"with all descendants", false, true, {"TMainForm"},
       "MainForm[Panel1[Label1], Button1, Button2[Label2], Image1, ListBox1]"},
      {"types without case, a label without colon by its whole text", false, false, {"tlabel", "TOTHER"},
       "MainForm[Panel1[Label1], Button2[Label2]], TOther"},
      {"nothing shown", true, false, {}, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    filter_.Options.SetShowChild(c.Child);
    filter_.Options.SetShowAllDescendants(c.Descendants);
    filter_.ShowList = c.Shown;
    EXPECT_EQ(Filtered(), c.Expected);
  }
  EXPECT_TRUE(filter_.PropertyMemo.empty()) << "no root, no properties";
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

TEST_F(ObjectFilterTest, TypeListMovesKeepBothListsSorted) {
  ASSERT_EQ(filter_.ShowList,
            (Lines{"TButton", "TImage", "TLabel", "TListBox", "TMainForm", "TOther", "TPanel"}));
  EXPECT_EQ(filter_.ExcludeBtnClick({4, 1, 99}), 1);
  EXPECT_EQ(filter_.ShowList, (Lines{"TButton", "TLabel", "TListBox", "TOther", "TPanel"}));
  EXPECT_EQ(filter_.SuppressList, (Lines{"TImage", "TMainForm"}));
  EXPECT_EQ(filter_.ExcludeBtnClick({4}), 3);  // the last row went, so the new last is selected
  EXPECT_EQ(filter_.IncludeBtnClick({}), 0);
  EXPECT_EQ(filter_.IncludeBtnClick({2, 0}), 0);
  EXPECT_EQ(filter_.ShowList, (Lines{"TButton", "TImage", "TLabel", "TListBox", "TOther", "TPanel"}));
  EXPECT_EQ(filter_.IncludeBtnClick({0}), -1);

  filter_.ExAllBtnClick();
  EXPECT_TRUE(filter_.ShowList.empty());
  TypeListButtons buttons = filter_.SetButtons();
  EXPECT_TRUE(buttons.Include && buttons.IncludeAll && !buttons.Exclude && !buttons.ExcludeAll);
  filter_.IncAllBtnClick();
  EXPECT_EQ(filter_.ShowList.size(), 7u);
  buttons = filter_.SetButtons();
  EXPECT_TRUE(!buttons.Include && !buttons.IncludeAll && buttons.Exclude && buttons.ExcludeAll);
}

TEST_F(ObjectFilterTest, ReplacedShowListMovesTheOthersAsideAndResetKeepsTheOptions) {
  filter_.ExcludeBtnClick({6});  // TPanel
  filter_.ReplaceObjectShowList({"tpanel", "TLabel", "TPANEL"});
  EXPECT_EQ(filter_.ShowList, (Lines{"TLabel", "tpanel"}));
  EXPECT_EQ(filter_.SuppressList, (Lines{"TButton", "TImage", "TListBox", "TMainForm", "TOther"}));

  ShowFilteredObjects(model_, filter_);
  CurObjectTreeViewChange(filter_, model_.ObjectTree.front()->Children[4].get());
  EXPECT_EQ(filter_.PropertyMemo.size(), 5u);
  CurObjectTreeViewChange(filter_, nullptr);
  EXPECT_TRUE(filter_.PropertyMemo.empty());
  CurObjectTreeViewChange(filter_, model_.ObjectTree.front().get());
  filter_.ResetObjectViews();
  EXPECT_TRUE(filter_.FilteredTree.empty() && filter_.PropertyMemo.empty());
  EXPECT_TRUE(filter_.ShowList.empty() && filter_.SuppressList.empty());
  EXPECT_EQ(filter_.Options.Exclusions().Types().size(), 2u);
}

}  // namespace
}  // namespace tarnwick
