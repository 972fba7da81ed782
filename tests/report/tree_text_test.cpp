#include "report/tree_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/tree_text.h"

namespace tarnwick {
namespace {

std::string ObjectText(const ObjectForest& tree, const ReportOptions& options,
                       const std::vector<std::string>& anchors = {}) {
  HtmlWriter writer;
  WriteObjectText(tree, options, anchors, writer);
  return writer.Text();
}

TEST(IndentPrefix, TurnsEveryBlankButTheLastIntoNbsp) {
  EXPECT_EQ(IndentPrefix(3, 0), "");
  EXPECT_EQ(IndentPrefix(0, 4), "");
  EXPECT_EQ(IndentPrefix(3, 1), "&nbsp &nbsp  ");
  EXPECT_EQ(IndentPrefix(3, 2), "&nbsp &nbsp &nbsp &nbsp &nbsp  ");
  EXPECT_EQ(KeepBlanks("a\t b c\r\n"), "a&nbsp  b c\r\n");
}

TEST(TreeRows, ListsNodesInPreOrderWithTheirLevels) {
  const DependencyForest tree = testing::ParseOutline("A[B[C], D], E");
  std::vector<std::string> seen;
  for (const TreeRow& row : TreeRowsOf(tree))
    seen.push_back(std::to_string(row.Level) + std::string(row.Text));
  EXPECT_EQ(seen, (std::vector<std::string>{"0A", "1B", "2C", "1D", "0E"}));
}

// The golden documents show the dependency text, its indent and its level line; a bad indent is
// shown by the documentation writer's own test, and a bad level fails the same way.
TEST(DependencyText, FailsOnALevelThatIsNoWholeNumber) {
  ReportOptions options;
  options.DependencyMaxLevel = true;
  options.DependencyMaxLevelNum = "x";
  HtmlWriter writer;
  EXPECT_THROW(WriteDependencyText(DependencyForest{}, options, writer), DocumentError);
}

// The level note stands only above a tree that is cut there; without "Max Levels" the number is
// ignored.
TEST(DependencyText, MaxLevelsCutsThePrintedTree) {
  const DependencyForest tree = testing::ParseOutline("A[B[C[D]], E]");
  ReportOptions options;
  options.IndentSpaces = "0";
  options.DependencyMaxLevelNum = "2";
  auto text = [&] {
    HtmlWriter writer;
    WriteDependencyText(tree, options, writer);
    return writer.Text();
  };
  EXPECT_EQ(text(), "<H3>Dependencies</H3>\r\n<P>\r\nA<BR>\r\nB<BR>\r\nC<BR>\r\nD<BR>\r\nE<BR>\r\n</P>\r\n");
  options.DependencyMaxLevel = true;
  EXPECT_EQ(text(), "<H3>Dependencies</H3>\r\n<P>\r\n(to a max of 2 levels)<BR>\r\nA<BR>\r\nB<BR>\r\nE<BR>\r\n</P>\r\n");
  EXPECT_EQ(DependencyRowsOf(tree, options).size(), 3u);  // the pictures draw the same rows
}

TEST(ObjectText, WritesNothingForAnEmptyTree) { EXPECT_EQ(ObjectText(ObjectForest{}, ReportOptions{}), ""); }

TEST(ObjectText, AnchorsFormsOfTheIndexAndLeavesPropertiesOutWhenAsked) {
  ObjectForest tree;
  AddRoot(tree, "About : TAboutBox")->AddChild("Ok<1>: TButton")->Data->Properties = {"Caption = '<b>'"};
  AddRoot(tree, "Other: TForm");
  ReportOptions options;
  options.ObjectsShowProperties = false;
  options.ObjectsFont = "Arial";
  options.ObjectsFontSize1 = 16;
  EXPECT_EQ(ObjectText(tree, options, {"about"}),
            "<font face=\"Arial\">\r\n<font size=\"+2\">\r\n<P>\r\n"
            "<A NAME=\"OBJECTAbout\"></A>About : TAboutBox<BR>\r\n"
            "&nbsp &nbsp  Ok&lt;1&gt;: TButton<BR>\r\nOther: TForm<BR>\r\n</font>\r\n<P>\r\n");
}

}  // namespace
}  // namespace tarnwick
