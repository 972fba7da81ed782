// Generated projects on disk, opened by the core as a user would open them, and generated forms
// checked through the core's form file reader.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <stdexcept>
#include <string>

#include "analysis/dependency_analysis.h"
#include "analysis/form_file_reader.h"
#include "app/open_project.h"
#include "form_builder.h"
#include "form_stream_writer.h"
#include "form_text_writer.h"
#include "large_shapes.h"
#include "platform/bmp_codec.h"
#include "platform/jpeg_codec.h"
#include "platform/settings_store.h"
#include "platform/text_util.h"
#include "project_generator.h"
#include "random_source.h"
#include "support/recording_prompter.h"
#include "support/temp_folder.h"
#include "vocabulary.h"

namespace tarnwick {
namespace {

using testing::ReadFileText;
using testing::RecordingPrompter;
using testing::TempFolder;

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

// The nodes of the dependency tree that stand for project units: neither circular leaves nor
// outside units.
size_t CountUnitNodes(const DependencyForest& forest) {
  std::set<std::string> outside;
  for (std::string_view name : vocabulary::OutsideUnits()) outside.insert(ToLowerAscii(name));
  for (std::string_view name : vocabulary::DottedOutsideUnits()) outside.insert(ToLowerAscii(name));
  size_t count = 0;
  std::vector<const DependencyNode*> pending;
  for (const auto& root : forest) pending.push_back(root.get());
  while (!pending.empty()) {
    const DependencyNode* node = pending.back();
    pending.pop_back();
    count += !node->Label.ends_with(" (Circular)") && !outside.count(ToLowerAscii(node->Label));
    for (const auto& child : node->Children) pending.push_back(child.get());
  }
  return count;
}

TEST(ProjectGeneratorTest, ProjectHasEveryKindOfFileAndOpensCleanly) {
  TempFolder folder;
  const GeneratedProject project =
      GenerateProject({.Units = 120, .Seed = 4, .OutputFolder = folder.Path(), .LinesPerUnit = 120, .Pictures = 5});
  EXPECT_GT(project.BinaryForms.size(), 20u);
  EXPECT_GT(project.TextForms.size(), 5u);
  EXPECT_EQ(project.PictureFiles.size(), 5u);
  for (const std::string& picture : project.PictureFiles) {
    const std::string bytes = ReadFileText(picture);
    EXPECT_TRUE(picture.ends_with(".jpg") ? DecodeJpeg(bytes).has_value() : DecodeBmp(bytes).has_value()) << picture;
  }

  OpenedProject opened(project.ProjectFile);
  EXPECT_EQ(opened.prompter.Texts(), std::vector<std::string>{});
  const ProjectModel& model = opened.workspace.Model;
  EXPECT_EQ(model.Units().size(), project.Plan.Units.size() + 1);  // and the project file's own row
  EXPECT_EQ(model.MainFormName, project.Plan.Units.back().FormName);
  EXPECT_EQ(model.UnusedSources.size(), project.Plan.Unused.size());
  EXPECT_EQ(model.Images.size(), project.PictureFiles.size());
  EXPECT_EQ(model.ObjectTree.size(), project.BinaryForms.size() + project.TextForms.size());
  EXPECT_EQ(static_cast<double>(CountUnitNodes(model.DependencyTree)), CountTreeUnits(project.Plan, 1e9));
}

TEST(ProjectGeneratorTest, UnitsHaveRoughlyTheLinesAskedForAndEveryKindOfComment) {
  TempFolder folder;
  for (const std::string& path :
       GenerateProject({.Units = 30, .Seed = 8, .OutputFolder = folder.Path(), .LinesPerUnit = 400}).UnitFiles) {
    const std::string text = ReadFileText(path);
    const auto lines = std::count(text.begin(), text.end(), '\n');
    EXPECT_TRUE(lines > 300 && lines < 1000) << path << ": " << lines << " lines";
    EXPECT_TRUE(text.ends_with("end.\r\n")) << path;
    for (const char* mark : {"{ ", "(* ", "// ", "''"}) EXPECT_NE(text.find(mark), std::string::npos) << path << mark;
  }
}

// Benchmark runs compare like with like only when a seed always gives the same files.
TEST(ProjectGeneratorTest, SameOptionsGiveTheSameBytesAndAFolderWithFilesIsRefused) {
  TempFolder folder;
  GeneratorOptions options{.Units = 10, .Seed = 3, .OutputFolder = folder.Path() + "a",
                           .LinesPerUnit = 40};
  const GeneratedProject first = GenerateProject(options);
  options.OutputFolder = folder.Path() + "b";
  const GeneratedProject second = GenerateProject(options);
  ASSERT_EQ(first.BinaryForms.size(), second.BinaryForms.size());
  for (size_t i = 0; i < first.BinaryForms.size(); ++i) {
    const std::string& form = first.BinaryForms[i];
    EXPECT_EQ(ReadFileText(form), ReadFileText(second.BinaryForms[i])) << form;
  }
  EXPECT_EQ(ReadFileText(first.UnitFiles.back()), ReadFileText(second.UnitFiles.back()));
  EXPECT_THROW(GenerateProject(options), std::runtime_error);
  EXPECT_THROW(GenerateProject(GeneratorOptions()), std::runtime_error);
}

TEST(ProjectGeneratorTest, DenseProjectRunsIntoTheNodeBudget) {
  TempFolder folder;
  const GeneratedProject project = GenerateProject(
      {.Units = 40, .Seed = 3, .OutputFolder = folder.Path(), .Shape = GraphShape::Dense, .LinesPerUnit = 40});
  OpenedProject opened(project.ProjectFile, false);
  ASSERT_EQ(opened.prompter.Texts(), std::vector<std::string>{});
  UserInterface ui = opened.Ui();
  AnalyzeDependencies(opened.workspace.Model, opened.workspace.Dependencies, ui, {.NodeBudget = 200000});
  ASSERT_EQ(opened.prompter.Shown().size(), 1u);
  EXPECT_TRUE(opened.prompter.Shown()[0].starts_with("warning: The dependency tree was cut at 200000 nodes"));
  EXPECT_EQ(CountNodes(opened.workspace.Model.DependencyTree), 200000u);
}

size_t Depth(const DependencyForest& forest) {
  size_t depth = 0;
  for (const DependencyNode* node = forest.empty() ? nullptr : forest.front().get(); node != nullptr;
       node = node->Children.empty() ? nullptr : node->Children.front().get())
    ++depth;
  return depth;
}

// The inputs of extreme shape open as what they claim to be, at a small size.
TEST(LargeShapes, EachShapeOpensAsDescribed) {
  TempFolder folder;
  SettingsStore settings(WriteLargeSettings(folder.Path() + "s", 4096, false));
  ASSERT_TRUE(settings.Load());
  EXPECT_GT(settings.ValueNames("\\Software\\Merrowind\\Tarnwick").size(), 100u);

  OpenedProject chain(WriteUnitChainProject(folder.Path() + "chain", 30));
  EXPECT_EQ(Depth(chain.workspace.Model.DependencyTree), 31u);  // ending in the outside unit

  OpenedProject missing(WriteMissingUsesProject(folder.Path() + "missing", 50));
  EXPECT_EQ(missing.workspace.Dependencies.SuppressList.size(), 51u);

  OpenedProject list(WriteLongListFormProject(folder.Path() + "list", 20));
  ASSERT_EQ(list.workspace.Model.ObjectTree.size(), 1u);
  EXPECT_EQ(list.workspace.Model.ObjectTree[0]->Children[0]->Data->Properties.size(), 22u);
  EXPECT_TRUE(list.prompter.Texts().empty());
}

/// The value types met in forms, and whether any collection item has an order.
struct Kinds {
  std::set<ValueKind> Types;
  bool Ordered = false;

  void Add(const FormValue& value) {
    Types.insert(value.Kind);
    for (const FormValue& element : value.Values) Add(element);
    for (const CollectionItem& item : value.Items) {
      Ordered = Ordered || item.Order.has_value();
      for (const FormProperty& property : item.Properties) Add(property.Value);
    }
  }
  void Add(const FormObject& object) {
    for (const FormProperty& property : object.Properties) Add(property.Value);
    for (const FormObject& child : object.Children) Add(child);
  }
};

// Builds every form of a generated plan and checks that each converts to its text.
Kinds GeneratedFormKinds(bool portable) {
  RandomSource random(17);
  const ProjectPlan plan = PlanProject({.Units = 60}, random);
  Kinds kinds;
  for (size_t i = 0; i < plan.Units.size(); ++i) {
    if (plan.Units[i].FormName.empty()) continue;
    RandomSource formRandom(i);
    const FormObject form = BuildForm(plan, static_cast<int>(i), portable, formRandom);
    const FormConversion conversion = ConvertFormFile(WriteBinaryFormFile(form));
    EXPECT_TRUE(conversion.Ok) << plan.Units[i].Name << ": " << conversion.Error;
    EXPECT_EQ(conversion.Text, WriteFormText(form, false)) << plan.Units[i].Name;
    kinds.Add(form);
  }
  return kinds;
}

TEST(FormWritersTest, GeneratedFormsConvertToTheirTextAndHoldTheValueTypesTheirKindClaims) {
  const Kinds kinds = GeneratedFormKinds(false);
  for (int kind = 0; kind <= static_cast<int>(ValueKind::Double); ++kind) {
    EXPECT_TRUE(kinds.Types.count(static_cast<ValueKind>(kind))) << "no value of type " << kind;
  }
  EXPECT_TRUE(kinds.Ordered);

  // Portable forms leave out what other readers refuse.
  const Kinds portable = GeneratedFormKinds(true);
  for (ValueKind refused : {ValueKind::Null, ValueKind::Single, ValueKind::Currency, ValueKind::Date, ValueKind::Double}) {
    EXPECT_FALSE(portable.Types.count(refused)) << "portable value of type " << static_cast<int>(refused);
  }
  EXPECT_FALSE(portable.Ordered);
}

}  // namespace
}  // namespace tarnwick
