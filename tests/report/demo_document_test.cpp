// The demo project's whole document against a golden file, so any change to what the writer, the
// listing or the analyses produce shows up as a diff. Set TARNWICK_UPDATE_GOLDEN=1 to rewrite it.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

#include <gtest/gtest.h>

#include "app/open_project.h"
#include "report/documentation_writer.h"
#include "support/workspace_test.h"

namespace tarnwick {
namespace {

constexpr std::time_t kNow = 1700000000;

class DemoDocumentTest : public testing::WorkspaceTest {
 protected:
  void SetUp() override { OpenProject(workspace_, ui_, OpenHooks(), testing::CopyDemoProject(folder_)); }
  DocResult Write(int treeOutput) {
    ReportOptions options;
    options.DependencyOutput = options.ObjectsOutput = treeOutput;
    DocumentationRequest request;
    request.Now = kNow;
    return WriteDocumentation(workspace_.Subject(), options, ui_, request);
  }
  std::string Masked() const {
    const std::string document = folder_.Path() + "Demo/Documentation/Demo.html";
    return testing::MaskedDocument(testing::ReadFileText(document), kNow, folder_.Path());
  }
};

TEST_F(DemoDocumentTest, WholeDocumentMatchesTheGoldenFile) {
  ASSERT_EQ(Write(kOutputAsText), DocResult::Written);
  EXPECT_TRUE(prompter_.Messages().empty()) << prompter_.Texts()[0];
  std::string golden = std::string(TARNWICK_FIXTURES_DIR) + "/demo-document/Demo.html";
  if (std::getenv("TARNWICK_UPDATE_GOLDEN")) std::ofstream(golden, std::ios::binary) << Masked();
  EXPECT_EQ(Masked(), testing::ReadFileText(golden))
      << "rewrite with TARNWICK_UPDATE_GOLDEN=1 after checking the change";
}

TEST_F(DemoDocumentTest, PictureOutputWritesEveryPageItNamesAndNoOther) {
  ASSERT_EQ(Write(kOutputAsJpeg), DocResult::Written);
  const std::string text = Masked(), folder = folder_.Path() + "Demo/Documentation/";
  EXPECT_NE(text.find("<caption ALIGN=\"TOP\"><H3 ALIGN=\"LEFT\">Dependencies</H3></caption>"), std::string::npos);
  EXPECT_NE(text.find("<A NAME=\"FormObjects\"></A>\r\n<table BORDER"), std::string::npos);
  EXPECT_NE(text.find("<DD><A HREF=\"#FormObjects\">Object Tree</A></DD>"), std::string::npos);
  std::regex picture("SRC=\"((Dependencies|Objects)[0-9]+\\.jpg)\"");
  size_t pages = 0, files = 0;
  for (std::sregex_iterator it(text.begin(), text.end(), picture), end; it != end; ++it, ++pages)
    EXPECT_TRUE(std::filesystem::exists(folder + (*it)[1].str())) << (*it)[1];
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    files += std::regex_match(entry.path().filename().string(), std::regex("(Dependencies|Objects)[0-9]+\\.jpg"));
  EXPECT_GT(pages, 2u);
  EXPECT_EQ(pages, files);
}

}  // namespace
}  // namespace tarnwick
