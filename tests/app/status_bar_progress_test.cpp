#include "app/status_bar_progress.h"

#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

using Bar = std::pair<int32_t, int32_t>;

TEST(StatusBarProgress, GeometryFollowsThePanelWidth) {
  TStatusBarProgress fifty(50, 19);
  EXPECT_EQ(fifty.StepSize, 5);
  EXPECT_EQ(fifty.MaxLength, 25);
  EXPECT_EQ(fifty.BarRect.Bottom, 19);
  TStatusBarProgress odd(37, 19);
  EXPECT_EQ(odd.StepSize, 3);
  EXPECT_EQ(odd.MaxLength, 18);
}

TEST(StatusBarProgress, TwentyStepCycleOfAFiftyPixelPanel) {
  int repaints = 0;
  TStatusBarProgress progress(50, 19, [&] { ++repaints; });
  std::vector<Bar> seen;
  for (int i = 0; i < 20; ++i) {
    progress.Step();
    seen.emplace_back(progress.BarRect.Left, progress.BarRect.Right);
  }
  std::vector<Bar> expected = {{0, 5},   {0, 10},  {0, 15},  {0, 20},  {0, 25},  {5, 30},  {10, 35},
                               {15, 40}, {20, 45}, {50, 50}, {45, 50}, {40, 50}, {35, 50}, {30, 50},
                               {25, 50}, {20, 45}, {15, 40}, {10, 35}, {5, 30},  {0, 0}};
  EXPECT_EQ(seen, expected);
  EXPECT_TRUE(progress.Forward);
  EXPECT_EQ(repaints, 20);
  progress.Step();
  EXPECT_EQ(Bar(progress.BarRect.Left, progress.BarRect.Right), Bar(0, 5));
}

TEST(StatusBarProgress, ErasesTheStripLeftBehind) {
  TStatusBarProgress progress(50, 19);
  for (int i = 0; i < 6; ++i) progress.Step();  // bar (5, 30), came from (0, 25)
  EXPECT_EQ(Bar(progress.EraseRect.Left, progress.EraseRect.Right), Bar(-5, 0));
  progress.Step();  // bar (10, 35)
  EXPECT_EQ(Bar(progress.EraseRect.Left, progress.EraseRect.Right), Bar(0, 5));
  for (int i = 0; i < 3; ++i) progress.Step();  // turned at the right end
  EXPECT_FALSE(progress.Forward);
  EXPECT_EQ(Bar(progress.EraseRect.Left, progress.EraseRect.Right), Bar(0, 0));
}

TEST(StatusBarProgress, ResetClearsThePanelOnceAndKeepsDirection) {
  std::vector<Bar> eraseAtRepaint;
  TStatusBarProgress* self = nullptr;
  TStatusBarProgress progress(50, 19, [&] {
    eraseAtRepaint.emplace_back(self->EraseRect.Left, self->EraseRect.Right);
  });
  self = &progress;
  for (int i = 0; i < 12; ++i) progress.Step();
  eraseAtRepaint.clear();
  progress.Reset();
  ASSERT_EQ(eraseAtRepaint.size(), 1u);
  EXPECT_EQ(eraseAtRepaint[0], Bar(0, 50));
  EXPECT_EQ(Bar(progress.BarRect.Left, progress.BarRect.Right), Bar(0, 0));
  EXPECT_EQ(Bar(progress.EraseRect.Left, progress.EraseRect.Right), Bar(0, 0));
  EXPECT_FALSE(progress.Forward);
}

TEST(StatusBarProgress, NarrowPanelNeverMoves) {
  TStatusBarProgress progress(9, 19);
  EXPECT_EQ(progress.StepSize, 0);
  for (int i = 0; i < 30; ++i) progress.Step();
  EXPECT_EQ(Bar(progress.BarRect.Left, progress.BarRect.Right), Bar(0, 0));
}

}  // namespace
}  // namespace tarnwick
