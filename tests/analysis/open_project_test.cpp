#include "analysis/open_project.h"

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/recording_prompter.h"
#include "support/temp_folder.h"

namespace tarnwick {
namespace {

using testing::RecordingPrompter;
using testing::RecordingProgressSink;
using testing::TempFolder;

class OpenProjectTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.Write("P.dpr",
                  "program P;\r\nuses\r\n  Forms,\r\n  Main in 'Main.pas' {MainForm},\r\n"
                  "  Util in 'Lib\\Util.pas';\r\nbegin\r\n  Application.CreateForm(TMainForm, MainForm);\r\nend.\r\n");
    folder_.Write("Main.pas", "unit Main;\r\ninterface\r\nuses SysUtils, Util;\r\nimplementation\r\nend.\r\n");
    folder_.Write("Lib/Util.pas", "unit Util;\r\ninterface\r\nuses Classes;\r\nimplementation\r\nend.\r\n");
    folder_.Write("Main.dfm", "object MainForm: TMainForm\r\n  Left = 8\r\nend\r\n");
    folder_.Write("Spare.pas", "unit Spare;\r\nend.\r\n");
  }
  void Open(const std::string& name = "P.dpr") { OpenProject(workspace_, ui_, hooks_, folder_.Path() + name); }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const std::string& entry : progress_.Log())
      if (entry.rfind("text:", 0) == 0) texts.push_back(entry.substr(5));
    return texts;
  }

  TempFolder folder_;
  Workspace workspace_;
  RecordingPrompter prompter_;
  RecordingProgressSink progress_;
  EstimatingTextMeasure measure_;
  UserInterface ui_{prompter_, progress_, measure_};
  OpenHooks hooks_;
};

TEST_F(OpenProjectTest, RunsTheStepsInOrder) {
  std::vector<std::string> calls;
  hooks_.ReleaseHotKeys = [&] { calls.push_back("release"); };
  hooks_.DisableProjectCommands = [&] { calls.push_back("disable"); };
  hooks_.EnableProjectCommands = [&] { calls.push_back("enable"); };
  hooks_.RegisterHotKeys = [&] { calls.push_back("register"); };
  hooks_.Repaint = [&] { calls.push_back("repaint:" + workspace_.Caption); };
  Open();
  std::vector<std::string> expectedCalls = {"release", "disable", "repaint:Tarnwick: " + folder_.Path(),
                                            "enable", "register"};
  EXPECT_EQ(calls, expectedCalls);
  std::vector<std::string> expectedTexts = {"Opening " + folder_.Path() + "P.dpr", "Processing Main",
                                            "Processing util", "Analyzing Main", "Analyzing P.dpr",
                                            "Analyzing Util", "Done."};
  EXPECT_EQ(Texts(), expectedTexts);
  const std::vector<std::string>& log = progress_.Log();
  EXPECT_EQ(log[1], "step");
  EXPECT_EQ(log[2], "cursor:1");
  EXPECT_EQ(log.back(), "reset");
  EXPECT_TRUE(prompter_.Messages().empty()) << prompter_.Texts()[0];
  EXPECT_EQ(workspace_.Model.RootUnitName, "Main");
  EXPECT_EQ(workspace_.Model.UnusedSources, std::vector<std::string>{"Spare.pas"});
  EXPECT_EQ(workspace_.Dependencies.CurDependencyTreeView, CurrentTree::Filtered);
  EXPECT_EQ(workspace_.Objects.CurObjectTreeView, CurrentTree::Filtered);
  EXPECT_EQ(workspace_.ImageFormNames, std::vector<std::string>{"MainForm"});
}

TEST_F(OpenProjectTest, ReopeningClosesFirstAndRecordsHistory) {
  std::vector<std::string> history;
  hooks_.AddToHistory = [&](const std::string& path) { history.push_back(path); };
  Open();
  size_t units = workspace_.Model.Units().size();
  Open();
  EXPECT_EQ(history, std::vector<std::string>{folder_.Path() + "P.dpr"});
  EXPECT_EQ(workspace_.Model.Units().size(), units);
  EXPECT_EQ(workspace_.Dependencies.ShowList.size(), 2u);
  CloseProject(workspace_, ui_, hooks_);
  EXPECT_EQ(workspace_.Caption, "Tarnwick:");
  EXPECT_TRUE(workspace_.Model.Units().empty());
  EXPECT_TRUE(workspace_.Model.DependencyTree.empty());
  EXPECT_TRUE(workspace_.Dependencies.FilteredTree.empty());
  EXPECT_TRUE(workspace_.Objects.ShowList.empty());
}

TEST_F(OpenProjectTest, AnalysesFollowTheSettings) {
  workspace_.Settings.AnalyzeDependencies = false;
  workspace_.Settings.AnalyzeForms = false;
  Open();
  EXPECT_TRUE(workspace_.Model.DependencyTree.empty());
  EXPECT_TRUE(workspace_.Model.ObjectTree.empty());
  EXPECT_EQ(workspace_.Model.UnusedSources, std::vector<std::string>{"Spare.pas"});
  EXPECT_EQ(workspace_.Dependencies.Caption, "Dependencies");
  EXPECT_EQ(workspace_.Dependencies.ShowList.size(), 2u);  // the parser fills the lists anyway
}

TEST_F(OpenProjectTest, WithoutAMainFormTheProjectFileIsTheRoot) {
  folder_.Write("Q.dpr", "program Q;\r\nuses Main in 'Main.pas';\r\nbegin\r\nend.\r\n");
  Open("Q.dpr");
  EXPECT_EQ(prompter_.Texts(), std::vector<std::string>{"Could not determine Main form of project"});
  EXPECT_EQ(workspace_.Model.RootUnitName, "Q.dpr");
  ASSERT_EQ(workspace_.Model.DependencyTree.size(), 1u);
  EXPECT_EQ(workspace_.Model.DependencyTree[0]->Label, "Q.dpr");
  EXPECT_EQ(workspace_.Model.DependencyTree[0]->Children.size(), 1u);
}

TEST_F(OpenProjectTest, NewImagesAreOfferedWhenClosing) {
  Open();
  ImageEntry entry;
  entry.FormName = "MainForm";
  entry.UnitName = "Main";
  entry.FileName = "Main.bmp";
  entry.Status = "New";
  workspace_.Model.Images.push_back(entry);
  prompter_.QueueAnswer(MessageAnswer::No);
  CloseProject(workspace_, ui_, hooks_);
  ASSERT_EQ(prompter_.Messages().size(), 1u);
  EXPECT_EQ(prompter_.Messages()[0].text, "Save new images?");
  EXPECT_EQ(prompter_.Messages()[0].buttons, MessageButtons::NoOk);
  EXPECT_TRUE(workspace_.Model.Images.empty());
}

}  // namespace
}  // namespace tarnwick
