#include "app/mru_history.h"

#include <gtest/gtest.h>

#include "app/version_text.h"

namespace tarnwick {
namespace {

using Names = std::vector<std::string>;

// A project listed in other letter case moves to the top with the new case.
TEST(MruHistory, KeepsTheFiveMostRecentlyClosedProjectsMostRecentFirst) {
  TMRUHistory history;
  EXPECT_EQ(history.Captions(), Names{"(Empty)"});
  for (const char* path : {"/p/1.dpr", "/p/2.dpr", "/p/3.dpr", "/p/4.dpr", "/p/5.dpr", "/p/6.dpr", "/P/3.DPR"})
    history.Add(path);
  EXPECT_EQ(history.FileNames(), (Names{"/P/3.DPR", "/p/6.dpr", "/p/5.dpr", "/p/4.dpr", "/p/2.dpr"}));
  EXPECT_EQ(history.Captions().back(), "&5: /p/2.dpr");
}

TEST(MruHistory, LoadsSkippingHolesAndSavesWithoutTouchingLaterValues) {
  SettingsStore store("/nonexistent/unused.reg");
  store.SetValue(kHistoryKey, "Project_0", {.Type = RegType::String, .Text = "/x/First.dpr"});
  store.SetValue(kHistoryKey, "Project_1", {.Type = RegType::String, .Text = ""});
  store.SetValue(kHistoryKey, "Project_2", {.Type = RegType::String, .Text = "/x/Third.dpr"});
  store.SetValue(kHistoryKey, "Project_4", {.Type = RegType::String, .Text = "/x/Fifth.dpr"});
  TMRUHistory history;
  history.LoadFromRegistry(store, kHistoryKey, kHistoryPrefix);
  EXPECT_EQ(history.Captions(), (Names{"&1: /x/First.dpr", "&2: /x/Third.dpr", "&3: /x/Fifth.dpr"}));

  history.Add("/x/New.dpr");
  ASSERT_TRUE(history.SaveToRegistry(store, kHistoryKey, kHistoryPrefix));
  RegistryKey key(store);
  ASSERT_TRUE(key.OpenKey(kHistoryKey, false));
  EXPECT_EQ(key.ReadString("Project_0"), "/x/New.dpr");
  EXPECT_EQ(key.ReadString("Project_3"), "/x/Fifth.dpr");
  EXPECT_EQ(key.ReadString("Project_4"), "/x/Fifth.dpr") << "beyond the list: left as it was";
}

TEST(MruHistory, TheReopenedPathStartsTwoCharactersAfterTheFirstColon) {
  EXPECT_EQ(PathFromHistoryCaption("&2: /home/me/My: Project.dpr"), "/home/me/My: Project.dpr");
  EXPECT_EQ(PathFromHistoryCaption("(Empty)"), "");
}

TEST(VersionTextTest, SplitsTheFileVersionIntoVersionAndBuild) {
  const std::pair<const char*, const char*> cases[] = {
      {"2.1.0.45", "Version 2.1  (Build 0.45)"}, {"2.1.7", "Version 2.1  (Build 7)"},
      {"2.1", "Version 2  (Build 1)"},           {"3", "Version 3  (Build 3)"},
      {"", "Version   (Build )"},
  };
  for (const auto& [fileVersion, shown] : cases) EXPECT_EQ(VersionText(fileVersion), shown) << fileVersion;
  EXPECT_TRUE(VersionText(ProgramFileVersion()).starts_with("Version 0.2  (Build 0."));
}

}  // namespace
}  // namespace tarnwick
