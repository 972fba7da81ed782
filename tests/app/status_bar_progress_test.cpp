#include "app/status_bar_progress.h"

#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

using Bar = std::pair<int32_t, int32_t>;

Bar Span(const BarRectangle& rect) { return {rect.Left, rect.Right}; }

TEST(StatusBarProgress, GeometryFollowsThePanelWidthAndANarrowPanelNeverMoves) {
  for (auto [width, step, length] : {std::tuple{50, 5, 25}, {37, 3, 18}, {9, 0, 4}}) {
    TStatusBarProgress progress(width, 19);
    EXPECT_EQ(std::tuple(progress.StepSize, progress.MaxLength, progress.BarRect.Bottom), std::tuple(step, length, 19));
  }
  TStatusBarProgress narrow(9, 19);
  for (int i = 0; i < 30; ++i) narrow.Step();
  EXPECT_EQ(Span(narrow.BarRect), Bar(0, 0));
}

TEST(StatusBarProgress, TwentyStepCycleOfAFiftyPixelPanel) {
  int repaints = 0;
  TStatusBarProgress progress(50, 19, [&] { ++repaints; });
  std::vector<Bar> seen;
  for (int i = 0; i < 20; ++i) {
    progress.Step();
    seen.push_back(Span(progress.BarRect));
  }
  std::vector<Bar> expected = {{0, 5},   {0, 10},  {0, 15},  {0, 20},  {0, 25},  {5, 30},  {10, 35},
                               {15, 40}, {20, 45}, {50, 50}, {45, 50}, {40, 50}, {35, 50}, {30, 50},
                               {25, 50}, {20, 45}, {15, 40}, {10, 35}, {5, 30},  {0, 0}};
  EXPECT_EQ(seen, expected);
  EXPECT_TRUE(progress.Forward);
  EXPECT_EQ(repaints, 20);
  progress.Step();
  EXPECT_EQ(Span(progress.BarRect), Bar(0, 5));
}

TEST(StatusBarProgress, ErasesTheStripLeftBehindAndResetClearsThePanelOnce) {
  std::vector<Bar> eraseAtRepaint;
  TStatusBarProgress* self = nullptr;
  TStatusBarProgress progress(50, 19, [&] { eraseAtRepaint.push_back(Span(self->EraseRect)); });
  self = &progress;
  for (int i = 0; i < 12; ++i) progress.Step();
  EXPECT_EQ(eraseAtRepaint[5], Bar(-5, 0)) << "bar (5, 30), came from (0, 25)";
  EXPECT_EQ(eraseAtRepaint[6], Bar(0, 5)) << "bar (10, 35)";
  EXPECT_EQ(eraseAtRepaint[9], Bar(0, 0)) << "turned at the right end";
  eraseAtRepaint.clear();
  progress.Reset();
  EXPECT_EQ(eraseAtRepaint, std::vector<Bar>{Bar(0, 50)});
  EXPECT_EQ(Span(progress.BarRect), Bar(0, 0));
  EXPECT_FALSE(progress.Forward) << "the direction is kept";
}

}  // namespace
}  // namespace tarnwick
