#include "views/object_filter.h"

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/form_analysis.h"
#include "analysis/project_model.h"
#include "support/tree_text.h"

namespace tarnwick {
namespace {

using Lines = std::vector<std::string>;
using testing::ObjectTreeText;
using testing::Outline;

const Lines kMainForm = {
    "object MainForm: TMainForm",
    "  Caption = 'Main'",
    "  object Panel1: TPanel",
    "    Align = alTop",
    "    object Label1: TLabel",
    "      Caption = 'Name'",
    "    end",
    "  end",
    "  object Button1: TButton",
    "    Caption = 'OK'",
    "  end",
    "  object Button2: TButton",
    "    object Label2: TLabel",
    "    end",
    "  end",
    "  object Image1: TImage",
    "    Left = 8",
    "    Picture.Data = {",
    "      0954424974",
    "      6D617000}",
    "    Stretch = True",
    "  end",
    "  object ListBox1: TListBox",
    "    Items.Strings = (",
    "      'one'",
    "      'a=b'",
    "      'two')",
    "    TabOrder = 1",
    "  end",
    "end"};

// The state after opening a project: the full tree and every type in "Show Objects:".
class ObjectFilterTest : public ::testing::Test {
 protected:
  ObjectFilterTest() {
    EXPECT_TRUE(ParseFormText(testing::Crlf(kMainForm), model_.ObjectTree));
    FillObjectTypeList(model_.ObjectTree, filter_);
  }
  void Suppress(const Lines& types) {
    std::vector<size_t> rows;
    for (size_t row = 0; row < filter_.ShowList.size(); ++row)
      if (std::find(types.begin(), types.end(), filter_.ShowList[row]) != types.end()) rows.push_back(row);
    filter_.ExcludeBtnClick(rows);
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
  EXPECT_EQ(Filtered(), Outline(model_.ObjectTree));
  EXPECT_EQ(filter_.Caption, "Filtered Objects");
  EXPECT_EQ(filter_.CurObjectTreeView, CurrentTree::Filtered);
  EXPECT_EQ(filter_.PropertyMemo, Lines{"Caption = 'Main'"});
  const ObjectNode& image = *filter_.FilteredTree.front()->Children[3];
  EXPECT_EQ(image.Data->Properties, (Lines{"Left = 8", "Stretch = True"}));
  EXPECT_EQ(ObjectTreeText(model_.ObjectTree), fullBefore);

  filter_.Options.SetExcludeProperties(false);
  ShowFilteredObjects(model_, filter_);
  EXPECT_EQ(ObjectTreeText(filter_.FilteredTree), fullBefore);
  ShowAllObjects(filter_);
  EXPECT_EQ(filter_.Caption, "All Objects");
  EXPECT_EQ(filter_.CurObjectTreeView, CurrentTree::All);
}

TEST_F(ObjectFilterTest, SuppressedTypeStaysOnlyAsAncestorOfShownObjects) {
  filter_.Options.SetShowChild(false);
  Suppress({"TButton"});
  EXPECT_EQ(Filtered(), "MainForm[Panel1[Label1], Button2[Label2], Image1, ListBox1]");
}

TEST_F(ObjectFilterTest, ChildAndDescendantOptions) {
  Suppress({"TPanel", "TLabel", "TButton", "TImage", "TListBox"});
  filter_.Options.SetShowChild(false);
  EXPECT_EQ(Filtered(), "MainForm");
  filter_.Options.SetShowChild(true);
  EXPECT_EQ(Filtered(), "MainForm[Panel1, Button1, Button2, Image1, ListBox1]");
  filter_.Options.SetShowAllDescendants(true);
  EXPECT_EQ(Filtered(), Outline(model_.ObjectTree));
  filter_.ShowList.clear();
  EXPECT_EQ(Filtered(), "");
  EXPECT_TRUE(filter_.PropertyMemo.empty());
}

TEST_F(ObjectFilterTest, TypesMatchWithoutCaseAndLabelsWithoutColonByWholeText) {
  ASSERT_TRUE(ParseFormText("object TOther\r\nend\r\n", model_.ObjectTree));
  filter_.Options.SetShowChild(false);
  filter_.ShowList = {"tlabel", "TOTHER"};
  EXPECT_EQ(Filtered(), "MainForm[Panel1[Label1], Button2[Label2]], TOther");
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
  ASSERT_EQ(filter_.ShowList, (Lines{"TButton", "TImage", "TLabel", "TListBox", "TMainForm", "TPanel"}));
  EXPECT_EQ(filter_.ExcludeBtnClick({4, 1, 99}), 1);
  EXPECT_EQ(filter_.ShowList, (Lines{"TButton", "TLabel", "TListBox", "TPanel"}));
  EXPECT_EQ(filter_.SuppressList, (Lines{"TImage", "TMainForm"}));
  EXPECT_EQ(filter_.ExcludeBtnClick({3}), 2);  // the last row went, so the new last is selected
  EXPECT_EQ(filter_.IncludeBtnClick({}), 0);
  EXPECT_EQ(filter_.IncludeBtnClick({2, 0}), 0);
  EXPECT_EQ(filter_.ShowList, (Lines{"TButton", "TImage", "TLabel", "TListBox", "TPanel"}));
  EXPECT_EQ(filter_.SuppressList, Lines{"TMainForm"});
  EXPECT_EQ(filter_.IncludeBtnClick({0}), -1);

  filter_.ExAllBtnClick();
  EXPECT_TRUE(filter_.ShowList.empty());
  TypeListButtons buttons = filter_.SetButtons();
  EXPECT_TRUE(buttons.Include && buttons.IncludeAll && !buttons.Exclude && !buttons.ExcludeAll);
  filter_.IncAllBtnClick();
  EXPECT_EQ(filter_.ShowList.size(), 6u);
  buttons = filter_.SetButtons();
  EXPECT_TRUE(!buttons.Include && !buttons.IncludeAll && buttons.Exclude && buttons.ExcludeAll);
}

TEST_F(ObjectFilterTest, ReplaceObjectShowListMovesTheOthersAside) {
  Suppress({"TPanel"});
  filter_.ReplaceObjectShowList({"tpanel", "TLabel", "TPANEL"});
  EXPECT_EQ(filter_.ShowList, (Lines{"TLabel", "tpanel"}));
  EXPECT_EQ(filter_.SuppressList, (Lines{"TButton", "TImage", "TListBox", "TMainForm"}));
  filter_.Options.SetShowChild(false);
  EXPECT_EQ(Filtered(), "MainForm[Panel1[Label1], Button2[Label2]]");
}

TEST_F(ObjectFilterTest, SelectionAndReset) {
  ShowFilteredObjects(model_, filter_);
  CurObjectTreeViewChange(filter_, model_.ObjectTree.front()->Children[4].get());
  EXPECT_EQ(filter_.PropertyMemo.size(), 5u);
  CurObjectTreeViewChange(filter_, nullptr);
  EXPECT_TRUE(filter_.PropertyMemo.empty());
  CurObjectTreeViewChange(filter_, model_.ObjectTree.front().get());
  filter_.ResetObjectViews();
  EXPECT_TRUE(filter_.FilteredTree.empty());
  EXPECT_TRUE(filter_.PropertyMemo.empty());
  EXPECT_TRUE(filter_.ShowList.empty() && filter_.SuppressList.empty());
  EXPECT_EQ(filter_.Options.Exclusions().Types().size(), 2u);
}

}  // namespace
}  // namespace tarnwick
