#include "report/source_listing.h"

#include <map>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/project_model.h"
#include "support/case_file.h"
#include "support/temp_folder.h"

namespace tarnwick {
namespace {

using testing::ReadFileText;

const std::string kListingDir = TARNWICK_FIXTURES_DIR "/listing/";

// The listing made step by step, each step a full pass, as the single-pass listing must match.
std::string FourPasses(std::string_view source, bool lineNumbers, bool syntaxPrint) {
  while (source.starts_with("\xEF\xBB\xBF")) source.remove_prefix(3);
  std::string text(source);
  if (lineNumbers) text = AddLineNumbers(text);
  text = EscapeAndKeepBlanks(text);
  if (syntaxPrint) text = HighlightSyntax(text);
  return AddLineBreaks(text);
}

void ExpectSameInEveryMode(const std::string& source) {
  for (const bool lineNumbers : {true, false}) {
    for (const bool syntaxPrint : {true, false}) {
      EXPECT_EQ(ListingToHtml(source, lineNumbers, syntaxPrint),
                FourPasses(source, lineNumbers, syntaxPrint))
          << "numbers " << lineNumbers << ", syntax " << syntaxPrint << ", source:\n"
          << source;
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Golden cases: tests/fixtures/listing/<case>/input.pas gives expected.html with both options on.

class ListingGolden : public ::testing::TestWithParam<std::string> {};

TEST_P(ListingGolden, GivesTheExpectedHtmlInOnePassAndInFour) {
  const std::string input = ReadFileText(kListingDir + GetParam() + "/input.pas");
  const std::string expected = ReadFileText(kListingDir + GetParam() + "/expected.html");
  EXPECT_EQ(ListingToHtml(input, true, true), expected);
  ExpectSameInEveryMode(input);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, ListingGolden,
                         ::testing::ValuesIn(testing::SubfolderNames(kListingDir)),
                         [](const auto& info) { return info.param; });

// Texts built from the pieces the steps treat specially: line ends of all three kinds, blanks and
// control bytes, markup characters, comment and string delimiters (closed, open, nested), reserved
// words in all letter cases, byte order marks and bytes above 127.
TEST(ListingToHtml, SinglePassMatchesTheStepsOnRandomTexts) {
  const std::vector<std::string> pieces = {
      "begin", "BEGIN", "End", "x", "_a1", "beginning", "nbsp", "lt", "12", "0", " ", "  ", "\t",
      std::string(1, '\0'), "\x01", "\x1F", "\r", "\n", "\r\n", "\n\r", "{", "}", "(*", "*)", "(",
      ")", "*", "/", "//", "'", "''", "\"", "&", "<", ">", ";", ":=", "`", "\x7F", "\x80", "\xE9",
      "\xEF\xBB\xBF", "if", "then", "string", "resourcestring", "{$R *.dfm}"};
  std::mt19937 random(20240517);
  for (int round = 0; round < 3000; ++round) {
    std::string source;
    const int count = static_cast<int>(random() % 40);
    for (int i = 0; i < count; ++i) source += pieces[random() % pieces.size()];
    ExpectSameInEveryMode(source);
    if (HasFailure()) return;
  }
}

// Texts far longer than the single pass's output chunks, with pieces longer than a chunk.
TEST(ListingToHtml, SinglePassMatchesTheStepsOnLongTexts) {
  const std::string unit = ReadFileText(kListingDir + "form_unit/input.pas");
  std::string repeated;
  for (int i = 0; i < 60; ++i) repeated += unit;
  ExpectSameInEveryMode(repeated + "x := 1;");
  ExpectSameInEveryMode(std::string(40000, 'a') + " " + std::string(40000, 'b'));
  ExpectSameInEveryMode("{" + std::string(50000, 'c') + "}\r\n" + std::string(30000, ' ') + "x");
}

// ---------------------------------------------------------------------------------------------
// The steps one by one, the options and the reserved words, where the golden cases leave a rule
// unshown: cases of tests/fixtures/listing/steps.cases (its header says the format).

std::string RunStep(const std::string& step, std::string_view input) {
  if (step.starts_with("listing"))
    return ListingToHtml(input, step.find("+numbers") != step.npos,
                         step.find("+syntax") != step.npos);
  if (step.starts_with("tabs")) return ExpandTabs(input, std::stoi(step.substr(4)));
  using Step = std::string (*)(std::string_view);
  const std::map<std::string, Step> steps = {
      {"numbers", AddLineNumbers}, {"escape", EscapeAndKeepBlanks},
      {"highlight", HighlightSyntax}, {"breaks", AddLineBreaks}};
  return steps.at(step)(input);
}

TEST(ListingSteps, EachStepGivesTheExpectedTextOfItsCases) {
  for (const testing::TestCase& c : testing::ReadCaseFile("listing/steps.cases"))
    EXPECT_EQ(RunStep(c.Value("step"), c.Value("input")), c.Value("expected")) << c.Name;
}

// The golden case "ten_lines" shows the numbers below 100.
TEST(ListingToHtml, LineNumbersWidenPastFourDigits) {
  std::string source;
  for (int i = 0; i < 12345; ++i) source += "x\r\n";
  const std::string html = ListingToHtml(source, true, false);
  EXPECT_NE(html.find("<BR> 999: x\r\n<BR>1000: x\r\n<BR>"), std::string::npos);
  EXPECT_TRUE(html.ends_with("<BR>12345: x\r\n<BR>"));
}

// ---------------------------------------------------------------------------------------------
// Finding a unit's source file (the golden documents show its listing written as the options ask)

TEST(UnitSourceFile, JoinsFolderPathAndNameAndAddsPas) {
  ProjectModel model;
  model.ProjectFolder = "C:\\Work\\";
  model.AddUnit({"Unit2", "", "..\\Common\\"});
  model.AddUnit({"Lib", "", "D:\\Shared\\"});
  model.AddUnit({"Vcl.Forms", "", ""});
  model.AddUnit({"Demo.dpr", "", ""});
  EXPECT_EQ(UnitSourceFile(model, "Unit2"), "C:\\Work\\..\\Common\\Unit2.pas");
  EXPECT_EQ(UnitSourceFile(model, "Lib"), "D:\\Shared\\Lib.pas");
  EXPECT_EQ(UnitSourceFile(model, "Vcl.Forms"), "C:\\Work\\Vcl.Forms.pas");
  EXPECT_EQ(UnitSourceFile(model, "Demo.dpr"), "C:\\Work\\Demo.dpr");
  EXPECT_EQ(UnitSourceFile(model, "Missing"), "C:\\Work\\Missing.pas");
}

}  // namespace
}  // namespace tarnwick
