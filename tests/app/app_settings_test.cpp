#include "app/app_settings.h"

#include <string>

#include <gtest/gtest.h>

#include "support/recording_prompter.h"
#include "support/temp_folder.h"

namespace tarnwick {
namespace {

using testing::RecordingPrompter;
using testing::TempFolder;

AppSettings LoadFrom(const std::string& regText) {
  SettingsStore store("unused.reg");
  store.FromText(regText);
  AppSettings settings;
  LoadSettings(store, settings);
  return settings;
}

constexpr const char* kHeader = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Merrowind\\Tarnwick]\n";

TEST(AppSettings, NoKeyKeepsTheStartValues) {
  AppSettings settings = LoadFrom("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Other]\n\"AnalyzeForms\"=dword:00000000\n");
  EXPECT_FALSE(settings.BitmapImages);
  EXPECT_EQ(settings.JPegCompressionQuality, 100);
  EXPECT_EQ(settings.DocumentViewer, Viewer::DefaultBrowser);
  EXPECT_EQ(settings.AlternateBrowserPath, "");
  EXPECT_TRUE(settings.AnalyzeDependencies);
  EXPECT_TRUE(settings.AnalyzeForms);
}

TEST(AppSettings, ViewerChoice) {
  // A key without either browser value means the built-in viewer.
  EXPECT_EQ(LoadFrom(kHeader).DocumentViewer, Viewer::BuiltIn);
  std::string both = std::string(kHeader) + "\"DefaultBrowser\"=dword:00000001\n\"AlternateBrowser\"=dword:00000001\n";
  EXPECT_EQ(LoadFrom(both).DocumentViewer, Viewer::DefaultBrowser);
  std::string alternate = std::string(kHeader) + "\"BuiltInBrowser\"=dword:00000001\n\"AlternateBrowser\"=dword:00000001\n";
  EXPECT_EQ(LoadFrom(alternate).DocumentViewer, Viewer::AlternateBrowser);
}

TEST(AppSettings, WrongTypesAndOutOfRangeQuality) {
  std::string text = std::string(kHeader) +
                     "\"JPegCompressionQuality\"=\"75\"\n\"AnalyzeForms\"=dword:00000000\n"
                     "\"BitmapImages\"=\"1\"\n\"AlternateBrowserPath\"=dword:00000001\n";
  AppSettings settings = LoadFrom(text);
  EXPECT_EQ(settings.JPegCompressionQuality, 100);
  EXPECT_FALSE(settings.AnalyzeForms);
  EXPECT_FALSE(settings.BitmapImages);
  EXPECT_EQ(settings.AlternateBrowserPath, "");
  EXPECT_EQ(LoadFrom(std::string(kHeader) + "\"JPegCompressionQuality\"=dword:00000000\n").JPegCompressionQuality, 1);
  EXPECT_EQ(LoadFrom(std::string(kHeader) + "\"JPegCompressionQuality\"=dword:000000c8\n").JPegCompressionQuality, 100);
  EXPECT_EQ(LoadFrom(std::string(kHeader) + "\"JPegCompressionQuality\"=dword:ffffffff\n").JPegCompressionQuality, 1);
}

TEST(AppSettings, SaveWritesAllEightValuesInOrderAndRoundTrips) {
  TempFolder folder;
  SettingsStore store(folder.Path() + "Tarnwick.reg");
  AppSettings settings;
  settings.BitmapImages = true;
  settings.JPegCompressionQuality = 80;
  settings.DocumentViewer = Viewer::AlternateBrowser;
  settings.AlternateBrowserPath = "C:\\Program Files\\Browser \"X\"\\x.exe";
  settings.AnalyzeForms = false;
  RecordingPrompter prompter;
  ASSERT_TRUE(SaveSettings(store, settings, prompter));
  EXPECT_TRUE(prompter.Messages().empty());
  std::vector<std::string> names = {"BitmapImages",     "JPegCompressionQuality", "BuiltInBrowser",
                                    "DefaultBrowser",   "AlternateBrowser",       "AlternateBrowserPath",
                                    "AnalyzeDependencies", "AnalyzeForms"};
  EXPECT_EQ(store.ValueNames(kRegistryKey), names);

  SettingsStore reread(folder.Path() + "Tarnwick.reg");
  ASSERT_TRUE(reread.Load());
  AppSettings loaded;
  LoadSettings(reread, loaded);
  EXPECT_TRUE(loaded.BitmapImages);
  EXPECT_EQ(loaded.JPegCompressionQuality, 80);
  EXPECT_EQ(loaded.DocumentViewer, Viewer::AlternateBrowser);
  EXPECT_EQ(loaded.AlternateBrowserPath, settings.AlternateBrowserPath);
  EXPECT_TRUE(loaded.AnalyzeDependencies);
  EXPECT_FALSE(loaded.AnalyzeForms);
}

TEST(AppSettings, UnwritableStoreReportsTheKeyMessage) {
  TempFolder folder;
  folder.Write("blocker", "a file where a folder should be");
  SettingsStore store(folder.Path() + "blocker/sub/Tarnwick.reg");
  RecordingPrompter prompter;
  EXPECT_FALSE(SaveSettings(store, AppSettings(), prompter));
  ASSERT_EQ(prompter.Messages().size(), 1u);
  EXPECT_EQ(prompter.Messages()[0].kind, MessageKind::Error);
  EXPECT_EQ(prompter.Messages()[0].text,
            "Could not save your settings because the registry key "
            "\\Software\\Merrowind\\Tarnwick could not be opened or created.");
}

}  // namespace
}  // namespace tarnwick
