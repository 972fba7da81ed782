#include "analysis/dependency_analysis.h"

#include <functional>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/text_util.h"
#include "support/case_file.h"
#include "support/tree_text.h"
#include "support/workspace_test.h"

namespace tarnwick {
namespace {

using testing::Outline;
using testing::RecordingProgressSink;
using testing::RecordingPrompter;
using testing::ReplaceAll;
using testing::TempFolder;
using Names = std::vector<std::string>;

/// A project in a temporary folder whose unit list is filled by hand, as the project file parser
/// would leave it.
class DependencyAnalysisTest : public testing::WorkspaceTest {
 protected:
  DependencyAnalysisTest() {
    Model().ProjectFolder = folder_.Path();
    Model().AddUnit({"Project1.dpr", "", ""});
  }
  std::string Analyze(const std::string& root, const DependencyAnalysisOptions& options = {}) {
    Model().RootUnitName = root;
    AnalyzeDependencies(workspace_.Model, workspace_.Dependencies, ui_, options);
    return Outline(Model().DependencyTree);
  }
};

TEST_F(DependencyAnalysisTest, TreesOfTheCaseFile) {
  int number = 0;
  for (const testing::TestCase& c : testing::ReadCaseFile("analysis/dependencies.cases")) {
    SCOPED_TRACE(c.Name);
    // Each case in a folder of its own, so no file of an earlier case is found.
    const std::string folder = "case" + std::to_string(++number) + "/project/";
    Model().Clear();
    workspace_.Dependencies.ResetDependencyViews();
    Model().ProjectFolder = folder_.Path() + folder;
    Model().AddUnit({"Project1.dpr", "", ""});
    if (c.Has("project")) folder_.Write(folder + "Project1.dpr", c.Value("project"));
    for (const std::string& unit : c.Values("unit")) {
      std::istringstream words(unit);
      std::string pathAndName, form, source;
      words >> pathAndName >> form;
      const std::string path = pathAndName.substr(0, pathAndName.rfind('\\') + 1);
      const std::string name = pathAndName.substr(path.size());
      Model().AddUnit({name, form == "-" ? "" : form, path});
      const std::string file = folder + ReplaceAll(path, "\\", "/") + name + ".pas";
      if (std::getline(words >> std::ws, source, '\0')) folder_.Write(file, source);
    }
    Names shown;
    for (const std::string& text : c.Values("shown")) shown.push_back(ReplaceAll(text, "{FOLDER}", Model().ProjectFolder));
    for (const std::string key : {"tree", "compact"}) {
      if (!c.Has(key)) continue;
      DependencyAnalysisOptions options{.Compact = key == "compact"};
      if (c.Has("node-budget")) options.NodeBudget = std::stoul(c.Value("node-budget"));
      if (c.Has("depth-budget")) options.DepthSumBudget = std::stoul(c.Value("depth-budget"));
      prompter_.Clear();
      EXPECT_EQ(Analyze(c.Value("root"), options), c.Value(key)) << key;
      EXPECT_EQ(prompter_.Shown(), shown) << key;
      if (key == "tree" && c.Has("suppress")) {
        EXPECT_EQ(workspace_.Dependencies.SuppressList, c.Values("suppress"));
      }
    }
  }
}

TEST(SortDependencyTreeTest, EveryLevelByNameKeepingTheOrderOfEqualLabels) {
  DependencyForest forest = testing::ParseOutline("root[b, A[z, Y], dup[first], _x, a, 2, dup[second]], Alpha");
  SortDependencyTree(forest);
  EXPECT_EQ(Outline(forest), "Alpha, root[_x, 2, a, A[Y, z], b, dup[first], dup[second]]");
}

TEST_F(DependencyAnalysisTest, UnusedSourcesAreThePasFilesThatAreNoUnit) {
  Model().AddUnit({"Unit1", "", ""});
  Model().AddUnit({"Unit2", "", "..\\Lib\\"});
  for (const char* name : {"Unit1.pas", "UNIT2.pas", "Zeta.pas", "alpha.pas", "Helper.PAS", "Unit1.dfm",
                           "notes.txt", "Project1.pas", "Sub/Other.pas"}) {
    folder_.Write(name, "unit x; end.");
  }
  Model().UnusedSources = {"stale.pas"};
  ListUnusedSources(workspace_.Model);
  // The project file's own row is named Project1.dpr, so Project1.pas is no unit of it.
  EXPECT_EQ(Model().UnusedSources, (Names{"alpha.pas", "Helper.PAS", "Project1.pas", "Zeta.pas"}));
}

// Writes a random project of seven units whose uses clauses mix project units in any letter case,
// outside units, a unit whose file is missing and a unit in a sub folder.
void WriteRandomProject(ProjectModel& model, const TempFolder& folder, unsigned seed) {
  std::mt19937 random(seed);
  auto pick = [&](const Names& names) { return names[random() % names.size()]; };
  const Names outside = {"SysUtils", "sysutils", "Classes", "Vcl.Forms", "Windows"};
  const Names spellings = {"Unit", "UNIT", "unit"};
  for (int i = 0; i < 7; ++i) {
    const std::string name = "Unit" + std::to_string(i);
    const std::string path = i == 5 ? "Sub\\" : "";
    model.AddUnit({name, i % 3 == 0 ? "Form" + std::to_string(i) : "", path});
    std::string text = "unit " + name + "; interface";
    for (const char* clause : {" uses ", " implementation uses "}) {
      const int count = 1 + static_cast<int>(random() % 2);
      text += clause;
      for (int e = 0; e < count; ++e) {
        const unsigned kind = random() % 5;
        std::string entry = kind == 0   ? pick(outside)
                            : kind == 1 ? "Missing"
                                        : pick(spellings) + std::to_string(random() % 7);
        text += entry + (e + 1 < count ? ", " : ";");
      }
    }
    folder.Write((i == 5 ? "Sub/" : "") + name + ".pas", text + " end.");
  }
  model.AddUnit({"Missing", "", ""});
}

// The compact tree as its rule states it, taken from the sorted full tree: walking it on screen,
// a unit met again becomes a leaf with " (see above)", and what stood under it is dropped.
DependencyForest CompactOf(const DependencyForest& full, const ProjectModel& model) {
  std::set<std::string> unitLabels, seen;
  for (const UnitEntry& unit : model.Units())
    unitLabels.insert(ToLowerAscii(unit.FormName.empty() ? unit.UnitName : unit.FormName));
  DependencyForest compact;
  std::function<void(const DependencyForest&, DependencyNode*)> add = [&](const auto& nodes, auto* parent) {
    for (const auto& node : nodes) {
      const std::string key = ToLowerAscii(node->Label);
      const bool again = unitLabels.contains(key) && !seen.insert(key).second;
      const std::string label = node->Label + (again ? " (see above)" : "");
      DependencyNode* copy = parent ? parent->AddChild(label) : AddRoot(compact, label);
      if (!again) add(node->Children, copy);
    }
  };
  add(full, nullptr);
  SortDependencyTree(compact);
  return compact;
}

// One analysis of `workspace`: its tree as an outline, then its statuses and steps, messages and
// offered outside units.
Names Analysis(Workspace& workspace, const DependencyAnalysisOptions& options) {
  RecordingPrompter prompter;
  RecordingProgressSink progress;
  EstimatingTextMeasure measure;
  UserInterface ui{prompter, progress, measure};
  workspace.Dependencies.ResetDependencyViews();
  AnalyzeDependencies(workspace.Model, workspace.Dependencies, ui, options);
  Names result = progress.Log();
  result.insert(result.begin(), Outline(workspace.Model.DependencyTree));
  for (const std::string& text : prompter.Texts()) result.push_back("message:" + text);
  for (const std::string& unit : workspace.Dependencies.SuppressList) result.push_back("offered:" + unit);
  return result;
}

// Random projects read with the sources cache give what reading each file at every visit gives,
// and their compact tree is the full one with each unit met again cut to a leaf.
TEST(DependencyAnalysisCacheTest, CacheAndCompactTreeAgreeWithReadingEachFileAtEveryVisit) {
  for (unsigned seed = 1; seed <= 25; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    TempFolder folder;
    Workspace workspace;
    workspace.Model.ProjectFolder = folder.Path();
    WriteRandomProject(workspace.Model, folder, seed);
    workspace.Model.RootUnitName = "Unit0";
    const Names uncached = Analysis(workspace, {.CacheSources = false});
    const std::string compact = Outline(CompactOf(workspace.Model.DependencyTree, workspace.Model));
    EXPECT_EQ(Analysis(workspace, {.CacheSources = true}), uncached);
    EXPECT_EQ(Analysis(workspace, {.Compact = true}).front(), compact);
  }
}

}  // namespace
}  // namespace tarnwick
