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
  // Standard input is no terminal here, so the overwrite question gets the safe answer.
  EXPECT_EQ(Run({Project()}), 3);
  EXPECT_NE(err_.find("confirmation: "), std::string::npos);
  EXPECT_EQ(Run({"--yes", "-o", "SourceLineNumbers=0", Project()}), 0);
  EXPECT_NE(testing::ReadFileText(Document()), first);
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

}  // namespace
}  // namespace tarnwick
