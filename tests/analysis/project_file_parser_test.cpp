#include "analysis/project_file_parser.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/workspace_test.h"

namespace tarnwick {
namespace {

using Names = std::vector<std::string>;

/// Parses a project file text the way the open flow does: the project's own row comes first.
class ProjectFileParserTest : public testing::WorkspaceTest {
 protected:
  void Parse(const std::string& text, const std::string& fileName = "Project1.dpr") {
    Model().ProjectFile = folder_.Write(fileName, text);
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

TEST_F(ProjectFileParserTest, WorkedExample) {
  Parse("program Project1; uses Forms, Unit1 in 'Unit1.pas' {Form1}, Unit2 in '..\\Common\\Unit2.pas' "
        "{DataModule2: TDataModule}, Unit3 in 'Unit3.pas'; {$R *.RES} begin Application.Initialize; "
        "Application.CreateForm(TDataModule2, DataModule2); Application.CreateForm(TForm1, Form1); "
        "Application.Run; end.");
  EXPECT_EQ(Rows(), (Names{"Project1.dpr||", "Unit1|Form1|", "Unit2|DataModule2|..\\Common\\", "Unit3||"}));
  EXPECT_EQ(workspace_.Dependencies.SuppressList, Names{"Forms"});
  EXPECT_EQ(workspace_.Dependencies.ShowList, (Names{"Form1", "DataModule2", "Unit3"}));
  EXPECT_EQ(Model().MainFormName, "Form1");
  EXPECT_EQ(Model().RootUnitName, "");
  EXPECT_TRUE(prompter_.Messages().empty());
}

TEST_F(ProjectFileParserTest, DuplicatesAndUnitsWithoutPath) {
  Parse("program P; uses Windows, Unit1 in 'Unit1.pas' {Form1}, UNIT1 in 'x\\Unit1.pas' {Other}, unit1, "
        "Windows; begin Application.CreateForm(TForm1, Form1); end.");
  EXPECT_EQ(Rows(), (Names{"Project1.dpr||", "Unit1|Form1|"}));
  EXPECT_EQ(workspace_.Dependencies.ShowList, Names{"Form1"});
  // A name without a path that is a unit already, and a repeated outside name, are offered once.
  EXPECT_EQ(workspace_.Dependencies.SuppressList, Names{"Windows"});
}

TEST_F(ProjectFileParserTest, FramesAndDataModulesAreNeverTheMainForm) {
  Parse("program P; uses Unit3 in 'Unit3.pas' {Frame3: TFrame}; begin "
        "Application.CreateForm(TFrame3, Frame3); end.");
  EXPECT_EQ(Rows()[1], "Unit3|Frame3|");
  EXPECT_EQ(workspace_.Dependencies.ShowList, Names{"Frame3"});
  // The statement got as far as its second argument, so the name stays although it did not match.
  EXPECT_EQ(Model().MainFormName, "Frame3");
  EXPECT_TRUE(prompter_.Messages().empty());
}

TEST_F(ProjectFileParserTest, LastCreateFormWinsWhenNoneMatches) {
  Parse("program P; uses Unit1 in 'Unit1.pas' {Form1}; begin Application.CreateForm(TForm1, MainFrm); "
        "Application.Run; end.");
  EXPECT_EQ(Model().MainFormName, "MainFrm");
}

TEST_F(ProjectFileParserTest, CommentAfterPathEndsTheClauseButBracesAreForms) {
  Parse("program P; uses A in 'A.pas' (* note *), B in 'B.pas'; begin end.");
  EXPECT_EQ(Rows().size(), 2u);  // only A
  Parse("program P; uses C in 'C.pas' {About box}, D in 'D.pas' {FormD}; begin end.", "P2.dpr");
  EXPECT_EQ(Rows(), (Names{"A||", "C||", "D|FormD|", "P2.dpr||", "Project1.dpr||"}));
}

TEST_F(ProjectFileParserTest, LibraryNameAndMissingMainForm) {
  Parse("library MyLib; uses U in 'U.pas'; begin end.");
  EXPECT_EQ(Model().RootUnitName, "MyLib");
  EXPECT_EQ(Model().MainFormName, "");
  EXPECT_TRUE(prompter_.Messages().empty());

  Parse("program P; begin end.", "P2.dpr");
  EXPECT_EQ(Model().RootUnitName, "");
  EXPECT_EQ(prompter_.Shown(), Names{"warning: Could not determine Main form of project"});
}

TEST_F(ProjectFileParserTest, DottedNamesAndByteOrderMark) {
  Parse("\xEF\xBB\xBFlibrary Lib; uses Vcl.Forms, dbstructures.mysql in '..\\x\\dbstructures.mysql.pas' {F}; "
        "begin end.");
  EXPECT_EQ(Model().RootUnitName, "Lib");
  EXPECT_EQ(Rows()[0], "dbstructures.mysql|F|..\\x\\");
  EXPECT_EQ(workspace_.Dependencies.SuppressList, Names{"Vcl.Forms"});
}

TEST_F(ProjectFileParserTest, UnreadableFileClearsNamesOfThePreviousProject) {
  Model().MainFormName = "OldForm";
  Model().RootUnitName = "Old";
  Model().ProjectFile = folder_.Path() + "Missing.dpr";
  ParseProjectFile(workspace_.Model, workspace_.Dependencies, workspace_.SourceListWidth, ui_);
  EXPECT_EQ(prompter_.Texts(), Names{"Can not open file: \r\r" + folder_.Path() + "Missing.dpr\r\rNo such file or directory"});
  EXPECT_EQ(Model().MainFormName, "");
  EXPECT_EQ(Model().RootUnitName, "");
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
  EXPECT_LT(widths.Unit, 200);
  EXPECT_EQ(widths.Path, 600 - widths.Unit - widths.FormName - 4);
}

}  // namespace
}  // namespace tarnwick
