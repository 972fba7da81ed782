#include "report/source_listing.h"

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "report/html_writer.h"
#include "report/report_options.h"
#include "support/workspace_test.h"

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
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(ListingToHtml(input, true, true), expected);
  EXPECT_EQ(FourPasses(input, true, true), expected);
  ExpectSameInEveryMode(input);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, ListingGolden, ::testing::ValuesIn(testing::SubfolderNames(kListingDir)),
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
  ExpectSameInEveryMode(repeated);
  ExpectSameInEveryMode(repeated + "x := 1;");
  ExpectSameInEveryMode(std::string(40000, 'a') + " " + std::string(40000, 'b'));
  ExpectSameInEveryMode("{" + std::string(50000, 'c') + "}\r\n" + std::string(30000, ' ') + "x");
}

// ---------------------------------------------------------------------------------------------
// The options

TEST(ListingToHtml, EachOptionSwitchesItsOwnStep) {
  const std::string line = "if a<b then x // done\r\n";
  EXPECT_EQ(ListingToHtml(line, true, false), "&nbsp &nbsp  1: if a&lt;b then x // done\r\n<BR>");
  EXPECT_EQ(ListingToHtml(line, false, true), "<B>if</B> a&lt;b <B>then</B> x <I>// done</I>\r\n<BR>");
  EXPECT_EQ(ListingToHtml(line, false, false), "if a&lt;b then x // done\r\n<BR>");
  // String literals keep their quotes whether or not the syntax is emphasised.
  EXPECT_EQ(ListingToHtml("s := 'a b';", false, false), "s := 'a b';<BR>");
  EXPECT_EQ(ListingToHtml("s := 'a b';", false, true), "s := 'a b';<BR>");
  for (const bool lineNumbers : {true, false}) {
    for (const bool syntaxPrint : {true, false}) {
      EXPECT_EQ(ListingToHtml("", lineNumbers, syntaxPrint), "");
      EXPECT_EQ(ListingToHtml("\xEF\xBB\xBF", lineNumbers, syntaxPrint), "");
    }
  }
}

TEST(ListingToHtml, LineNumbersWidenPastFourDigits) {
  std::string source;
  for (int i = 0; i < 12345; ++i) source += "x\r\n";
  const std::string html = ListingToHtml(source, true, false);
  const auto lineAt = [&](int number) {
    size_t start = 0;
    for (int i = 1; i < number; ++i) start = html.find("<BR>", start) + 4;
    return html.substr(start, html.find("<BR>", start) - start);
  };
  EXPECT_EQ(lineAt(9), "&nbsp &nbsp  9: x\r\n");
  EXPECT_EQ(lineAt(10), "&nbsp  10: x\r\n");
  EXPECT_EQ(lineAt(100), " 100: x\r\n");
  EXPECT_EQ(lineAt(1000), "1000: x\r\n");
  EXPECT_TRUE(html.ends_with("12345: x\r\n<BR>"));
}

TEST(ListingToHtml, ControlBytesAreBlanksSoNoNulReachesTheDocument) {
  EXPECT_EQ(ListingToHtml(std::string("a\0b\x01\x02", 5), false, false), "a b&nbsp  <BR>");
}

// The steps one by one, where the golden cases leave a rule unshown.
TEST(ListingSteps, EachStepAlone) {
  using Step = std::string (*)(std::string_view);
  const struct {
    Step step;
    std::string input, expected;
  } cases[] = {
      {AddLineNumbers, "a\r\n\r\n", "   1: a\r\n   2: \r\n"},
      {AddLineNumbers, "a\n\rb", "   1: a\n   2: \r   3: b"},  // LF CR is two line ends; CR LF is one
      {AddLineNumbers, "", ""},
      {EscapeAndKeepBlanks, "\"a\" & <b>'c'", "&quot;a&quot; &amp; &lt;b&gt;'c'"},
      {EscapeAndKeepBlanks, "a   b", "a&nbsp &nbsp  b"},
      {EscapeAndKeepBlanks, "a\t b", "a&nbsp  b"},
      {EscapeAndKeepBlanks, "a  \n  b\r  c", "a&nbsp  \n&nbsp  b\r&nbsp  c"},
      {HighlightSyntax, "Begin&nbsp  x", "<B>Begin</B>&nbsp  x"},
      {HighlightSyntax, "a&lt;b&amp;&quot;&gt;", "a&lt;b&amp;&quot;&gt;"},
      {HighlightSyntax, "x{a}(*b*)//c\r\ny", "x<I>{a}</I><I>(*b*)</I><I>//c</I>\r\ny"},
      {HighlightSyntax, "(*)*)", "<I>(*)*)</I>"},
      {HighlightSyntax, "x := 'It''s' + ''; \x80\x01`\r\n\t12ab;\n\r", "x := 'It''s' + ''; \x80\x01`\r\n\t12ab;\n\r"},
      {HighlightSyntax, "x '", "x '"},
      {AddLineBreaks, "a\rb\nc\n\r", "a\r<BR>b\n<BR>c\n<BR>\r<BR>"},
      {AddLineBreaks, "", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(c.step(c.input), c.expected) << c.input;
}

// The golden case "reserved_word_case" shows the letter case ignored.
TEST(ExpandTabs, BlanksUpToTheNextMultipleOfTheTabWidth) {
  EXPECT_EQ(ExpandTabs("a\tb\r\n\tc\n12345\td", 4), "a   b\r\n    c\n12345   d");
  EXPECT_EQ(ExpandTabs("\tx\t", 1), " x ");
  EXPECT_EQ(ExpandTabs("a\tb", 0), "a\tb");  // no width: the listing shows a tab as one blank
}

TEST(IsReservedWord, KnowsExactlyTheTable) {
  std::istringstream words(
      "and begin do else end if string then array as at asm automated case class const constructor destructor "
      "dispinterface div downto except exports file finalization finally for function goto implementation in "
      "inherited initialization inline interface is label library mod nil not object of or on out packed "
      "private procedure program property protected public published raise record repeat resourcestring set "
      "shl shr threadvar to try type unit until uses var while with xor");
  int count = 0;
  for (std::string word; words >> word; ++count) EXPECT_TRUE(IsReservedWord(word)) << word;
  EXPECT_EQ(count, 72);
  for (const char* word : {"virtual", "override", "read", "write", "beginning", "lt", "gt", "amp", "quot", "nbsp",
                           "", "b", "_begin", "begin1", "integer", "result"}) {
    EXPECT_FALSE(IsReservedWord(word)) << word;
  }
}

// ---------------------------------------------------------------------------------------------
// Finding and writing a unit's listing

TEST(UnitSourceFile, JoinsFolderPathAndNameAndAddsPas) {
  ProjectModel model;
  model.ProjectFolder = "C:\\Work\\";
  model.AddUnit({"Unit1", "Form1", ""});
  model.AddUnit({"Unit2", "", "..\\Common\\"});
  model.AddUnit({"Lib", "", "D:\\Shared\\"});
  model.AddUnit({"Net", "", "\\\\server\\src\\"});
  model.AddUnit({"Vcl.Forms", "", ""});
  model.AddUnit({"Demo.dpr", "", ""});
  EXPECT_EQ(UnitSourceFile(model, "unit1"), "C:\\Work\\unit1.pas");
  EXPECT_EQ(UnitSourceFile(model, "Unit2"), "C:\\Work\\..\\Common\\Unit2.pas");
  EXPECT_EQ(UnitSourceFile(model, "Lib"), "D:\\Shared\\Lib.pas");
  EXPECT_EQ(UnitSourceFile(model, "Net"), "\\\\server\\src\\Net.pas");
  EXPECT_EQ(UnitSourceFile(model, "Vcl.Forms"), "C:\\Work\\Vcl.Forms.pas");
  EXPECT_EQ(UnitSourceFile(model, "Demo.dpr"), "C:\\Work\\Demo.dpr");
  EXPECT_EQ(UnitSourceFile(model, "Missing"), "C:\\Work\\Missing.pas");
}

class SourceToHtmlTest : public testing::WorkspaceTest {
 protected:
  SourceToHtmlTest() { Model().ProjectFolder = folder_.Path(); }
  std::string Write(const std::string& unitName) {
    HtmlWriter writer;
    SourceToHtml(Model(), unitName, options_, writer, ui_);
    return writer.Text();
  }

  ReportOptions options_;
};

TEST_F(SourceToHtmlTest, WritesTheListingOfTheUnitsFileAsTheOptionsAsk) {
  folder_.Write("Common/Unit2.pas", "\xEF\xBB\xBFunit Unit2;\nend.\n");
  Model().AddUnit({"Unit2", "", "Common\\"});
  EXPECT_EQ(Write("Unit2"), "&nbsp &nbsp  1: <B>unit</B> Unit2;\n<BR>&nbsp &nbsp  2: <B>end</B>.\n<BR>");
  options_.SourceLineNumbers = options_.SyntaxPrint = false;
  EXPECT_EQ(Write("Unit2"), "unit Unit2;\n<BR>end.\n<BR>");
  // The project file is listed under its own name.
  folder_.Write("Demo.dpr", "program Demo;");
  Model().AddUnit({"Demo.dpr", "", ""});
  EXPECT_EQ(Write("Demo.dpr"), "program Demo;<BR>");
  EXPECT_TRUE(prompter_.Messages().empty());
}

TEST_F(SourceToHtmlTest, AFileThatCannotBeReadEndsTheRunWithItsName) {
  Model().AddUnit({"Gone", "", ""});
  try {
    Write("Gone");
    FAIL() << "no failure raised";
  } catch (const DocumentError& error) {
    EXPECT_EQ(std::string(error.what()),
              "Cannot open file \"" + folder_.Path() + "Gone.pas\". No such file or directory");
  }
  EXPECT_TRUE(prompter_.Messages().empty());
}

}  // namespace
}  // namespace tarnwick
