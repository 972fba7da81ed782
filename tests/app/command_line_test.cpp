#include "app/cli/command_line.h"

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/temp_folder.h"

namespace tarnwick {
namespace {

using testing::TempFolder;

/// Runs tarnwick-doc in-process on a copy of the demo project with its own settings file.
class CommandLineTest : public ::testing::Test {
 protected:
  void SetUp() override { project_ = testing::CopyDemoProject(folder_); }
  int Run(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"tarnwick-doc", "-q", "--settings", folder_.Path() + "t.reg"});
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    int status = RunCommandLine(static_cast<int>(argv.size()), argv.data());
    out_ = ::testing::internal::GetCapturedStdout();
    err_ = ::testing::internal::GetCapturedStderr();
    return status;
  }
  const std::string& Project() const { return project_; }
  std::string Document() const { return folder_.Path() + "Demo/Documentation/Demo.html"; }

  TempFolder folder_;
  std::string project_;
  std::string out_;
  std::string err_;
};

TEST_F(CommandLineTest, UsageErrorsExitWithOne) {
  EXPECT_EQ(Run({"--version"}), 0);
  EXPECT_NE(out_.find("tarnwick-doc"), std::string::npos);
  EXPECT_EQ(Run({}), 1);
  EXPECT_EQ(Run({"--dump", "xml", Project()}), 1);
  EXPECT_EQ(Run({"-o", "NoSuchOption=1", Project()}), 1);
  EXPECT_EQ(Run({"-o", "LinesPerImage=0", Project()}), 1);
  EXPECT_NE(err_.find("error: Invalid value for \"Lines Per Image\""), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(Document()));
}

TEST_F(CommandLineTest, DumpJsonHasEveryPart) {
  ASSERT_EQ(Run({"--dump", "json", "-o", "AnalyzeForms=0", Project()}), 0);
  nlohmann::json dump = nlohmann::json::parse(out_);
  EXPECT_EQ(dump["mainFormName"], "MainForm");
  EXPECT_EQ(dump["units"].size(), 9u);
  EXPECT_EQ(dump["unusedSources"], nlohmann::json::array({"Unused.pas"}));
  EXPECT_EQ(dump["dependencies"]["current"], "filtered");
  EXPECT_TRUE(dump["objects"]["tree"].empty());  // the override switched the form analysis off
  EXPECT_EQ(dump["images"].size(), 2u);
  EXPECT_TRUE(dump["messages"].empty());
  // Compact by default; --pretty indents exactly as the JSON library does.
  EXPECT_EQ(out_, nlohmann::ordered_json::parse(out_).dump() + "\n");
  ASSERT_EQ(Run({"--dump", "json", "--pretty", "-o", "AnalyzeForms=0", Project()}), 0);
  EXPECT_EQ(out_, nlohmann::ordered_json::parse(out_).dump(2) + "\n");
}

TEST_F(CommandLineTest, DependencyFilterChoices) {
  ASSERT_EQ(Run({"--dump", "json", "--dependency-show", "SysUtils", Project()}), 0);
  nlohmann::json dump = nlohmann::json::parse(out_);
  EXPECT_EQ(dump["dependencies"]["showList"], nlohmann::json::array({"SysUtils"}));
  ASSERT_FALSE(dump["dependencies"]["filteredTree"].empty());
  ASSERT_EQ(Run({"--dump", "json", "--dependency-all", Project()}), 0);
  EXPECT_EQ(nlohmann::json::parse(out_)["dependencies"]["caption"], "All Dependencies");
}

TEST_F(CommandLineTest, WritesTheDocumentAndAsksBeforeOverwriting) {
  ASSERT_EQ(Run({"-o", "DependencyOutput=0", "-o", "ObjectsOutput=0", Project()}), 0) << err_;
  EXPECT_EQ(out_, Document() + "\n");
  std::string first = testing::ReadFileText(Document());
  EXPECT_NE(first.find("<H2>Source Code</H2>"), std::string::npos);
  // Standard input is no terminal here, so the overwrite question gets the safe answer, and says so.
  EXPECT_EQ(Run({Project()}), 3);
  EXPECT_NE(err_.find("confirmation: Overwrite file \n\n" + Document() + "?\n\nanswered Cancel"), std::string::npos)
      << err_;
  EXPECT_EQ(Run({"--yes", "-o", "SourceLineNumbers=0", Project()}), 0);
  EXPECT_EQ(err_, "");  // with --yes no question is printed
  EXPECT_NE(testing::ReadFileText(Document()), first);
}

TEST_F(CommandLineTest, AProjectThatCannotBeReadFailsOnceAndWritesNothing) {
  for (const std::string& project : {folder_.Path() + "Demo/None.dpr", folder_.Path() + "Demo"}) {
    EXPECT_EQ(Run({"--yes", project}), 1) << project;
    EXPECT_EQ(err_.find("error: Can not open file: "), 0u) << err_;
    EXPECT_EQ(err_.find("error:", 1), std::string::npos) << err_;
    EXPECT_EQ(out_, "");
  }
  EXPECT_EQ(Run({"--dump", "json", folder_.Path() + "Demo/None.dpr"}), 1);
  EXPECT_EQ(out_, "");
  EXPECT_FALSE(std::filesystem::exists(Document()));
}

TEST_F(CommandLineTest, AnUnreadableUnitIsWrittenWithErrors) {
  std::filesystem::remove(folder_.Path() + "Demo/Contacts.pas");
  EXPECT_EQ(Run({"-o", "DependencyOutput=0", "-o", "ObjectsOutput=0", Project()}), 5);
  EXPECT_EQ(out_, Document() + "\n");
  EXPECT_EQ(err_, "error: Can not open file: \n\n" + folder_.Path() + "Demo/contacts.pas\n\nNo such file or directory\n");
  std::string document = testing::ReadFileText(Document());
  EXPECT_NE(document.find("<I>The source could not be read. Cannot open file &quot;" + folder_.Path() +
                          "Demo/Contacts.pas&quot;. No such file or directory</I><BR>"),
            std::string::npos);
  EXPECT_TRUE(document.ends_with("</HTML>\r\n"));
}

TEST_F(CommandLineTest, ThePrintedPathIsTheFileWritten) {
  std::filesystem::rename(folder_.Path() + "Demo/Documentation", folder_.Path() + "Demo/documentation");
  ASSERT_EQ(Run({"-o", "DependencyOutput=0", "-o", "ObjectsOutput=0", Project()}), 0) << err_;
  EXPECT_EQ(out_, folder_.Path() + "Demo/documentation/Demo.html\n");
  EXPECT_TRUE(std::filesystem::exists(folder_.Path() + "Demo/documentation/Demo.html"));
}

TEST_F(CommandLineTest, BadSettingsAreWarnedOnceAndFontFacesEscaped) {
  folder_.Write("t.reg", "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Merrowind\\Tarnwick]\n"
                         "\"IndentSpaces\"=\"wide\"\n\"DependencyOutput\"=dword:00000000\n");
  ASSERT_EQ(Run({"-o", "SourceFont=x\"><script>", "-o", "ObjectsOutput=0", Project()}), 0) << err_;
  EXPECT_EQ(err_, "warning: The stored value IndentSpaces (\"wide\") is not a whole number; 3 is used instead.\n");
  std::string document = testing::ReadFileText(Document());
  EXPECT_NE(document.find("<font face=\"x&quot;&gt;&lt;script&gt;\">"), std::string::npos);
  EXPECT_EQ(document.find("<script>"), std::string::npos);
  EXPECT_EQ(Run({"-o", "IndentSpaces=wide", Project()}), 1);

  std::filesystem::remove(folder_.Path() + "t.reg");
  std::filesystem::create_directory(folder_.Path() + "t.reg");
  EXPECT_EQ(Run({"--yes", "-o", "DependencyOutput=0", "-o", "ObjectsOutput=0", Project()}), 0);
  EXPECT_EQ(err_, "warning: The settings file could not be read; the defaults are used.\n\n" + folder_.Path() +
                      "t.reg\n\nIs a directory\n");
}

TEST_F(CommandLineTest, NothingSelectedAndNoFolder) {
  EXPECT_EQ(Run({"-o", "SourceAll=0", "-o", "ImagesAll=0", "-o", "DependencyAll=0", "-o", "ObjectsAll=0",
                 "-o", "UnusedSourceAll=0", Project()}),
            2);
  EXPECT_NE(err_.find("information: You have not selected anything to print."), std::string::npos);
  std::filesystem::remove_all(folder_.Path() + "Demo/Documentation");
  folder_.Write("Demo/Documentation", "a file where the folder should be");
  EXPECT_EQ(Run({"--yes", Project()}), 4);
}

TEST_F(CommandLineTest, CircularReferencesCompactTreeAndGraphFiles) {
  const std::string demoCycle = "EditUnit, MainUnit: EditUnit -impl-> MainUnit -> EditUnit";
  ASSERT_EQ(Run({"--cycles", "-o", "AnalyzeDependencies=0", Project()}), 0) << err_;
  EXPECT_EQ(out_, "Circular references (1):\n  " + demoCycle + "\n");
  EXPECT_FALSE(std::filesystem::exists(Document()));

  ASSERT_EQ(Run({"--dump", "json", "-o", "DependencyCompact=1", Project()}), 0);
  nlohmann::json dump = nlohmann::json::parse(out_);
  EXPECT_EQ(dump["cycles"], nlohmann::json::parse(R"([{"units": ["EditUnit", "MainUnit"],
                                                       "cycle": "EditUnit -impl-> MainUnit -> EditUnit"}])"));
  EXPECT_NE(out_.find("common (see above)"), std::string::npos);

  const std::string graph = folder_.Path() + "uses.graphml";
  ASSERT_EQ(Run({"--graph", graph, "--graph-outside", Project()}), 0) << err_;
  EXPECT_NE(testing::ReadFileText(graph).find(">SysUtils</data><data key=\"outside\">true"), std::string::npos);
  EXPECT_EQ(Run({"--graph", folder_.Path() + "uses.png", Project()}), 1);
  EXPECT_EQ(Run({"--graph", folder_.Path() + "missing/uses.dot", Project()}), 1);
  EXPECT_NE(err_.find("Could not write the graph file"), std::string::npos);
}

}  // namespace
}  // namespace tarnwick
