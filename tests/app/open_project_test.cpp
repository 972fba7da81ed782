#include "app/open_project.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/workspace_test.h"

namespace tarnwick {
namespace {

using Names = std::vector<std::string>;

class OpenProjectTest : public testing::WorkspaceTest {
 protected:
  void SetUp() override {
    folder_.Write("P.dpr",
                  "program P;\r\nuses\r\n  Forms,\r\n  Main in 'Main.pas' {MainForm},\r\n"
                  "  Util in 'Lib\\Util.pas';\r\nbegin\r\n  Application.CreateForm(TMainForm, MainForm);\r\nend.\r\n");
    folder_.Write("Main.pas", "unit Main;\r\ninterface\r\nuses SysUtils, Util;\r\nimplementation\r\nend.\r\n");
    folder_.Write("Lib/Util.pas", "unit Util;\r\ninterface\r\nuses Classes;\r\nimplementation\r\nend.\r\n");
    folder_.Write("Main.dfm", "object MainForm: TMainForm\r\n  Left = 8\r\nend\r\n");
  }
  void Open(const std::string& name = "P.dpr") { OpenProject(workspace_, ui_, hooks_, folder_.Path() + name); }
  Names Texts() const {
    Names texts;
    for (const std::string& entry : progress_.Log())
      if (entry.rfind("text:", 0) == 0) texts.push_back(entry.substr(5));
    return texts;
  }

  OpenHooks hooks_;
};

TEST_F(OpenProjectTest, RunsTheStepsInOrder) {
  Names calls;
  hooks_.ReleaseHotKeys = [&] { calls.push_back("release"); };
  hooks_.DisableProjectCommands = [&] { calls.push_back("disable"); };
  hooks_.EnableProjectCommands = [&] { calls.push_back("enable"); };
  hooks_.RegisterHotKeys = [&] { calls.push_back("register"); };
  hooks_.Repaint = [&] { calls.push_back("repaint:" + workspace_.Caption); };
  Open();
  EXPECT_EQ(calls, (Names{"release", "disable", "repaint:Tarnwick: " + folder_.Path(), "enable", "register"}));
  EXPECT_EQ(Texts(), (Names{"Opening " + folder_.Path() + "P.dpr", "Processing Main", "Processing util",
                            "Analyzing Main", "Analyzing P.dpr", "Analyzing Util", "Done."}));
  EXPECT_EQ(progress_.Log().back(), "reset");
  EXPECT_TRUE(prompter_.Messages().empty()) << prompter_.Texts()[0];
  EXPECT_EQ(Model().RootUnitName, "Main");
  EXPECT_EQ(workspace_.Dependencies.CurDependencyTreeView, CurrentTree::Filtered);
}

TEST_F(OpenProjectTest, ReopeningClosesFirstAndRecordsHistory) {
  Names history;
  hooks_.AddToHistory = [&](const std::string& path) { history.push_back(path); };
  Open();
  size_t units = Model().Units().size();
  Open();
  EXPECT_EQ(history, Names{folder_.Path() + "P.dpr"});
  EXPECT_EQ(Model().Units().size(), units);
  CloseProject(workspace_, ui_, hooks_);
  EXPECT_EQ(workspace_.Caption, "Tarnwick:");
  EXPECT_TRUE(Model().Units().empty());
  EXPECT_TRUE(workspace_.Dependencies.FilteredTree.empty());
}

TEST_F(OpenProjectTest, AnalysesFollowTheSettings) {
  workspace_.Settings.AnalyzeDependencies = false;
  workspace_.Settings.AnalyzeForms = false;
  Open();
  EXPECT_TRUE(Model().DependencyTree.empty());
  EXPECT_TRUE(Model().ObjectTree.empty());
  EXPECT_EQ(workspace_.Dependencies.ShowList.size(), 2u) << "the filters' lists are filled anyway";
}

TEST_F(OpenProjectTest, WithoutAMainFormTheProjectFileIsTheRoot) {
  folder_.Write("Q.dpr", "program Q;\r\nuses Main in 'Main.pas';\r\nbegin\r\nend.\r\n");
  Open("Q.dpr");
  EXPECT_EQ(Model().RootUnitName, "Q.dpr");
  ASSERT_EQ(Model().DependencyTree.size(), 1u);
  EXPECT_EQ(Model().DependencyTree[0]->Label, "Q.dpr");
}

}  // namespace
}  // namespace tarnwick
