#include "app/app_settings.h"

#include <string>
#include <tuple>

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

auto Fields(const AppSettings& s) {
  return std::tie(s.BitmapImages, s.JPegCompressionQuality, s.DocumentViewer, s.AlternateBrowserPath,
                  s.AnalyzeDependencies, s.AnalyzeForms, s.SourceCodePage, s.DependencyCompact);
}

constexpr const char* kHeader = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Merrowind\\Tarnwick]\n";

TEST(AppSettings, NoKeyKeepsTheStartValuesAndAKeyWithoutBrowserValuesMeansTheBuiltInViewer) {
  AppSettings settings =
      LoadFrom("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Other]\n\"AnalyzeForms\"=dword:00000000\n");
  EXPECT_EQ(Fields(settings), Fields(AppSettings{}));
  EXPECT_EQ(LoadFrom(kHeader).DocumentViewer, Viewer::BuiltIn);
  const std::string alternate = "\"AlternateBrowser\"=dword:00000001\n";
  EXPECT_EQ(LoadFrom(kHeader + ("\"DefaultBrowser\"=dword:00000001\n" + alternate)).DocumentViewer,
            Viewer::DefaultBrowser);
  EXPECT_EQ(LoadFrom(kHeader + ("\"BuiltInBrowser\"=dword:00000001\n" + alternate)).DocumentViewer,
            Viewer::AlternateBrowser);
}

TEST(AppSettings, WrongTypesAndOutOfRangeQuality) {
  // A value of the wrong type keeps its start value.
  AppSettings settings = LoadFrom(std::string(kHeader) +
                                  "\"JPegCompressionQuality\"=\"75\"\n\"AnalyzeForms\"=dword:00000000\n"
                                  "\"BitmapImages\"=\"1\"\n\"AlternateBrowserPath\"=dword:00000001\n"
                                  "\"AnalyzeDependencies\"=dword:zz\n");
  AppSettings expected;
  expected.AnalyzeForms = false;
  expected.DocumentViewer = Viewer::BuiltIn;
  EXPECT_EQ(Fields(settings), Fields(expected));
  for (auto [stored, quality] : {std::pair{"000000c8", 100}, {"ffffffff", 1}}) {
    EXPECT_EQ(LoadFrom(kHeader + ("\"JPegCompressionQuality\"=dword:" + std::string(stored) + "\n"))
                  .JPegCompressionQuality,
              quality);
  }
}

TEST(AppSettings, SourceCodePageIsReadAsItsCanonicalNameOrAuto) {
  const std::pair<const char*, const char*> cases[] = {{"\"SourceCodePage\"=\"1251\"\n", "windows-1251"},
                                                       {"\"SourceCodePage\"=\"latin-9\"\n", "auto"},
                                                       {"\"SourceCodePage\"=dword:000004e3\n", "auto"}};
  for (auto [stored, codePage] : cases) EXPECT_EQ(LoadFrom(kHeader + std::string(stored)).SourceCodePage, codePage);
}

TEST(AppSettings, SaveWritesAllNineValuesInOrderAndRoundTrips) {
  TempFolder folder;
  SettingsStore store(folder.Path() + "Tarnwick.reg");
  AppSettings settings;
  settings.BitmapImages = true;
  settings.JPegCompressionQuality = 80;
  settings.DocumentViewer = Viewer::AlternateBrowser;
  settings.AlternateBrowserPath = "C:\\Program Files\\Browser \"X\"\\x.exe";
  settings.AnalyzeForms = false;
  settings.SourceCodePage = "windows-1251";
  settings.DependencyCompact = true;
  RecordingPrompter prompter;
  ASSERT_TRUE(SaveSettings(store, settings, prompter));
  EXPECT_TRUE(prompter.Messages().empty());
  EXPECT_EQ(store.ValueNames(kRegistryKey),
            (std::vector<std::string>{"BitmapImages", "JPegCompressionQuality", "BuiltInBrowser", "DefaultBrowser",
                                      "AlternateBrowser", "AlternateBrowserPath", "AnalyzeDependencies",
                                      "AnalyzeForms", "SourceCodePage",
                                      "DependencyCompact"}));

  SettingsStore reread(folder.Path() + "Tarnwick.reg");
  ASSERT_TRUE(reread.Load());
  AppSettings loaded;
  LoadSettings(reread, loaded);
  EXPECT_EQ(Fields(loaded), Fields(settings));

  // A store that cannot be written says so and leaves what is in its way.
  SettingsStore unwritable(folder.Write("blocked", "x") + "/s.reg");
  EXPECT_FALSE(SaveSettings(unwritable, settings, prompter));
  EXPECT_EQ(prompter.Shown(), std::vector<std::string>{"error: Could not save your settings because the registry "
                                                       "key \\Software\\Merrowind\\Tarnwick could not be opened or "
                                                       "created."});
  EXPECT_EQ(testing::ReadFileText(folder.Path() + "blocked"), "x");
}

}  // namespace
}  // namespace tarnwick
