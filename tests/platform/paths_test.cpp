#include "platform/file_system.h"
#include "platform/text_util.h"
#include "platform/win_path.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace tarnwick {
namespace {

using testing::TempFolder;

TEST(HostPath, FindsComponentsWithoutRegardToCaseExactMatchFirst) {
  TempFolder folder;
  folder.Write("Common/Unit2.pas", "unit Unit2;");
  EXPECT_EQ(ToHostPath(folder.Path() + "common\\UNIT2.PAS"), folder.Path() + "Common/Unit2.pas");
  EXPECT_EQ(ToHostPath(folder.Path() + "Sub\\..\\Common\\unit2.pas"),
            folder.Path() + "Common/Unit2.pas");
  EXPECT_TRUE(FileExists(folder.Path() + "COMMON\\unit2.pas"));
  EXPECT_TRUE(DirectoryExists(folder.Path() + "common\\"));
  EXPECT_FALSE(FileExists(folder.Path() + "common"));
  // A missing component is kept as written; of several matches the exact one wins, then the first sorted.
  EXPECT_EQ(ToHostPath(folder.Path() + "Missing\\X.pas"), folder.Path() + "Missing/X.pas");
  for (const char* name : {"unit1.pas", "Unit1.pas", "UNIT1.pas"}) folder.Write(name, "x");
  EXPECT_EQ(ToHostPath(folder.Path() + "Unit1.pas"), folder.Path() + "Unit1.pas");
  EXPECT_EQ(ToHostPath(folder.Path() + "uNIT1.pas"), folder.Path() + "UNIT1.pas");
}

TEST(HostPath, DeepPathsResolveWithAndWithoutTheListingCache) {
  TempFolder folder;
  std::string written, host;
  for (int level = 0; level < 40; ++level) {
    written += "sub" + std::to_string(level) + "\\";
    host += "Sub" + std::to_string(level) + "/";
  }
  folder.Write(host + "Unit.pas", "x");
  EXPECT_EQ(ToHostPath(folder.Path() + written + "UNIT.PAS"), folder.Path() + host + "Unit.pas");
  FolderListingCache listings;
  EXPECT_EQ(ToHostPath(folder.Path() + written + "unit.pas"), folder.Path() + host + "Unit.pas");
  EXPECT_EQ(ToHostPath(folder.Path() + written + "..\\..\\SUB38\\Missing\\x"),
            folder.Path() + host.substr(0, host.rfind("Sub38/") + 6) + "Missing/x");
}

TEST(HostPath, DrivePathsNeverOpen) {
  EXPECT_FALSE(FileExists("C:\\Windows\\win.ini"));
  EXPECT_FALSE(ReadWholeFile("\\\\server\\share\\x.pas").has_value());
}

TEST(Files, ListsWithWildcardsSortedWithoutCase) {
  TempFolder folder;
  for (const char* name : {"Unit1.bmp", "unit1_View.BMP", "Unit10.bmp", "Unit1.jpg", "Other.bmp"})
    folder.Write(name, "x");
  folder.Write("Unit1_dir.bmp/inner", "x");  // a folder that matches is not listed
  std::vector<std::string> expected = {"Unit1.bmp", "Unit10.bmp", "unit1_View.BMP"};
  EXPECT_EQ(ListFiles(folder.Path() + "Unit1*.bmp"), expected);
  EXPECT_TRUE(ListFiles(folder.Path() + "Missing\\*.pas").empty());
}

TEST(Files, ReadWriteCreateDelete) {
  TempFolder folder;
  std::string error;
  EXPECT_FALSE(ReadWholeFile(folder.Path() + "none.pas", &error).has_value());
  EXPECT_FALSE(error.empty());
  ASSERT_TRUE(CreateFolder(folder.Path() + "Documentation\\"));
  EXPECT_TRUE(CreateFolder(folder.Path() + "Documentation"));  // already there
  EXPECT_FALSE(CreateFolder(folder.Path() + "a\\b\\c", &error));  // one level only
  std::string file = folder.Write("Documentation/Out.html", "old");
  ASSERT_TRUE(WriteFileAtomic(folder.Path() + "documentation\\out.html", std::string("a\0b", 3)));
  EXPECT_EQ(ReadWholeFile(file).value(), std::string("a\0b", 3));
  // Renaming onto a folder fails: reported, and no temporary file is left.
  folder.Write("Documentation/Sub/x", "");
  EXPECT_FALSE(WriteFileAtomic(folder.Path() + "Documentation/Sub", "new", &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(ListFiles(folder.Path() + "Documentation/*"), std::vector<std::string>{"Out.html"});
  EXPECT_TRUE(DeleteFile(file));
  EXPECT_FALSE(FileExists(file));
}

// A FIFO would block the open forever and a device would be read without end: only regular files
// (symbolic links followed) up to the size limit are read.
TEST(Files, ReadsOnlyRegularFilesWithinTheLimit) {
  TempFolder folder;
  std::string fifo = folder.Path() + "fifo.pas";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::string sparse = folder.Write("huge.pas", "");
  ASSERT_EQ(::truncate(sparse.c_str(), static_cast<off_t>(kMaxInputFileSize + 1)), 0);
  std::filesystem::create_symlink("/dev/zero", folder.Path() + "zero.dfm");
  std::filesystem::create_symlink(folder.Write("real.pas", "unit Real;"), folder.Path() + "link.pas");
  const std::pair<std::string, std::string> refused[] = {{fifo, "Not a regular file"},
                                                         {folder.Path() + "zero.dfm", "Not a regular file"},
                                                         {folder.Path(), "Is a directory"},
                                                         {sparse, "The file is larger than 512 MB"}};
  for (const auto& [path, reason] : refused) {
    std::string error;
    EXPECT_FALSE(ReadWholeFile(path, &error).has_value()) << path;
    EXPECT_EQ(error, reason) << path;
  }
  EXPECT_EQ(ReadWholeFile(folder.Path() + "link.pas").value(), "unit Real;");
}

TEST(TextUtil, NamesSortLikeTheDesktop) {
  std::vector<std::string> names = {"Unit2", "unit1", "Unit1", "_Base", "2nd", "Zeta", "alpha", "a_b", "ab"};
  std::sort(names.begin(), names.end(), NameLess());
  std::vector<std::string> expected = {"_Base", "2nd", "a_b", "ab", "alpha", "unit1", "Unit1", "Unit2", "Zeta"};
  EXPECT_EQ(names, expected);
  EXPECT_EQ(CompareNames("Form1", "Form1"), 0);
  EXPECT_LT(CompareNames("Form", "Form1"), 0);
}

}  // namespace
}  // namespace tarnwick
