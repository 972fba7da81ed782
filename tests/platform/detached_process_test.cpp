#include "platform/detached_process.h"

#include <gtest/gtest.h>

#include <csignal>
#include <chrono>
#include <thread>

#include "platform/capture_keys.h"

namespace tarnwick {
namespace {

TEST(DetachedProcess, StartsWithoutWaitingAndKnowsWhenItEnded) {
  std::string error;
  std::optional<DetachedProcess> sleeper = DetachedProcess::Start("sleep 30", error);
  ASSERT_TRUE(sleeper) << error;
  EXPECT_TRUE(sleeper->Running());
  std::optional<DetachedProcess> quick = DetachedProcess::Start("true", error);
  ASSERT_TRUE(quick) << error;
  // Not our child, so the pidfd is what sees it end; allow it some seconds on a busy machine.
  for (int i = 0; i < 500 && quick->Running(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_FALSE(quick->Running());
  kill(sleeper->Pid(), SIGTERM);

  EXPECT_EQ(DetachedProcess::Start("/nowhere/app.exe", error), std::nullopt);
  EXPECT_EQ(error, "No such file or directory");
}

TEST(CaptureKeyNames, TextAndBackForEveryKey) {
  for (std::string_view name : CaptureKeyNames()) {
    KeyCombination keys{true, false, true, false, std::string(name)};
    EXPECT_EQ(ParseKeyCombination(KeyCombinationText(keys)), keys) << name;
    EXPECT_NE(CaptureKeySym(name), 0u);
  }
  for (const char* bad : {"", "Alt+", "Print+Alt", "Alt+Enter"}) EXPECT_EQ(ParseKeyCombination(bad), std::nullopt) << bad;
}

}  // namespace
}  // namespace tarnwick
