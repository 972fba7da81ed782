#include "views/object_filter_settings.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/case_file.h"
#include "support/recording_prompter.h"
#include "support/temp_folder.h"

namespace tarnwick {
namespace {

using testing::RecordingPrompter;
using testing::TempFolder;
using Names = std::vector<std::string>;

// The exclusion list as "Type: Prop, Prop; Type: ...".
std::string ListText(const PropertyExclusionList& list) {
  std::string out;
  for (const ExcludedType& type : list.Types()) {
    if (!out.empty()) out += "; ";
    out += type.Type + ":";
    for (size_t i = 0; i < type.Properties.size(); ++i) out += (i == 0 ? " " : ", ") + type.Properties[i];
  }
  return out;
}

// The three switches as "child descendants exclude", 0 or 1 each.
std::string Switches(const ObjectFilterOptions& options) {
  return std::to_string(options.ShowChild()) + std::to_string(options.ShowAllDescendants()) +
         std::to_string(options.ExcludeProperties());
}

// The list's order is seen where the dialog adds to it and where stored lists are read.
TEST(PropertyExclusionList, DeletingAsksFirstAndCancelOrNoNodeKeepsTheList) {
  PropertyExclusionList list = PropertyExclusionList::Defaults();
  RecordingPrompter prompter;
  prompter.QueueAnswer(MessageAnswer::Cancel);
  EXPECT_FALSE(DeleteExclusion(list, 0, std::nullopt, prompter));
  EXPECT_TRUE(DeleteExclusion(list, 1, 0, prompter));
  EXPECT_FALSE(DeleteExclusion(list, 0, 3, prompter));
  EXPECT_EQ(prompter.Texts(), (Names{"Delete TImage?", "Delete Glyph .Data?"}));
  EXPECT_EQ(prompter.Messages()[0].buttons, MessageButtons::OkCancel);
  EXPECT_EQ(ListText(list), "TImage: Picture .Data; TSpeedButton:");
}

TEST(LoadObjectFilterSettings, ReadsSwitchesAndListOrLeavesThemAsTheyAre) {
  for (const testing::TestCase& c : testing::ReadCaseFile("views/filter_settings.cases")) {
    SCOPED_TRACE(c.Name);
    SettingsStore store("settings.reg");
    store.FromText(c.Value("settings"));
    ObjectFilterOptions options;
    LoadObjectFilterSettings(store, options);
    EXPECT_EQ(Switches(options), c.Value("switches"));
    EXPECT_EQ(ListText(options.Exclusions()), c.Value("list"));
  }
}

TEST(SaveObjectFilterSettings, RoundTripReplacesTheStoredList) {
  TempFolder folder;
  SettingsStore store(folder.Path() + "settings.reg");
  store.FromText("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Merrowind\\Tarnwick]\n\"Other\"=\"kept\"\n"
                 "[HKEY_CURRENT_USER\\Software\\Merrowind\\Tarnwick\\ObjectExclude\\TStale]\n\"P_0\"=\"x\"\n");
  ObjectFilterOptions options;
  options.SetShowAllDescendants(true);
  options.SetExcludeProperties(false);
  options.Exclusions().DeleteType(0);  // TImage
  options.Exclusions().Add("TListBox", "Items .Strings");
  options.Exclusions().Add("TListBox", "Font .Color");
  options.Exclusions().AddType("TEmpty");
  RecordingPrompter prompter;
  ASSERT_TRUE(SaveObjectFilterSettings(store, options, prompter));

  SettingsStore reread(store.FilePath());
  ASSERT_TRUE(reread.Load());
  RegistryKey root(reread);
  ASSERT_TRUE(root.OpenKey("\\Software\\Merrowind\\Tarnwick", false));
  EXPECT_EQ(root.ReadString("Other"), "kept");
  ObjectFilterOptions loaded;
  LoadObjectFilterSettings(reread, loaded);
  EXPECT_EQ(ListText(loaded.Exclusions()), "TEmpty:; TListBox: Font .Color, Items .Strings; TSpeedButton: Glyph .Data");
  EXPECT_EQ(Switches(loaded), "010");
}

TEST(SaveObjectFilterSettings, ReportsAKeyThatCannotBeCreated) {
  TempFolder folder;
  const std::string blocker = folder.Write("blocker", "a file, not a folder");
  SettingsStore store(blocker + "/sub/settings.reg");
  RecordingPrompter prompter;
  EXPECT_FALSE(SaveObjectFilterSettings(store, ObjectFilterOptions(), prompter));
  EXPECT_EQ(prompter.Texts(), Names{"Could not save your settings because the registry key "
                                    "\\Software\\Merrowind\\Tarnwick could not be opened or created."});
}

TEST(CheckObjectExcludeEntry, ChecksInOrderAndSplitsDottedNames) {
  for (const testing::TestCase& c : testing::ReadCaseFile("views/exclude_entries.cases")) {
    SCOPED_TRACE(c.Name);
    std::string property = c.Value("property");
    EXPECT_EQ(CheckObjectExcludeEntry(c.Value("type"), property), c.Value("message"));
    EXPECT_EQ(property, c.Has("stored") ? c.Value("stored") : c.Value("property"));
  }
}

}  // namespace
}  // namespace tarnwick
