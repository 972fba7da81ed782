// The inputs of extreme shape open as what they claim to be, at a small size.
#include <gtest/gtest.h>

#include <string>

#include "analysis/tree_nodes.h"
#include "app/open_project.h"
#include "large_shapes.h"
#include "platform/settings_store.h"
#include "support/recording_prompter.h"
#include "support/temp_folder.h"

namespace tarnwick {
namespace {

struct Opened {
  explicit Opened(const std::string& project) {
    workspace.Settings.AnalyzeDependencies = workspace.Settings.AnalyzeForms = true;
    UserInterface ui{prompter, progress, measure};
    OpenProject(workspace, ui, OpenHooks(), project);
  }
  testing::RecordingPrompter prompter;
  NullProgressSink progress;
  EstimatingTextMeasure measure;
  Workspace workspace;
};

size_t Depth(const DependencyForest& forest) {
  size_t depth = 0;
  for (const DependencyNode* node = forest.empty() ? nullptr : forest.front().get(); node != nullptr;
       node = node->Children.empty() ? nullptr : node->Children.front().get())
    ++depth;
  return depth;
}

TEST(LargeShapes, EachShapeOpensAsDescribed) {
  testing::TempFolder folder;
  SettingsStore settings(WriteLargeSettings(folder.Path() + "s", 4096, false));
  ASSERT_TRUE(settings.Load());
  EXPECT_GT(settings.ValueNames("\\Software\\Merrowind\\Tarnwick").size(), 100u);

  Opened chain(WriteUnitChainProject(folder.Path() + "chain", 30));
  EXPECT_EQ(Depth(chain.workspace.Model.DependencyTree), 31u);  // ending in the outside unit

  Opened missing(WriteMissingUsesProject(folder.Path() + "missing", 50));
  EXPECT_EQ(missing.workspace.Dependencies.SuppressList.size(), 51u);

  Opened list(WriteLongListFormProject(folder.Path() + "list", 20));
  ASSERT_EQ(list.workspace.Model.ObjectTree.size(), 1u);
  EXPECT_EQ(list.workspace.Model.ObjectTree[0]->Children[0]->Data->Properties.size(), 22u);
  EXPECT_TRUE(list.prompter.Texts().empty());
}

}  // namespace
}  // namespace tarnwick
