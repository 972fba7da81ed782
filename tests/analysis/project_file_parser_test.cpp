#include "analysis/project_file_parser.h"

#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/case_file.h"
#include "support/workspace_test.h"

namespace tarnwick {
namespace {

using Names = std::vector<std::string>;

/// Parses a project file text the way the open flow does: the project's own row comes first.
class ProjectFileParserTest : public testing::WorkspaceTest {
 protected:
  // Parses `text` as the project file `fileName`; without a text the file is missing.
  void Parse(const std::optional<std::string>& text, const std::string& fileName = "Project1.dpr") {
    Model().ProjectFile = text ? folder_.Write(fileName, *text) : folder_.Path() + fileName;
    Model().ProjectFolder = folder_.Path();
    Model().AddUnit({fileName, "", ""});
    ParseProjectFile(workspace_.Model, workspace_.Dependencies, workspace_.SourceListWidth, ui_);
  }
  Names Rows() {
    Names rows;
    for (const UnitEntry& unit : Model().Units()) rows.push_back(unit.UnitName + "|" + unit.FormName + "|" + unit.Path);
    return rows;
  }
};

TEST_F(ProjectFileParserTest, ProjectsOfTheCaseFile) {
  for (const testing::TestCase& c : testing::ReadCaseFile("analysis/project_files.cases")) {
    SCOPED_TRACE(c.Name);
    Model().Clear();
    Model().MainFormName = "OldForm";
    Model().RootUnitName = "Old";
    workspace_.Dependencies.ResetDependencyViews();
    prompter_.Clear();
    const std::optional<std::string> text = c.Has("project") ? std::optional(c.Value("project")) : std::nullopt;
    Parse(text, c.Has("file") ? c.Value("file") : "Project1.dpr");
    EXPECT_EQ(Rows(), c.Values("row"));
    EXPECT_EQ(workspace_.Dependencies.SuppressList, c.Values("suppress"));
    EXPECT_EQ(workspace_.Dependencies.ShowList, c.Values("show"));
    EXPECT_EQ(Model().MainFormName, c.Value("main"));
    EXPECT_EQ(Model().RootUnitName, c.Value("root"));
    Names shown;
    for (const std::string& line : c.Values("shown")) shown.push_back(testing::ReplaceAll(line, "{FOLDER}", folder_.Path()));
    EXPECT_EQ(prompter_.Shown(), shown);
  }
}

TEST(UnitPathColumn, DrivePrefixForRootedPaths) {
  EXPECT_EQ(UnitPathColumn("D:\\Work\\P.dpr", "\\Shared\\U.pas"), "D:\\Shared\\");
  EXPECT_EQ(UnitPathColumn("D:\\Work\\P.dpr", "U.pas"), "");
  EXPECT_EQ(UnitPathColumn("/home/me/P.dpr", "\\Shared\\U.pas"), "\\Shared\\");
}

TEST_F(ProjectFileParserTest, ColumnWidthsAreBoundedByAThirdOfTheList) {
  workspace_.SourceListWidth = 600;
  Parse("program P; uses A in 'A.pas' {AVeryLongFormNameThatIsWiderThanAThirdOfTheList}; begin end.");
  const SourceColumnWidths& widths = Model().ColumnWidths;
  EXPECT_EQ(widths.FormName, 200);
  EXPECT_EQ(widths.Path, 600 - widths.Unit - widths.FormName - 4);
}

}  // namespace
}  // namespace tarnwick
