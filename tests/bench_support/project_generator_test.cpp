// Generated projects on disk, opened by the core as a user would open them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <set>
#include <stdexcept>
#include <string>

#include "analysis/dependency_analysis.h"
#include "app/open_project.h"
#include "platform/bmp_codec.h"
#include "platform/jpeg_codec.h"
#include "project_generator.h"
#include "support/recording_prompter.h"
#include "support/temp_folder.h"
#include "vocabulary.h"

namespace tarnwick {
namespace {

using testing::ReadFileText;
using testing::RecordingPrompter;
using testing::TempFolder;

GeneratorOptions Options(const TempFolder& folder, int units, uint64_t seed) {
  GeneratorOptions options;
  options.Units = units;
  options.Seed = seed;
  options.OutputFolder = folder.Path();
  options.LinesPerUnit = 120;
  return options;
}

/// Opens a generated project with the core, recording every message.
struct OpenedProject {
  explicit OpenedProject(const std::string& projectFile, bool analyzeDependencies = true) {
    workspace.Settings.AnalyzeDependencies = analyzeDependencies;
    UserInterface ui = Ui();
    OpenProject(workspace, ui, OpenHooks(), projectFile);
  }

  UserInterface Ui() { return UserInterface{prompter, progress, measure}; }

  RecordingPrompter prompter;
  NullProgressSink progress;
  EstimatingTextMeasure measure;
  Workspace workspace;
};

std::string Lower(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return result;
}

// The nodes of the dependency tree that stand for project units: neither circular leaves nor
// outside units.
size_t CountUnitNodes(const DependencyForest& forest) {
  std::set<std::string> outside;
  for (std::string_view name : vocabulary::OutsideUnits()) outside.insert(Lower(name));
  for (std::string_view name : vocabulary::DottedOutsideUnits()) outside.insert(Lower(name));
  size_t count = 0;
  std::vector<const DependencyNode*> pending;
  for (const auto& root : forest) pending.push_back(root.get());
  while (!pending.empty()) {
    const DependencyNode* node = pending.back();
    pending.pop_back();
    count += !node->Label.ends_with(" (Circular)") && !outside.count(Lower(node->Label));
    for (const auto& child : node->Children) pending.push_back(child.get());
  }
  return count;
}

std::map<std::string, std::string> FilesBelow(const std::string& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) {
      files[std::filesystem::relative(entry.path(), folder).string()] = ReadFileText(entry.path().string());
    }
  }
  return files;
}

TEST(ProjectGeneratorTest, GeneratedProjectOpensCleanly) {
  TempFolder folder;
  const GeneratedProject project = GenerateProject(Options(folder, 60, 21));
  OpenedProject opened(project.ProjectFile);
  EXPECT_EQ(opened.prompter.Texts(), std::vector<std::string>{});
  const ProjectModel& model = opened.workspace.Model;
  EXPECT_EQ(model.Units().size(), project.Plan.Units.size() + 1);  // and the project file's own row
  EXPECT_EQ(model.MainFormName, project.Plan.Units.back().FormName);
  EXPECT_EQ(model.UnusedSources.size(), project.Plan.Unused.size());
  EXPECT_EQ(model.Images.size(), project.PictureFiles.size());
  EXPECT_EQ(model.ObjectTree.size(), project.BinaryForms.size() + project.TextForms.size());
  EXPECT_EQ(static_cast<double>(CountUnitNodes(model.DependencyTree)), CountTreeUnits(project.Plan, 1e9));
  for (const UnitPlan& unit : project.Plan.Units) {
    const UnitEntry* entry = model.FindUnitByName(unit.Name);
    ASSERT_NE(entry, nullptr) << unit.Name;
    EXPECT_EQ(entry->FormName, unit.FormName);
    EXPECT_EQ(Lower(entry->Path), Lower(unit.WrittenFolder));
  }
}

TEST(ProjectGeneratorTest, ProjectHasEveryKindOfFile) {
  TempFolder folder;
  GeneratorOptions options = Options(folder, 120, 4);
  options.Pictures = 5;
  const GeneratedProject project = GenerateProject(options);
  EXPECT_EQ(project.UnitFiles.size(), 120u);
  EXPECT_GT(project.BinaryForms.size(), 20u);
  EXPECT_GT(project.TextForms.size(), 5u);
  EXPECT_EQ(project.UnusedFiles.size(), 4u);
  ASSERT_EQ(project.PictureFiles.size(), 5u);
  for (const std::string& form : project.TextForms) {
    const std::string text = ReadFileText(form);
    EXPECT_TRUE(text.starts_with("object ") || text.starts_with("inherited ")) << form;
    for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1)) {
      ASSERT_EQ(text[at - 1], '\r') << form << " has a bare line feed";
    }
  }
  for (const std::string& form : project.BinaryForms) EXPECT_EQ(ReadFileText(form).substr(0, 3), std::string("\xFF\x0A\x00", 3)) << form;
  for (const std::string& picture : project.PictureFiles) {
    const std::string bytes = ReadFileText(picture);
    const bool decoded = picture.ends_with(".jpg") ? DecodeJpeg(bytes).has_value() : DecodeBmp(bytes).has_value();
    EXPECT_TRUE(decoded) << picture;
  }
  EXPECT_TRUE(std::filesystem::exists(folder.Path() + "Common"));
}

TEST(ProjectGeneratorTest, UnitsHaveRoughlyTheLinesAskedFor) {
  TempFolder folder;
  GeneratorOptions options = Options(folder, 30, 8);
  options.LinesPerUnit = 400;
  const GeneratedProject project = GenerateProject(options);
  for (const std::string& path : project.UnitFiles) {
    const std::string text = ReadFileText(path);
    const auto lines = std::count(text.begin(), text.end(), '\n');
    EXPECT_GT(lines, 300) << path;
    EXPECT_LT(lines, 1000) << path;
    EXPECT_TRUE(text.ends_with("end.\r\n")) << path;
    for (const char* mark : {"{ ", "(* ", "// ", "''"}) EXPECT_NE(text.find(mark), std::string::npos) << path << mark;
  }
}

TEST(ProjectGeneratorTest, SameOptionsGiveTheSameBytes) {
  TempFolder first;
  TempFolder second;
  TempFolder other;
  GenerateProject(Options(first, 40, 77));
  GenerateProject(Options(second, 40, 77));
  GenerateProject(Options(other, 40, 78));
  const auto files = FilesBelow(first.Path());
  EXPECT_GT(files.size(), 60u);
  EXPECT_EQ(files, FilesBelow(second.Path()));
  EXPECT_NE(files, FilesBelow(other.Path()));
}

TEST(ProjectGeneratorTest, RefusesAProjectFolderThatHoldsFiles) {
  TempFolder folder;
  const GeneratedProject project = GenerateProject(Options(folder, 10, 1));
  EXPECT_THROW(GenerateProject(Options(folder, 10, 1)), std::runtime_error);
  GeneratorOptions noFolder;
  EXPECT_THROW(GenerateProject(noFolder), std::runtime_error);
}

TEST(ProjectGeneratorTest, DenseProjectRunsIntoTheNodeBudget) {
  TempFolder folder;
  GeneratorOptions options = Options(folder, 40, 3);
  options.Shape = GraphShape::Dense;
  options.LinesPerUnit = 40;
  const GeneratedProject project = GenerateProject(options);
  OpenedProject opened(project.ProjectFile, false);
  ASSERT_EQ(opened.prompter.Texts(), std::vector<std::string>{});
  UserInterface ui = opened.Ui();
  AnalyzeDependencies(opened.workspace.Model, opened.workspace.Dependencies, ui, {.NodeBudget = 200000});
  ASSERT_EQ(opened.prompter.Messages().size(), 1u);
  EXPECT_EQ(opened.prompter.Messages()[0].kind, MessageKind::Warning);
  EXPECT_NE(opened.prompter.Texts()[0].find("cut at 200000"), std::string::npos) << opened.prompter.Texts()[0];
  EXPECT_EQ(CountNodes(opened.workspace.Model.DependencyTree), 200000u);
}

}  // namespace
}  // namespace tarnwick
