// Hostile and broken projects, end to end: every fault gets its message, the work goes on where it
// can, and nothing the user made is damaged.
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/open_project.h"
#include "app/app_settings.h"
#include "report/documentation_writer.h"
#include "support/workspace_test.h"

namespace tarnwick {
namespace {

constexpr const char* kProject =
    "program P;\r\nuses\r\n  Forms,\r\n  Main in 'Main.pas' {MainForm},\r\n  Other in 'Other.pas',\r\n"
    "  Gone in 'Gone.pas' {GoneForm};\r\nbegin\r\n  Application.CreateForm(TMainForm, MainForm);\r\nend.\r\n";

class FaultsTest : public testing::WorkspaceTest {
 protected:
  void SetUp() override {
    folder_.Write("P.dpr", kProject);
    folder_.Write("Main.pas", "unit Main;\r\ninterface\r\nuses Other, Gone;\r\nimplementation\r\nend.\r\n");
    folder_.Write("Main.dfm", "object MainForm: TMainForm\r\n  Caption = 'Press <Enter>'\r\nend\r\n");
    workspace_.Settings.AnalyzeDependencies = true;
    workspace_.Settings.AnalyzeForms = true;
  }
  void Open() { OpenProject(workspace_, ui_, OpenHooks(), folder_.Path() + "P.dpr"); }
  DocResult Write() {
    ReportOptions options;
    options.DependencyOutput = options.ObjectsOutput = kOutputAsText;
    return WriteDocumentation(workspace_.Subject(), options, ui_, DocumentationRequest());
  }
  bool Said(const std::string& text) const {
    for (const std::string& said : prompter_.Texts())
      if (said.find(text) != std::string::npos) return true;
    return false;
  }
};

TEST_F(FaultsTest, MissingEmptyAndGarbageUnitsAreReportedOnceAndTheRestGoesOn) {
  folder_.Write("Other.pas", std::string("\0\xff\x01{(*'", 8) + std::string(1000, '\xfe'));  // garbage
  Open();
  // Main and the project file both use Gone: one message for the one file.
  std::vector<std::string> texts = prompter_.Texts();
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "Can not open file: \r\r" + folder_.Path() + "gone.pas\r\rNo such file or directory"), 1);
  EXPECT_TRUE(Said("Could not open the form \r\r" + folder_.Path() + "Gone.dfm"));
  EXPECT_EQ(Model().ObjectTree.size(), 1u);  // Main's form still read
  // Gone's section says why it is empty, and the document goes on to its end; its failure was
  // shown at the open and is not shown again.
  prompter_.Clear();
  EXPECT_EQ(Write(), DocResult::WrittenWithErrors);
  EXPECT_TRUE(prompter_.Texts().empty()) << prompter_.Texts().front();
  std::string document = testing::ReadFileText(folder_.Path() + "Documentation/P.html");
  size_t section = document.find("<H3>Gone</H3>");
  ASSERT_NE(section, std::string::npos);
  EXPECT_EQ(document.find("<I>The source could not be read. Cannot open file", section), section + 64)
      << document.substr(section, 200);
  EXPECT_NE(document.find("Main.pas"), std::string::npos);
  EXPECT_TRUE(document.ends_with("</HTML>\r\n"));
}

TEST_F(FaultsTest, UnreadableFileAndEndlessUsesClause) {
  std::filesystem::create_directory(folder_.Path() + "Other.pas");  // exists but cannot be read as a file
  folder_.Write("Main.pas", "unit Main;\r\ninterface\r\nuses Gone, Other, " + std::string(100000, ',') + "X");
  Open();
  EXPECT_TRUE(Said("Can not open file: \r\r" + folder_.Path() + "Other.pas\r\rIs a directory"));
  ASSERT_EQ(Model().DependencyTree.size(), 1u);
  EXPECT_EQ(Write(), DocResult::WrittenWithErrors);
}

TEST_F(FaultsTest, EmptyAndTruncatedProjectFiles) {
  folder_.Write("P.dpr", "");
  Open();
  EXPECT_TRUE(Said("Could not determine Main form of project"));
  EXPECT_EQ(Model().Units().size(), 1u);
  folder_.Write("P.dpr", std::string(kProject).substr(0, 60));
  prompter_.Clear();
  Open();
  EXPECT_TRUE(Said("Could not determine Main form of project"));
}

TEST_F(FaultsTest, HugeUnitIsReadAndListed) {
  std::string huge = "unit Other;\r\ninterface\r\nuses SysUtils;\r\nimplementation\r\n";
  std::string line = "  x := 'a string' + IntToStr(42); // a comment that is long enough\r\n";
  while (huge.size() < 50u * 1024 * 1024) huge += line;
  folder_.Write("Other.pas", huge + "end.\r\n");
  folder_.Write("Gone.pas", "unit Gone;\r\nend.\r\n");
  Open();
  EXPECT_EQ(Write(), DocResult::Written);
  auto size = std::filesystem::file_size(folder_.Path() + "Documentation/P.html");
  EXPECT_GT(size, huge.size()) << ::testing::PrintToString(prompter_.Texts());
}

TEST_F(FaultsTest, DocumentationFolderThatCannotBeCreated) {
  folder_.Write("Documentation", "a file where the folder should be");
  Open();
  prompter_.Clear();
  EXPECT_EQ(Write(), DocResult::NoFolder);
  EXPECT_EQ(prompter_.Shown(), std::vector<std::string>{"error: Could not create dir " + Model().DocumentationFolder});
  EXPECT_EQ(testing::ReadFileText(folder_.Path() + "Documentation"), "a file where the folder should be");
}

TEST_F(FaultsTest, OutputFileThatCannotBeWrittenKeepsTheOldOne) {
  std::filesystem::create_directories(folder_.Path() + "Documentation/P.html");
  Open();
  prompter_.Clear();
  EXPECT_EQ(Write(), DocResult::NoFile);  // after the overwrite question, answered OK
  const std::string file = Model().DocumentationFolder + "P.html";
  EXPECT_TRUE(prompter_.Shown().back().starts_with("error: Cannot create file \"" + file + "\". "))
      << prompter_.Texts().back();
  EXPECT_TRUE(std::filesystem::is_directory(file));
}

TEST_F(FaultsTest, MalformedAndUnwritableSettings) {
  std::string store = folder_.Write("s.reg", "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Merrowind\\Tarnwick\n"
                                             "\"AnalyzeForms\"=dword:zz\n\x01\x02garbage\n"
                                             "[HKEY_CURRENT_USER\\Software\\Merrowind\\Tarnwick]\n"
                                             "\"JPegCompressionQuality\"=dword:00000032\n");
  SettingsStore settings(store);
  ASSERT_TRUE(settings.Load());
  AppSettings loaded;
  LoadSettings(settings, loaded);
  EXPECT_EQ(loaded.JPegCompressionQuality, 50);
  EXPECT_TRUE(loaded.AnalyzeForms);

  folder_.Write("blocked", "x");
  SettingsStore unwritable(folder_.Path() + "blocked/s.reg");
  prompter_.Clear();
  EXPECT_FALSE(SaveSettings(unwritable, loaded, prompter_));
  EXPECT_EQ(prompter_.Shown(), std::vector<std::string>{"error: Could not save your settings because the registry "
                                                        "key \\Software\\Merrowind\\Tarnwick could not be opened or "
                                                        "created."});
  EXPECT_EQ(testing::ReadFileText(folder_.Path() + "blocked"), "x");
}

}  // namespace
}  // namespace tarnwick
