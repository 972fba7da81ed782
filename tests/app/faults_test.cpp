// Hostile projects too large to write down as cases of tests/fixtures/command_line: a unit of 50 MB
// and a uses clause without end are read, and the document is written.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "app/open_project.h"
#include "report/documentation_writer.h"
#include "support/workspace_test.h"

namespace tarnwick {
namespace {

class FaultsTest : public testing::WorkspaceTest {
 protected:
  void SetUp() override {
    folder_.Write("P.dpr", "program P;\r\nuses\r\n  Main in 'Main.pas',\r\n  Other in 'Other.pas';\r\nbegin\r\nend.\r\n");
  }
  DocResult OpenAndWrite() {
    OpenProject(workspace_, ui_, OpenHooks(), folder_.Path() + "P.dpr");
    ReportOptions options;
    options.DependencyOutput = options.ObjectsOutput = kOutputAsText;
    return WriteDocumentation(workspace_.Subject(), options, ui_, DocumentationRequest());
  }
};

TEST_F(FaultsTest, HugeUnitIsReadAndListed) {
  std::string huge = "unit Other;\r\ninterface\r\nuses SysUtils;\r\nimplementation\r\n";
  const std::string line = "  x := 'a string' + IntToStr(42); // a comment that is long enough\r\n";
  while (huge.size() < 50u * 1024 * 1024) huge += line;
  folder_.Write("Other.pas", huge + "end.\r\n");
  folder_.Write("Main.pas", "unit Main;\r\nend.\r\n");
  EXPECT_EQ(OpenAndWrite(), DocResult::Written) << ::testing::PrintToString(prompter_.Texts());
  EXPECT_GT(std::filesystem::file_size(folder_.Path() + "Documentation/P.html"), huge.size());
}

TEST_F(FaultsTest, AUsesClauseWithoutEndIsReadToTheEndOfTheFile) {
  folder_.Write("Main.pas", "unit Main;\r\ninterface\r\nuses Other, " + std::string(100000, ',') + "X");
  folder_.Write("Other.pas", "unit Other;\r\nend.\r\n");
  EXPECT_EQ(OpenAndWrite(), DocResult::Written) << ::testing::PrintToString(prompter_.Texts());
  EXPECT_EQ(Model().DependencyTree.size(), 1u);
}

}  // namespace
}  // namespace tarnwick
