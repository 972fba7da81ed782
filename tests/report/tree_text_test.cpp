#include "report/tree_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/tree_text.h"

namespace tarnwick {
namespace {

TEST(TreeRows, ListsNodesInPreOrderWithTheirLevels) {
  const DependencyForest tree = testing::ParseOutline("A[B[C], D], E");
  std::vector<std::string> seen;
  for (const TreeRow& row : TreeRowsOf(tree))
    seen.push_back(std::to_string(row.Level) + std::string(row.Text));
  EXPECT_EQ(seen, (std::vector<std::string>{"0A", "1B", "2C", "1D", "0E"}));
}

// The golden documents show the dependency and object texts, their indents, anchors and levels;
// a bad number is shown by the documentation writer's own test. The pictures draw the same rows.
TEST(DependencyRows, MaxLevelsCutsTheDrawnTree) {
  ReportOptions options;
  options.DependencyMaxLevel = true;
  options.DependencyMaxLevelNum = "2";
  EXPECT_EQ(DependencyRowsOf(testing::ParseOutline("A[B[C[D]], E]"), options).size(), 3u);
}

}  // namespace
}  // namespace tarnwick
