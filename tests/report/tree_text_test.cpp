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

// The golden documents show the dependency and object texts, their indents and anchors; a bad
// number is shown by the documentation writer's own test. The level note stands only above a
// tree that is cut there; without "Max Levels" the number is ignored.
TEST(DependencyText, MaxLevelsCutsThePrintedTree) {
  const DependencyForest tree = testing::ParseOutline("A[B[C[D]], E]");
  ReportOptions options;
  options.IndentSpaces = "0";
  options.DependencyMaxLevelNum = "2";
  auto text = [&] {
    HtmlWriter writer;
    WriteDependencyText(tree, options, writer);
    return writer.Text();
  };
  EXPECT_EQ(text(), "<H3>Dependencies</H3>\r\n<P>\r\nA<BR>\r\nB<BR>\r\nC<BR>\r\nD<BR>\r\nE<BR>\r\n</P>\r\n");
  options.DependencyMaxLevel = true;
  EXPECT_EQ(text(), "<H3>Dependencies</H3>\r\n<P>\r\n(to a max of 2 levels)<BR>\r\nA<BR>\r\nB<BR>\r\nE<BR>\r\n</P>\r\n");
  EXPECT_EQ(DependencyRowsOf(tree, options).size(), 3u);  // the pictures draw the same rows
}

}  // namespace
}  // namespace tarnwick
