#include "views/object_filter_settings.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/recording_prompter.h"
#include "support/temp_folder.h"

namespace tarnwick {
namespace {

using testing::RecordingPrompter;
using testing::TempFolder;

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

constexpr const char* kKey = "[HKEY_CURRENT_USER\\Software\\Merrowind\\Tarnwick]\n";
constexpr const char* kExcludeKey = "[HKEY_CURRENT_USER\\Software\\Merrowind\\Tarnwick\\ObjectExclude]\n";

ObjectFilterOptions LoadFrom(const std::string& regText) {
  SettingsStore store("unused.reg");
  store.FromText("REGEDIT4\n\n" + regText);
  ObjectFilterOptions options;
  LoadObjectFilterSettings(store, options);
  return options;
}

TEST(PropertyExclusionList, SortedAtBothLevelsTypesWithoutCase) {
  PropertyExclusionList list = PropertyExclusionList::Defaults();
  EXPECT_EQ(ListText(list), "TImage: Picture .Data; TSpeedButton: Glyph .Data");
  list.Add("timage", "Width");
  list.Add("TImage", "Align");
  list.Add("TImage", "Align");
  list.Add("TButton", "Font .Name");
  EXPECT_EQ(ListText(list),
            "TButton: Font .Name; TImage: Align, Align, Picture .Data, Width; TSpeedButton: Glyph .Data");
  ASSERT_NE(list.Find("TBUTTON"), nullptr);
  EXPECT_EQ(list.Find("TBUTTON")->Type, "TButton");
  EXPECT_TRUE(list.DeleteProperty(1, 0));
  EXPECT_TRUE(list.DeleteType(0));
  EXPECT_FALSE(list.DeleteType(5));
  EXPECT_FALSE(list.DeleteProperty(0, 9));
  EXPECT_EQ(ListText(list), "TImage: Align, Picture .Data, Width; TSpeedButton: Glyph .Data");
}

TEST(PropertyExclusionList, DeleteAsksFirst) {
  PropertyExclusionList list = PropertyExclusionList::Defaults();
  RecordingPrompter prompter;
  prompter.QueueAnswer(MessageAnswer::Cancel);
  EXPECT_FALSE(DeleteExclusion(list, 1, 0, prompter));
  EXPECT_TRUE(DeleteExclusion(list, 1, 0, prompter));
  EXPECT_TRUE(DeleteExclusion(list, 0, std::nullopt, prompter));
  EXPECT_FALSE(DeleteExclusion(list, 0, 3, prompter));
  EXPECT_EQ(prompter.Texts(),
            (std::vector<std::string>{"Delete Glyph .Data?", "Delete Glyph .Data?", "Delete TImage?"}));
  EXPECT_EQ(prompter.Messages()[0].buttons, MessageButtons::OkCancel);
  EXPECT_EQ(ListText(list), "TSpeedButton:");
}

// The three switches as "child descendants exclude", 0 or 1 each.
std::string Switches(const ObjectFilterOptions& options) {
  return std::to_string(options.ShowChild()) + std::to_string(options.ShowAllDescendants()) +
         std::to_string(options.ExcludeProperties());
}

TEST(LoadObjectFilterSettings, MissingKeysAndValues) {
  ObjectFilterOptions untouched = LoadFrom("[HKEY_CURRENT_USER\\Software\\Other]\n\"ObjectsExclude\"=dword:00000000\n");
  EXPECT_EQ(Switches(untouched), "001");
  EXPECT_EQ(ListText(untouched.Exclusions()), "TImage: Picture .Data; TSpeedButton: Glyph .Data");
  // With the key but without values the read defaults apply; without "ObjectExclude" the list stays.
  ObjectFilterOptions defaults = LoadFrom(kKey);
  EXPECT_EQ(Switches(defaults), "101");
  EXPECT_EQ(defaults.Exclusions().Types().size(), 2u);
  // Showing all descendants turns showing children off.
  EXPECT_EQ(Switches(LoadFrom(std::string(kKey) + "\"ObjectsShowChild\"=dword:00000001\n"
                                                  "\"ObjectsShowAllDescendants\"=dword:00000001\n"
                                                  "\"ObjectsExclude\"=dword:00000000\n")),
            "010");
}

TEST(LoadObjectFilterSettings, ReadsTheStoredExclusionList) {
  ObjectFilterOptions options = LoadFrom(
      std::string(kKey) + kExcludeKey +
      "[HKEY_CURRENT_USER\\Software\\Merrowind\\Tarnwick\\ObjectExclude\\TListBox]\n"
      "\"P_0\"=\"Items .Strings\"\n\"P_1\"=\"Font .Color\"\n"
      "[HKEY_CURRENT_USER\\Software\\Merrowind\\Tarnwick\\ObjectExclude\\TEmpty]\n"
      "[HKEY_CURRENT_USER\\Software\\Merrowind\\Tarnwick\\ObjectExclude\\TGap]\n"
      "\"P_1\"=\"Second\"\n\"Other\"=\"x\"\n");
  // Of TGap's two values only "P_0" and "P_1" are asked for, and "P_0" is missing.
  EXPECT_EQ(ListText(options.Exclusions()), "TEmpty:; TGap: Second; TListBox: Font .Color, Items .Strings");
  EXPECT_EQ(ListText(LoadFrom(std::string(kKey) + kExcludeKey).Exclusions()), "");
}

TEST(SaveObjectFilterSettings, RoundTripReplacesTheStoredList) {
  TempFolder folder;
  const std::string path = folder.Path() + "settings.reg";
  SettingsStore store(path);
  store.FromText(std::string("REGEDIT4\n\n") + kKey + "\"Other\"=\"kept\"\n" +
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
  EXPECT_TRUE(prompter.Messages().empty());

  SettingsStore reread(path);
  ASSERT_TRUE(reread.Load());
  EXPECT_EQ(reread.SubKeyNames("\\Software\\Merrowind\\Tarnwick\\ObjectExclude"),
            (std::vector<std::string>{"TEmpty", "TListBox", "TSpeedButton"}));
  RegistryKey listBox(reread);
  ASSERT_TRUE(listBox.OpenKey("\\Software\\Merrowind\\Tarnwick\\ObjectExclude\\TListBox", false));
  EXPECT_EQ(listBox.ValueNames(), (std::vector<std::string>{"P_0", "P_1"}));
  EXPECT_EQ(listBox.ReadString("P_0"), "Font .Color");
  RegistryKey root(reread);
  ASSERT_TRUE(root.OpenKey("\\Software\\Merrowind\\Tarnwick", false));
  EXPECT_EQ(root.ReadString("Other"), "kept");

  ObjectFilterOptions loaded;
  LoadObjectFilterSettings(reread, loaded);
  EXPECT_EQ(ListText(loaded.Exclusions()), ListText(options.Exclusions()));
  EXPECT_EQ(Switches(loaded), "010");
}

TEST(SaveObjectFilterSettings, ReportsAKeyThatCannotBeCreated) {
  TempFolder folder;
  const std::string blocker = folder.Write("blocker", "a file, not a folder");
  SettingsStore store(blocker + "/sub/settings.reg");
  RecordingPrompter prompter;
  EXPECT_FALSE(SaveObjectFilterSettings(store, ObjectFilterOptions(), prompter));
  EXPECT_EQ(prompter.Texts(), std::vector<std::string>{"Could not save your settings because the registry key "
                                                       "\\Software\\Merrowind\\Tarnwick could not be opened or "
                                                       "created."});
  EXPECT_FALSE(store.KeyExists("\\Software\\Merrowind\\Tarnwick"));
}

struct ExcludeEntryCase {
  const char* type;
  const char* property;
  const char* message;
  const char* storedProperty;
};

TEST(CheckObjectExcludeEntry, ChecksInOrderAndSplitsDottedNames) {
  const ExcludeEntryCase cases[] = {
      {"1Panel", "Font.Name", "Object Type is not a valid pascal identifier.", "Font.Name"},
      {"TPanel", "Font.", "Property Name \"\" is not a valid pascal identifier.", "Font."},
      {"TPanel", "Font.Style.Bold", "Property Name \"Style.Bold\" is not a valid pascal identifier.",
       "Font.Style.Bold"},
      {"TPanel", "9Font.Name", "Property Name \"9Font\" is not a valid pascal identifier.", "9Font.Name"},
      {"TPanel", "Font Name", "Property Name is not a valid pascal identifier.", "Font Name"},
      {"TPanel", "Font.Name", "", "Font .Name"},
      {"_T9", "Left_2", "", "Left_2"},
  };
  for (const ExcludeEntryCase& entry : cases) {
    std::string property = entry.property;
    EXPECT_EQ(CheckObjectExcludeEntry(entry.type, property), entry.message) << entry.type << " " << entry.property;
    EXPECT_EQ(property, entry.storedProperty);
  }
}

}  // namespace
}  // namespace tarnwick
