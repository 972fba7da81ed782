#include "views/qt/node_tree_model.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <algorithm>

#include "support/qt_tree_text.h"
#include "support/tree_text.h"
#include "views/qt/node_tree_view.h"

namespace tarnwick {
namespace {

using testing::IndentedText;
using testing::ParseOutline;
using testing::ShownRows;

// The model tester checks every index, parent and row count the view asks for.
class NodeTreeModelTest : public ::testing::Test {
 protected:
  void Show(std::string_view outline) {
    forest_ = ParseOutline(outline);
    model_.SetForest(&forest_);
    view_.setModel(&model_);
    view_.resize(300, 200);
  }

  DependencyForest forest_;
  DependencyTreeModel model_;
  QAbstractItemModelTester tester_{&model_, QAbstractItemModelTester::FailureReportingMode::Fatal};
  NodeTreeView view_{"TestTreeView"};
};

TEST_F(NodeTreeModelTest, LabelsThatAreNotUtf8AreDecodedFromTheProjectsCodePage) {
  Show("Caf\xe9, Caf\xc3\xa9");
  const TextDecoder decoder("windows-1252");
  model_.SetDecoder(&decoder);
  EXPECT_EQ(model_.index(0, 0).data().toString(), QString::fromUtf8("Caf\xc3\xa9"));
  EXPECT_EQ(model_.index(1, 0).data().toString(), QString::fromUtf8("Caf\xc3\xa9")) << "UTF-8 stays";
}

TEST_F(NodeTreeModelTest, ExpandsTheLevelsThatFitTheRowBudgetAndCollapsesToTheRoots) {
  Show("Main[b[d[g, h], e], a, c[f]], Other[x]");
  const struct {
    size_t Budget;
    int Levels;
    size_t Rows;
  } cases[] = {{2, 0, 2}, {10, 2, 9}, {11, 3, 11}};
  for (const auto& [budget, levels, rows] : cases) {
    SCOPED_TRACE(budget);
    view_.CollapseAll();
    const Expansion expansion = view_.ExpandAllKeepingTop(budget);
    EXPECT_EQ(expansion.Complete, budget >= 11);
    EXPECT_EQ(expansion.Levels, levels);
    EXPECT_EQ(expansion.Rows, rows);
    const std::string shown = ShownRows(view_);
    EXPECT_EQ(static_cast<size_t>(std::count(shown.begin(), shown.end(), '\n')), rows);
  }
  EXPECT_EQ(ShownRows(view_), IndentedText(forest_)) << "every node in order";
}

TEST_F(NodeTreeModelTest, ExpandAllKeepsTheFirstVisibleNodeAtTheTop) {
  std::string outline;
  for (int i = 0; i < 100; ++i) outline += (i ? ", n" : "n") + std::to_string(i) + "[child" + std::to_string(i) + "]";
  Show(outline);
  view_.show();
  view_.scrollTo(model_.index(39, 0), QAbstractItemView::PositionAtTop);
  ASSERT_EQ(view_.FirstVisible().data().toString(), "n39");
  view_.ExpandAllKeepingTop();
  EXPECT_EQ(view_.FirstVisible().data().toString(), "n39");
  EXPECT_TRUE(view_.isExpanded(model_.index(0, 0)));
}

}  // namespace
}  // namespace tarnwick
