#include "platform/file_system.h"
#include "platform/text_util.h"
#include "platform/win_path.h"

#include <algorithm>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace tarnwick {
namespace {

using testing::TempFolder;

TEST(WinPath, SplitsAtBackslashSlashAndColon) {
  using Split = std::string (*)(std::string_view);
  const std::tuple<Split, const char*, const char*> cases[] = {
      {ExtractFileName, "C:\\Work\\P.dpr", "P.dpr"},        {ExtractFilePath, "C:\\Work\\P.dpr", "C:\\Work\\"},
      {ExtractFilePath, "C:P.dpr", "C:"},                     {ExtractFilePath, "..\\Common/Unit2.pas", "..\\Common/"},
      {ExtractFilePath, "Unit2.pas", ""},                     {ExtractFileExt, "..\\v1.2\\Unit2", ""},
      {ExtractFileExt, "Lib\\Unit2.pas", ".pas"}};
  for (auto [split, path, part] : cases) EXPECT_EQ(split(path), part) << path;
  EXPECT_EQ(ChangeFileExt("MyLib", ".dpr"), "MyLib.dpr");
  EXPECT_EQ(ChangeFileExt("Demo.dpr", ".html"), "Demo.html");
}

TEST(WinPath, DrivePartsAndExtensions) {
  for (const char* path : {"C:\\x.pas", "\\\\server\\share\\x.pas"}) EXPECT_TRUE(HasDrivePart(path)) << path;
  for (const char* path : {"\\Lib\\x.pas", "..\\x.pas", ""}) EXPECT_FALSE(HasDrivePart(path)) << path;
  // A dotted unit name has no extension of its own; a source extension is kept.
  EXPECT_EQ(AppendExtensionIfMissing("dbstructures.mysql", ".pas"), "dbstructures.mysql.pas");
  EXPECT_EQ(AppendExtensionIfMissing("Project1.dpr", ".pas"), "Project1.dpr");
  EXPECT_EQ(AppendExtensionIfMissing("unit1", ".dfm"), "unit1.dfm");
  EXPECT_EQ(AppendExtensionIfMissing("Unit1.PAS", ".pas"), "Unit1.PAS");
}

TEST(WinPath, WildcardsIgnoreCase) {
  for (auto [pattern, name] : {std::pair{"Unit1*.bmp", "Unit1_Main.BMP"}, {"Unit1*.bmp", "unit1.bmp"},
                               {"*.pas", "a.b.PAS"}, {"?nit*", "Unit"}})
    EXPECT_TRUE(WildcardMatch(pattern, name)) << pattern << " " << name;
  for (auto [pattern, name] : {std::pair{"*.pas", "a.pas.bak"}, {"Unit1*.bmp", "Unit2.bmp"}, {"", "x"}})
    EXPECT_FALSE(WildcardMatch(pattern, name)) << pattern << " " << name;
}

TEST(HostPath, FindsComponentsWithoutRegardToCase) {
  TempFolder folder;
  folder.Write("Common/Unit2.pas", "unit Unit2;");
  EXPECT_EQ(ToHostPath(folder.Path() + "common\\UNIT2.PAS"), folder.Path() + "Common/Unit2.pas");
  EXPECT_EQ(ToHostPath(folder.Path() + "Sub\\..\\Common\\unit2.pas"),
            folder.Path() + "Common/Unit2.pas");
  EXPECT_TRUE(FileExists(folder.Path() + "COMMON\\unit2.pas"));
  EXPECT_TRUE(DirectoryExists(folder.Path() + "common\\"));
  EXPECT_FALSE(FileExists(folder.Path() + "common"));
  // A missing component is kept as written.
  EXPECT_EQ(ToHostPath(folder.Path() + "Missing\\X.pas"), folder.Path() + "Missing/X.pas");
}

TEST(HostPath, ExactMatchWinsThenFirstSorted) {
  TempFolder folder;
  folder.Write("unit1.pas", "lower");
  folder.Write("Unit1.pas", "exact");
  folder.Write("UNIT1.pas", "upper");
  EXPECT_EQ(ToHostPath(folder.Path() + "Unit1.pas"), folder.Path() + "Unit1.pas");
  EXPECT_EQ(ToHostPath(folder.Path() + "uNIT1.pas"), folder.Path() + "UNIT1.pas");
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
  std::string file = folder.Path() + "documentation\\Out.html";
  ASSERT_TRUE(WriteFileAtomic(file, std::string("a\0b", 3)));
  EXPECT_EQ(ReadWholeFile(file).value(), std::string("a\0b", 3));
  ASSERT_TRUE(WriteFileAtomic(file, "second"));
  EXPECT_EQ(ReadWholeFile(file).value(), "second");
  EXPECT_EQ(ListFiles(folder.Path() + "Documentation/*").size(), 1u);  // no temporary left
  EXPECT_TRUE(DeleteFile(file));
  EXPECT_FALSE(FileExists(file));
  EXPECT_FALSE(CreateFolder(folder.Path() + "a\\b\\c", &error));  // one level only
}

TEST(Files, FailedAtomicWriteKeepsOldFile) {
  TempFolder folder;
  std::string file = folder.Write("Out.html", "old");
  std::string blocker = folder.Write("Out.html.dir/x", "");  // rename onto a folder fails
  std::string error;
  EXPECT_FALSE(WriteFileAtomic(folder.Path() + "Out.html.dir", "new", &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(ReadWholeFile(file).value(), "old");
  EXPECT_EQ(ListFiles(folder.Path() + "*").size(), 1u);
}

TEST(TextUtil, NamesSortLikeTheDesktop) {
  std::vector<std::string> names = {"Unit2", "unit1", "Unit1", "_Base", "2nd", "Zeta", "alpha", "a_b", "ab"};
  std::sort(names.begin(), names.end(), NameLess());
  std::vector<std::string> expected = {"_Base", "2nd", "a_b", "ab", "alpha", "unit1", "Unit1", "Unit2", "Zeta"};
  EXPECT_EQ(names, expected);
  EXPECT_EQ(CompareNames("Form1", "Form1"), 0);
  EXPECT_LT(CompareNames("Form", "Form1"), 0);
  EXPECT_EQ(TrimBlanks(" \tTForm1 \t"), "TForm1");
  EXPECT_EQ(TrimBlanks("\n x"), "\n x");  // only blanks and tabs are trimmed
}

}  // namespace
}  // namespace tarnwick
