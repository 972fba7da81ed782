// The demo project's whole document against a golden file, so any change to what the writer, the
// listing or the analyses produce shows up as a diff. Set TARNWICK_UPDATE_GOLDEN=1 to rewrite it.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

#include <gtest/gtest.h>

#include "analysis/open_project.h"
#include "report/documentation_writer.h"
#include "support/recording_prompter.h"
#include "support/temp_folder.h"

namespace tarnwick {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

constexpr std::time_t kNow = 1700000000;

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

class DemoDocumentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::copy(TARNWICK_SOURCE_DIR "/examples/Demo", folder_.Path() + "Demo", fs::copy_options::recursive);
    for (const auto& entry : fs::directory_iterator(folder_.Path() + "Demo/Documentation")) {
      std::string name = entry.path().filename().string();
      if (name != "MainUnit.jpg" && name != "EditUnit_Details.bmp") fs::remove(entry.path());
    }
    OpenProject(workspace_, ui_, OpenHooks(), folder_.Path() + "Demo/Demo.dpr");
  }
  DocResult Write(int treeOutput) {
    ReportOptions options;
    options.DependencyOutput = treeOutput;
    options.ObjectsOutput = treeOutput;
    DocumentationRequest request;
    request.Now = kNow;
    return WriteDocumentation(workspace_, options, ui_, request);
  }
  std::string Masked() const {
    std::ifstream in(folder_.Path() + "Demo/Documentation/Demo.html", std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    text = std::regex_replace(text, std::regex("TimeStamp\" content=\"[^\"]*\""), "TimeStamp\" content=\"*\"");
    text = ReplaceAll(text, ShortDateText(kNow), "{DATE}");
    return ReplaceAll(text, folder_.Path(), "{FOLDER}/");
  }

  TempFolder folder_;
  Workspace workspace_;
  testing::RecordingPrompter prompter_;
  testing::RecordingProgressSink progress_;
  EstimatingTextMeasure measure_;
  UserInterface ui_{prompter_, progress_, measure_};
};

TEST_F(DemoDocumentTest, WholeDocumentMatchesTheGoldenFile) {
  ASSERT_EQ(Write(kOutputAsText), DocResult::Written);
  EXPECT_TRUE(prompter_.Messages().empty()) << prompter_.Texts()[0];
  std::string golden = std::string(TARNWICK_FIXTURES_DIR) + "/demo-document/Demo.html";
  if (std::getenv("TARNWICK_UPDATE_GOLDEN")) std::ofstream(golden, std::ios::binary) << Masked();
  std::ifstream in(golden, std::ios::binary);
  std::string expected((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(Masked(), expected) << "rewrite with TARNWICK_UPDATE_GOLDEN=1 after checking the change";
}

TEST_F(DemoDocumentTest, PictureOutputWritesEveryPageItNames) {
  ASSERT_EQ(Write(kOutputAsJpeg), DocResult::Written);
  std::string text = Masked();
  std::regex picture("SRC=\"((Dependencies|Objects)[0-9]+\\.jpg)\"");
  int pages = 0;
  for (std::sregex_iterator it(text.begin(), text.end(), picture), end; it != end; ++it, ++pages)
    EXPECT_TRUE(fs::exists(folder_.Path() + "Demo/Documentation/" + (*it)[1].str())) << (*it)[1];
  EXPECT_GT(pages, 2);
}

}  // namespace
}  // namespace tarnwick
