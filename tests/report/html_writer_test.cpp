#include "report/html_writer.h"

#include <gtest/gtest.h>

#include <string>

#include "report/documentation_writer.h"

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
  for (const char* text : {"", "plain", "Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC \xF0\x9F\x98\x80"})
    EXPECT_TRUE(IsValidUtf8(text)) << text;
  // Latin-1, cut short, overlong, a surrogate, past U+10FFFF, a bad continuation.
  for (const char* text : {"\xFC", "\xC3", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE2\x28\xA1"})
    EXPECT_FALSE(IsValidUtf8(text)) << text;
}

// The golden case "title_template" shows the fields replaced; these are the edges of the "%%" pairs.
TEST(TitleTemplate, ReplacesItsFields) {
  const std::pair<const char*, const char*> cases[] = {
      {"<%%other%%>", "<>"}, {"50%x and 5%", "50%x and 5%"},
      // "%x" pairs are taken together, so "%%%" opens a field whose name starts with "%".
      {"a%%%%b", "ab"}, {"%%da%te%%|%%date%%", "|d"}, {"x%a%%project%%", "x%ap"}, {"%%project", "p"},
      {"%%project%", ""}};
  for (auto [text, expanded] : cases) EXPECT_EQ(ExpandTitleTemplate(text, "p", "d"), expanded) << text;
}

}  // namespace
}  // namespace tarnwick
