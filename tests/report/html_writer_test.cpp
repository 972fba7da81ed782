#include "report/html_writer.h"

#include <gtest/gtest.h>

#include <string>

#include "report/documentation_writer.h"
#include "support/temp_folder.h"

namespace tarnwick {
namespace {

TEST(HtmlWriter, WritesThePrimitivesByteForByte) {
  HtmlWriter writer;
  writer.WriteText("a");
  writer.WriteLine();
  writer.WriteBreaks(2);
  writer.FontOpen("Arial", 14);
  writer.ImageTableStart("<H3>X</H3>");
  writer.ImageRow("Objects1.jpg", 480, 1200);
  writer.ImageTableEnd();
  EXPECT_EQ(writer.Body(),
            "a\r\n<BR>\r\n<BR>\r\n<font face=\"Arial\">\r\n<font size=\"+1\">\r\n"
            "<table BORDER=\"0\" WIDTH=\"480\" CELLSPACING=\"0\" CELLPADDING=\"0\">\r\n"
            "<caption ALIGN=\"TOP\"><H3>X</H3></caption>\r\n"
            "<tr>\r\n<td><IMG SRC=\"Objects1.jpg\" HEIGHT=1200 WIDTH=480></td><br>\r\n</tr>\r\n"
            "</table><br>\r\n");
}

TEST(HtmlWriter, NeverCutsLongTextButStopsTextAtANul) {
  HtmlWriter writer;
  std::string longText(10000, 'x');
  writer.WriteText(longText);
  writer.WriteLine(longText);
  EXPECT_EQ(writer.Body(), longText + longText + "\r\n");
  HtmlWriter nul;
  nul.WriteText(std::string("ab\0cd", 5));
  EXPECT_EQ(nul.Body(), "ab");
}

TEST(HtmlWriter, MapsPointSizesToHtmlSizes) {
  const std::pair<int, const char*> sizes[] = {{1, "-2"},  {9, "-2"},  {10, "-2"}, {11, "+0"}, {12, "+0"},
                                               {13, "+1"}, {14, "+1"}, {15, "+2"}, {18, "+2"}, {19, "+3"},
                                               {24, "+3"}, {25, "+4"}, {30, "+4"}};
  for (auto [points, html] : sizes) EXPECT_EQ(HtmlFontSize(points), html) << points;
}

TEST(HtmlWriter, PutsTheCharsetLineAtItsMarkByTheWholeText) {
  HtmlWriter writer;
  writer.WriteLine("<Head>");
  writer.MarkCharsetLine();
  writer.WriteLine("</Head>");
  EXPECT_EQ(
      writer.Contents(),
      "<Head>\r\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\r\n</Head>\r\n");
  writer.WriteLine("caf\xE9");
  EXPECT_NE(writer.Contents().find("charset=windows-1252\">\r\n</Head>"), std::string::npos);
  HtmlWriter unmarked;
  unmarked.WriteText("x");
  EXPECT_EQ(unmarked.Contents(), "x");
}

TEST(HtmlWriter, TellsWellFormedUtf8) {
  EXPECT_TRUE(IsValidUtf8(""));
  EXPECT_TRUE(IsValidUtf8("plain"));
  EXPECT_TRUE(
      IsValidUtf8("Gr\xC3\xBC\xC3\x9F"
                  "e \xE2\x82\xAC \xF0\x9F\x98\x80"));
  EXPECT_FALSE(IsValidUtf8("\xFC"));
  EXPECT_FALSE(IsValidUtf8("\xC3"));              // cut short
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // surrogate
  EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // past U+10FFFF
  EXPECT_FALSE(IsValidUtf8("\xE2\x28\xA1"));      // bad continuation
}

TEST(HtmlWriter, EscapesTheFourMarkupCharacters) {
  EXPECT_EQ(EscapeHtml("Press <Enter> & \"go\" 'now'"), "Press &lt;Enter&gt; &amp; &quot;go&quot; 'now'");
}

TEST(HtmlWriter, WritesItsContentsToAFile) {
  testing::TempFolder temp;
  HtmlWriter writer;
  writer.WriteLine("<HTML>");
  std::string error;
  ASSERT_TRUE(writer.WriteToFile(temp.Path() + "out.html", &error)) << error;
  EXPECT_EQ(testing::ReadFileText(temp.Path() + "out.html"), "<HTML>\r\n");
  EXPECT_FALSE(writer.WriteToFile(temp.Path() + "missing/out.html", &error));
  EXPECT_FALSE(error.empty());
}

TEST(TitleTemplate, ReplacesItsFields) {
  EXPECT_EQ(
      ExpandTitleTemplate("Printed %%DATE%% for %%Project%%, 100%% sure", "C:\\Work\\Demo.dpr", "1/2/2024"),
      "Printed 1/2/2024 for C:\\Work\\Demo.dpr, 100");
  EXPECT_EQ(ExpandTitleTemplate("<%%other%%>", "p", "d"), "<>");
  EXPECT_EQ(ExpandTitleTemplate("50%x and 5%", "p", "d"), "50%x and 5%");
  // "%x" pairs are taken together, so "%%%" opens a field whose name starts with "%".
  EXPECT_EQ(ExpandTitleTemplate("a%%%%b", "p", "d"), "ab");
  EXPECT_EQ(ExpandTitleTemplate("%%da%te%%|%%date%%", "p", "d"), "|d");
  EXPECT_EQ(ExpandTitleTemplate("x%a%%project%%", "p", "d"), "x%ap");
  EXPECT_EQ(ExpandTitleTemplate("%%project", "p", "d"), "p");
  EXPECT_EQ(ExpandTitleTemplate("%%project%", "p", "d"), "");
}

}  // namespace
}  // namespace tarnwick
