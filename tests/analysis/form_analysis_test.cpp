#include "analysis/form_analysis.h"

#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "support/tree_text.h"
#include "support/workspace_test.h"

namespace tarnwick {
namespace {

using testing::Crlf;
using testing::ObjectTreeText;

std::string ParsedTree(const std::string& text) {
  ObjectForest tree;
  EXPECT_TRUE(ParseFormText(text, tree));
  return ObjectTreeText(tree);
}

const std::vector<std::string> kSimpleForm = {
    "object Form1: TForm1",
    "  Left = 8",
    "  Font.Name = 'Arial'",
    "  object Button1: TButton",
    "    Caption = 'OK'",
    "  end",
    "  object ListBox1: TListBox",
    "    Items.Strings = (",
    "      'a'",
    "      'b')",
    "  end",
    "end"};

TEST(ParseObject, LabelsPropertyLinesAndNesting) {
  EXPECT_EQ(ParsedTree(Crlf(kSimpleForm)),
            "+  Form1:  TForm1\n"
            "  - Left = 8\n"
            "  - Font .Name = 'Arial'\n"
            "  +  Button1:  TButton\n"
            "    - Caption = 'OK'\n"
            "  +  ListBox1:  TListBox\n"
            "    - Items .Strings = (\n"
            "    - ' a'\n"
            "    - ' b')\n");
}

TEST(ParseObject, InheritedInlineAndHeadersWithoutColon) {
  const std::string text = Crlf({"inherited Form2: TForm2", "  inherited Button1: TButton [2]",
                                 "  end", "  inline Frame1: TFrame1", "    Tag = 1", "  end",
                                 "  object TPanel", "  end", "end", "object Ignored: TForm3", "end"});
  EXPECT_EQ(ParsedTree(text),
            "+  Form2:  TForm2\n"
            "  +  Button1:  TButton [2]\n"
            "  +  Frame1:  TFrame1\n"
            "    - Tag = 1\n"
            "  +  TPanel\n");
}

TEST(ParseObject, CollectionsBelongToTheirProperty) {
  const std::string text = Crlf({"object Form1: TForm1", "  Columns = <", "    item", "      Width = 50",
                                 "    end", "    item", "    end>", "  NoColumns = <>", "  Outer = <",
                                 "    item", "      Inner = <", "        item", "        end>", "      Tag = 1",
                                 "    end>", "  object ListView1: TListView", "  end", "  Height = 300", "end"});
  EXPECT_EQ(ParsedTree(text),
            "+  Form1:  TForm1\n"
            "  - Columns = <\n  - item \n  - Width = 50\n  - end \n  - item \n  - end >\n"
            "  - NoColumns = <>\n"
            "  - Outer = <\n  - item \n  - Inner = <\n  - item \n  - end >\n  - Tag = 1\n  - end >\n"
            "  - Height = 300\n"
            "  +  ListView1:  TListView\n");
}

TEST(ParseObject, LineEndsAndByteOrderMarkGiveTheSameTree) {
  std::string lf, cr;
  for (const std::string& line : kSimpleForm) lf += line + "\n", cr += line + "\r";
  const std::string expected = ParsedTree(Crlf(kSimpleForm));
  EXPECT_EQ(ParsedTree(lf), expected);
  EXPECT_EQ(ParsedTree(cr), expected);
  EXPECT_EQ(ParsedTree("\xEF\xBB\xBF" + lf), expected);
  // Blank lines made of lone LFs are skipped like blank CR LF lines.
  EXPECT_EQ(ParsedTree("\n\n" + lf + "\n"), expected);
}

TEST(ParseObject, RefusesTextWithoutObjectKeyword) {
  for (const char* text : {"", "Object Form1: TForm1\r\nend\r\n", "unit Unit1;"}) {
    ObjectForest tree;
    EXPECT_FALSE(ParseFormText(text, tree)) << text;
    EXPECT_TRUE(tree.empty());
  }
}

TEST(ParseObject, UnterminatedBlocksEndWithTheText) {
  EXPECT_EQ(ParsedTree("object A: TA\r\n  object B: TB\r\n    Left = 1"),
            "+  A:  TA\n  +  B:  TB\n    - Left = 1\n");
  // An unclosed collection keeps the rest of the text as property lines.
  EXPECT_EQ(ParsedTree("object A: TA\r\n  C = <\r\n  object B: TB\r\n  end\r\nend"),
            "+  A:  TA\n  - C = <\n  - object B: TB\n  - end \n  - end \n");
}

TEST(ParseObject, NestingBeyondTheLimitBecomesPropertyLines) {
  const size_t nested = kMaxObjectDepth + 200;
  std::string text = "object Root: TForm1\r\n";
  for (size_t i = 0; i < nested; ++i) text += "object P: TPanel\r\n";
  for (size_t i = 0; i < nested; ++i) text += "end\r\n";
  text += "object Tail: TLabel\r\nend\r\nend\r\n";
  ObjectForest tree;
  ASSERT_TRUE(ParseFormText(text, tree));
  ASSERT_EQ(tree.size(), 1u);
  const ObjectNode* deepest = tree.front().get();
  size_t depth = 1;
  while (!deepest->Children.empty() && deepest->Children.front()->Label == " P:  TPanel") {
    deepest = deepest->Children.front().get();
    ++depth;
  }
  EXPECT_EQ(depth, kMaxObjectDepth);
  EXPECT_TRUE(deepest->Children.empty());
  // The objects below the limit keep their lines, "end" lines included, on the deepest node.
  EXPECT_EQ(deepest->Data->Properties.size(), 2 * (nested - kMaxObjectDepth + 1));
  EXPECT_EQ(deepest->Data->Properties.front(), "object P: TPanel");
  ASSERT_EQ(tree.front()->Children.size(), 2u);
  EXPECT_EQ(tree.front()->Children.back()->Label, " Tail:  TLabel");
  EXPECT_EQ(CountNodes(tree), kMaxObjectDepth + 1);
}

TEST(FillObjectTypeList, RootsUncheckedOtherTypesOnceIgnoringCase) {
  ObjectForest tree;
  ASSERT_TRUE(ParseFormText(Crlf({"object A: TMyForm", "  object B: TButton", "  end",
                                  "  object C: TButton [2]", "  end", "end"}), tree));
  ASSERT_TRUE(ParseFormText(Crlf({"object D: TMyForm", "  object E: tbutton", "  end",
                                  "  object TPanel", "  end", "end"}), tree));
  ObjectFilter filter;
  FillObjectTypeList(tree, filter);
  EXPECT_EQ(filter.ShowList,
            (std::vector<std::string>{"TButton", "TButton [2]", "TMyForm", "TMyForm", "TPanel"}));
  EXPECT_TRUE(filter.SuppressList.empty());
}

// A project folder with its units' form files, and the workspace that analyses them.
using AnalyzeFormsTest = testing::WorkspaceTest;

// A binary form file of Form1: TForm1 with the single property Left = 8.
std::string BinaryForm() {
  std::string bytes("\xFF\x0A\x00TFORM1\x00\x30\x10\x00\x00\x00\x00", 16);
  bytes += "TPF0";
  bytes += "\x06TForm1\x05" "Form1\x04Left\x02\x08";
  bytes += std::string("\x00\x00", 2);
  return bytes;
}

TEST_F(AnalyzeFormsTest, ReadsEveryFormAndReportsEachFailure) {
  for (auto [unit, form, path] : {std::tuple{"Project1.dpr", "", ""}, {"Unit1", "Form1", ""}, {"Unit3", "Form3", ""},
                                  {"Unit2", "Form2", "Lib\\"}, {"Unit4", "Form4", ""}, {"Unit5", "Form5", ""},
                                  {"Vcl.Sample", "SampleForm", ""}, {"Unused", "", ""}})
    Model().AddUnit({unit, form, path});
  folder_.Write("Unit1.dfm", BinaryForm());
  folder_.Write("Lib/Unit2.dfm", "object Form2: TForm2\nend\n");
  folder_.Write("Unit4.dfm", "garbage");
  folder_.Write("Unit5.dfm", "Object Form5: TForm5\r\nend\r\n");
  folder_.Write("Vcl.Sample.dfm", "inherited SampleForm: TSampleForm\r\nend\r\n");
  Model().ProjectFolder = folder_.Path();
  AnalyzeForms(workspace_.Model, ui_);
  FillObjectTypeList(workspace_.Model.ObjectTree, workspace_.Objects);
  const std::string root = folder_.Path();
  EXPECT_EQ(ObjectTreeText(Model().ObjectTree),
            "+  Form1:  TForm1\n  - Left = 8\n+  Form2:  TForm2\n+  SampleForm:  TSampleForm\n");
  const std::vector<std::string> shown = {"error: Could not open the form \r\r" + root + "Unit3.dfm",
                                          "plain: Could not convert " + root + "Unit4.dfm.\r\rInvalid stream format",
                                          "error: File " + root + "Unit5.dfm has unrecognized format."};
  EXPECT_EQ(prompter_.Shown(), shown);
  EXPECT_EQ(workspace_.Objects.ShowList, (std::vector<std::string>{"TForm1", "TForm2", "TSampleForm"}));
  const std::vector<std::string>& log = progress_.Log();
  EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + 3),
            (std::vector<std::string>{"cursor:1", "text:Analyzing Project1.dpr", "step"}));
  EXPECT_EQ(log.size(), 2 + 2 * Model().Units().size());
  EXPECT_EQ(log.back(), "cursor:0");
}

}  // namespace
}  // namespace tarnwick
