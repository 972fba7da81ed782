#include "report/tree_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarnwick {
namespace {

std::string DependencyText(const DependencyForest& tree, const ReportOptions& options) {
  HtmlWriter writer;
  WriteDependencyText(tree, options, writer);
  return writer.Body();
}

std::string ObjectText(const ObjectForest& tree, const ReportOptions& options,
                       const std::vector<std::string>& anchors = {}) {
  HtmlWriter writer;
  WriteObjectText(tree, options, anchors, writer);
  return writer.Body();
}

TEST(IndentPrefix, TurnsEveryBlankButTheLastIntoNbsp) {
  EXPECT_EQ(IndentPrefix(3, 0), "");
  EXPECT_EQ(IndentPrefix(0, 4), "");
  EXPECT_EQ(IndentPrefix(3, 1), "&nbsp &nbsp  ");
  EXPECT_EQ(IndentPrefix(3, 2), "&nbsp &nbsp &nbsp &nbsp &nbsp  ");
  EXPECT_EQ(KeepBlanks("a\t b c\r\n"), "a&nbsp  b c\r\n");
}

TEST(TreeRows, ListsNodesInPreOrderWithTheirLevels) {
  DependencyForest tree;
  DependencyNode* a = AddRoot(tree, "A");
  a->AddChild("B")->AddChild("C");
  a->AddChild("D");
  AddRoot(tree, "E");
  std::vector<std::string> seen;
  for (const TreeRow& row : TreeRowsOf(tree))
    seen.push_back(std::to_string(row.Level) + std::string(row.Text));
  EXPECT_EQ(seen, (std::vector<std::string>{"0A", "1B", "2C", "1D", "0E"}));
}

TEST(DependencyText, IndentsEachLevel) {
  DependencyForest tree;
  AddRoot(tree, "A")->AddChild("B")->AddChild("C");
  ReportOptions options;
  options.IndentSpaces = "2";
  EXPECT_EQ(DependencyText(tree, options),
            "<H3>Dependencies</H3>\r\n<P>\r\nA<BR>\r\n&nbsp  B<BR>\r\n&nbsp &nbsp &nbsp  C<BR>\r\n</P>\r\n");
  options.IndentSpaces = "0";
  options.DependencyMaxLevelNum = "3";
  EXPECT_EQ(
      DependencyText(tree, options),
      "<H3>Dependencies</H3>\r\n<P>\r\n(to a max of 3 levels)<BR>\r\nA<BR>\r\nB<BR>\r\nC<BR>\r\n</P>\r\n");
}

TEST(DependencyText, EscapesNodeTexts) {
  DependencyForest tree;
  AddRoot(tree, "A&B <x>");
  EXPECT_NE(DependencyText(tree, ReportOptions{}).find("\r\nA&amp;B &lt;x&gt;<BR>\r\n"), std::string::npos);
}

TEST(DependencyText, FailsOnFieldsThatAreNoWholeNumbers) {
  DependencyForest tree;
  ReportOptions options;
  options.IndentSpaces = "three";
  EXPECT_THROW(DependencyText(tree, options), DocumentError);
  options.IndentSpaces = "3";
  options.DependencyMaxLevelNum = "x";
  EXPECT_THROW(DependencyText(tree, options), DocumentError);
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

TEST(ObjectText, PutsPropertiesOneLevelDeeperAndEscapesThem) {
  ObjectForest tree;
  ObjectNode* form = AddRoot(tree, "Form1: TForm1");
  form->Data->Properties = {"Caption = 'Press <Enter>'", "  Lines = 'a  b'"};
  form->AddChild("Button1: TButton");
  ReportOptions options;
  options.IndentSpaces = "1";
  std::string text = ObjectText(tree, options);
  EXPECT_NE(text.find("Form1: TForm1<BR>\r\n"
                      " Caption = 'Press &lt;Enter&gt;'<BR>\r\n"
                      " &nbsp  Lines = 'a&nbsp  b'<BR>\r\n"
                      " Button1: TButton<BR>\r\n"),
            std::string::npos)
      << text;
}

}  // namespace
}  // namespace tarnwick
