#include "analysis/project_model.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

// The rows' order is shown by the project file parser's tests, the name order by the text tests;
// names found in any case by the dependency analysis' tests.
TEST(ProjectModel, FormNamesMatchExactly) {
  ProjectModel model;
  model.AddUnit({"Unit1", "Form1", "Lib\\"});
  model.AddUnit({"Unit2", "form1", ""});
  ASSERT_NE(model.FindUnitByForm("form1"), nullptr);
  EXPECT_EQ(model.FindUnitByForm("form1")->UnitName, "Unit2");
  EXPECT_EQ(model.FindUnitByForm("FORM1"), nullptr);
}

TEST(ProjectModel, ClearEmptiesTheProjectAndKeepsFoldersAndNames) {
  ProjectModel model;
  model.ProjectFile = "/p/P.dpr";
  model.ProjectFolder = "/p/";
  model.MainFormName = "Form1";
  model.AddUnit({"P.dpr", "", ""});
  model.UnusedSources = {"X.pas"};
  AddRoot(model.DependencyTree, "P.dpr");
  model.Clear();
  EXPECT_TRUE(model.ProjectFile.empty() && model.Units().empty() && model.UnusedSources.empty());
  EXPECT_TRUE(model.DependencyTree.empty());
  EXPECT_FALSE(model.ContainsUnit("P.dpr"));  // the name index goes with the rows
  EXPECT_EQ(model.ProjectFolder, "/p/");
  EXPECT_EQ(model.MainFormName, "Form1");
}

}  // namespace
}  // namespace tarnwick
