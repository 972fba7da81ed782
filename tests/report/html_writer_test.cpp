#include "report/html_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <string>

#include "support/temp_folder.h"

namespace tarnwick {
namespace {

TEST(HtmlWriter, StopsTextAtANul) {
  HtmlWriter writer;
  writer.WriteText(std::string("ab\0cd", 5));
  EXPECT_EQ(writer.Text(), "ab");
}

// Without a decoder the text is Windows-1252: the golden document "windows_1252_text".
TEST(HtmlWriter, DecodesProjectTextLineByLineButNotUtf8Pieces) {
  TextDecoder cyrillic("windows-1251");
  HtmlWriter writer(&cyrillic);
  writer.WriteLine("\xCF\xF0\xE8");        // windows-1251
  writer.WriteText("\xD0\x9F\r\n\xCF\r\n");  // a UTF-8 line, then a windows-1251 line
  writer.WriteUtf8("\xD0");                // half a character, completed by the next piece
  writer.WriteUtf8("\x9F");
  EXPECT_EQ(writer.Text(), "\xD0\x9F\xD1\x80\xD0\xB8\r\n\xD0\x9F\r\n\xD0\x9F\r\n\xD0\x9F");
}

class HtmlWriterFile : public ::testing::Test {
 protected:
  testing::TempFolder folder_;
  const std::string path_ = folder_.Path() + "P.html";
};

// A writer abandoned or destroyed before it commits leaves the old document and no temporary file.
TEST_F(HtmlWriterFile, ReplacesTheOldDocumentOnlyWhenCommitted) {
  folder_.Write("P.html", "old");
  {
    HtmlWriter abandoned;
    ASSERT_TRUE(abandoned.Open(path_));
    abandoned.WriteLine("new");
    abandoned.Abandon();
    HtmlWriter dropped;
    ASSERT_TRUE(dropped.Open(path_));
    dropped.WriteLine("new");
  }
  HtmlWriter writer;
  ASSERT_TRUE(writer.Open(path_));
  const std::string line(1000, 'x');
  for (int i = 0; i < 300; ++i) writer.WriteLine(line);  // several flushes of the buffer
  EXPECT_EQ(testing::ReadFileText(path_), "old");
  ASSERT_TRUE(writer.Commit());
  EXPECT_EQ(testing::ReadFileText(path_).size(), 300 * (line.size() + 2));
  using Folder = std::filesystem::directory_iterator;
  EXPECT_EQ(std::distance(Folder(folder_.Path()), Folder()), 1) << "temporary files left behind";
}

TEST_F(HtmlWriterFile, ReplacesAPlantedSymbolicLinkInsteadOfWritingThroughIt) {
  testing::TempFolder elsewhere;
  const std::string target = elsewhere.Write("victim.txt", "precious");
  std::filesystem::create_symlink(target, path_);
  HtmlWriter writer;
  ASSERT_TRUE(writer.Open(path_));
  writer.WriteLine("document");
  ASSERT_TRUE(writer.Commit());
  EXPECT_EQ(testing::ReadFileText(target), "precious");
  EXPECT_EQ(testing::ReadFileText(path_), "document\r\n");
}

}  // namespace
}  // namespace tarnwick
