#include <gtest/gtest.h>

#include "capture/capture_key_settings.h"
#include "capture/image_page_layout.h"
#include "platform/registry_values.h"
#include "support/recording_prompter.h"
#include "support/temp_folder.h"

namespace tarnwick {
namespace {

using Names = std::vector<std::string>;

TEST(CaptureKeySettings, DefaultsStoredKeysAndUnreadableValues) {
  testing::TempFolder folder;
  SettingsStore store(folder.Path() + "settings.reg");
  EXPECT_EQ(LoadCaptureKeys(store), DefaultCaptureKeys());
  store.SetValue(kRegistryKey, "CaptureKeyScreen", {.Type = RegType::String, .Text = "ctrl + F9"});
  store.SetValue(kRegistryKey, "CaptureKeyWindow", {.Type = RegType::String, .Text = "Alt+Hyper+Print"});
  CaptureKeySet keys = LoadCaptureKeys(store);
  EXPECT_EQ(KeyCombinationText(keys[0]), "Control+F9");
  EXPECT_EQ(keys[1], DefaultCaptureKeys()[1]) << "an unknown modifier gives the default";

  keys[2] = *ParseKeyCombination("Super+Shift+Pause");
  testing::RecordingPrompter prompter;
  ASSERT_TRUE(SaveCaptureKeys(store, keys, prompter));
  SettingsStore reread(store.FilePath());
  ASSERT_TRUE(reread.Load());
  EXPECT_EQ(LoadCaptureKeys(reread), keys);
  RegistryKey key(reread);
  ASSERT_TRUE(key.OpenKey(kRegistryKey, false));
  EXPECT_EQ(key.ReadString("CaptureKeyClientArea"), "Shift+Super+Pause");
}

TEST(CaptureKeySettings, TheWarningNamesExactlyTheRefusedKeys) {
  std::string message = RefusedCaptureKeysMessage({DefaultCaptureKeys()[0], DefaultCaptureKeys()[2]});
  EXPECT_TRUE(message.starts_with("Could not register screen capture keys.\r\rAnother instance of Tarnwick or another "
                                  "program with screen capturing is probably running."));
  EXPECT_NE(message.find("Held by another program: Print, Alt+Shift+Print\r"), std::string::npos) << message;
}

TEST(ImagePageLayout, HalvesTheBoxesAndKeepsTheScreensProportions) {
  // A page of 600 x 401: 200.5 rounds to 200 for the panel and the list, 193.5 to 194 for the
  // box's left edge; the box is 8/10 of the panel high and 4:3 like the screen.
  ImagePageLayout layout = ImageTabSheetResize(600, 401, 1280, 960);
  EXPECT_EQ(layout.Panel, (PageRect{0, 202, 600, 200}));
  EXPECT_EQ(layout.List, (PageRect{0, 0, 600, 200}));
  EXPECT_EQ(layout.Preview, (PageRect{194, 20, 213, 160}));
  EXPECT_EQ(layout.ColumnWidths, (std::array<int, 4>{180, 120, 180, 118}));
  EXPECT_EQ(ImageTabSheetResize(0, 0, 0, 0).Preview, (PageRect{}));
}

}  // namespace
}  // namespace tarnwick
