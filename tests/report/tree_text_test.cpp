#include "report/tree_text.h"

#include <gtest/gtest.h>


#include "support/tree_text.h"

namespace tarnwick {
namespace {

// The golden documents show the dependency and object texts with their rows in order, indents,
// anchors and levels; a bad number is shown by the documentation writer's own test. The pictures
// draw the same rows.
TEST(DependencyRows, MaxLevelsCutsTheDrawnTree) {
  ReportOptions options;
  options.DependencyMaxLevel = true;
  options.DependencyMaxLevelNum = "2";
  EXPECT_EQ(DependencyRowsOf(testing::ParseOutline("A[B[C[D]], E]"), options).size(), 3u);
}

}  // namespace
}  // namespace tarnwick
