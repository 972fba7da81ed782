#include "analysis/form_analysis.h"

#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "support/case_file.h"
#include "support/tree_text.h"
#include "support/workspace_test.h"

namespace tarnwick {
namespace {

using testing::ObjectTreeText;
using testing::ReplaceAll;

std::string ParsedTree(const std::string& text) {
  ObjectForest tree;
  EXPECT_TRUE(ParseFormText(text, tree));
  return ObjectTreeText(tree);
}

// The form text of a case, its lines ended as `lineEnd` gives.
std::string FormText(const testing::TestCase& c, const std::string& lineEnd = "\r\n") {
  return ReplaceAll(c.Value("form"), "\n", lineEnd);
}

TEST(ParseObject, TextsOfTheCaseFileGiveTheirTreesOrAreRefused) {
  const std::vector<testing::TestCase> cases = testing::ReadCaseFile("analysis/form_texts.cases");
  for (const testing::TestCase& c : cases) {
    SCOPED_TRACE(c.Name);
    ObjectForest tree;
    EXPECT_EQ(ParseFormText(FormText(c), tree), c.Has("tree"));
    EXPECT_EQ(ObjectTreeText(tree), c.Has("tree") ? c.Value("tree") + "\n" : "");
  }
  // Line ends of every kind and a byte order mark give the same tree; blank lines made of lone LFs
  // are skipped like blank CR LF lines.
  const std::string expected = ParsedTree(FormText(cases.front()));
  EXPECT_EQ(ParsedTree(FormText(cases.front(), "\n")), expected);
  EXPECT_EQ(ParsedTree(FormText(cases.front(), "\r")), expected);
  EXPECT_EQ(ParsedTree("\xEF\xBB\xBF" + FormText(cases.front(), "\n")), expected);
  EXPECT_EQ(ParsedTree("\n\n" + FormText(cases.front(), "\n") + "\n\n"), expected);
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
  // The objects below the limit keep their lines, "end" lines included, on the deepest node.
  EXPECT_EQ(deepest->Data->Properties.size(), 2 * (nested - kMaxObjectDepth + 1));
  EXPECT_EQ(deepest->Data->Properties.front(), "object P: TPanel");
  EXPECT_EQ(tree.front()->Children.back()->Label, " Tail:  TLabel");
}

// A project folder with its units' form files, and the workspace that analyses them.
using AnalyzeFormsTest = testing::WorkspaceTest;

TEST_F(AnalyzeFormsTest, ReadsEveryFormAndReportsEachFailure) {
  for (auto [unit, form, path] : {std::tuple{"Project1.dpr", "", ""}, {"Unit1", "Form1", ""}, {"Unit3", "Form3", ""},
                                  {"Unit2", "Form2", "Lib\\"}, {"Unit4", "Form4", ""}, {"Unit5", "Form5", ""},
                                  {"Vcl.Sample", "SampleForm", ""}, {"Unused", "", ""}})
    Model().AddUnit({unit, form, path});
  const std::string forms = TARNWICK_FIXTURES_DIR "/forms/";
  folder_.Write("Unit1.dfm", testing::ReadFileText(forms + "floats.dfm"));
  folder_.Write("Lib/Unit2.dfm", "object Form2: TForm2\nend\n");
  folder_.Write("Unit4.dfm", "garbage");
  folder_.Write("Unit5.dfm", "Object Form5: TForm5\r\nend\r\n");
  folder_.Write("Vcl.Sample.dfm", "inherited SampleForm: TSampleForm\r\nend\r\n");
  Model().ProjectFolder = folder_.Path();
  AnalyzeForms(workspace_.Model, ui_);
  const std::string root = folder_.Path();
  EXPECT_EQ(ObjectTreeText(Model().ObjectTree), ParsedTree(testing::ReadFileText(forms + "floats.expected.txt")) +
                                                    "+  Form2:  TForm2\n+  SampleForm:  TSampleForm\n");
  const std::vector<std::string> shown = {"error: Could not open the form \r\r" + root + "Unit3.dfm",
                                          "plain: Could not convert " + root + "Unit4.dfm.\r\rInvalid stream format",
                                          "error: File " + root + "Unit5.dfm has unrecognized format."};
  EXPECT_EQ(prompter_.Shown(), shown);
  const std::vector<std::string>& log = progress_.Log();
  EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + 3),
            (std::vector<std::string>{"cursor:1", "text:Analyzing Project1.dpr", "step"}));
  EXPECT_EQ(log.size(), 2 + 2 * Model().Units().size());
  EXPECT_EQ(log.back(), "cursor:0");
}

}  // namespace
}  // namespace tarnwick
