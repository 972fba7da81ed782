#include <gtest/gtest.h>

#include <QAction>
#include <algorithm>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "app/qt/main_form.h"
#include "support/qt_modal_closer.h"
#include "support/qt_tree_text.h"
#include "support/recording_prompter.h"
#include "support/temp_folder.h"
#include "views/qt/dependencies_page.h"
#include "views/qt/objects_page.h"

namespace tarnwick {
namespace {

using testing::IndentedText;
using testing::ShownRows;
using testing::WhenModalShows;

class TreePagesTest : public ::testing::Test {
 protected:
  TreePagesTest() : store_(folder_.Path() + "settings.reg"), form_(store_, prompter_) {
    form_.resize(900, 600);
    form_.OpenProjectFile(QString::fromStdString(testing::CopyDemoProject(folder_)));
  }
  NodeTreeView* View(const char* name) { return form_.findChild<NodeTreeView*>(name); }
  QString Caption(int page) { return form_.findChild<QTabWidget*>("PageControl")->tabText(page); }
  void Trigger(const char* item) { form_.findChild<QAction*>(item)->trigger(); }
  void EndDialogWith(const char* button) {
    WhenModalShows([button](QWidget* dialog) {
      QTest::mouseClick(dialog->findChild<QPushButton*>(button), Qt::LeftButton);
    });
  }
  // Only the roots show.
  bool Collapsed(const char* view) {
    const std::string rows = ShownRows(*View(view));
    return std::count(rows.begin(), rows.end(), '\n') == View(view)->model()->rowCount();
  }
  std::string Memo() { return form_.findChild<QPlainTextEdit*>("PropertyMemo")->toPlainText().toStdString(); }
  static std::string MemoOf(const QModelIndex& row) {
    std::string lines;
    for (const std::string& line : ObjectTreeModel::NodeOf(row)->Data->Properties)
      lines += (lines.empty() ? "" : "\n") + line;
    return lines;
  }
  const DependencyFilter& Dependencies() { return form_.Space().Dependencies; }
  const ObjectFilter& Objects() { return form_.Space().Objects; }

  testing::TempFolder folder_;
  SettingsStore store_;
  testing::RecordingPrompter prompter_;
  TMainForm form_;
};

// What the trees hold is the core's; here the trees, captions and memo reach the screen.
TEST_F(TreePagesTest, AfterAnOpenBothPagesShowTheirFilteredTreesExpanded) {
  EXPECT_EQ(Caption(TMainForm::DependenciesPage), "Filtered Depdencies");
  NodeTreeView* dependencies = View("DependencyFilterTreeView");
  EXPECT_TRUE(View("DependencyTreeView")->isHidden());
  ASSERT_FALSE(Dependencies().FilteredTree.empty());
  EXPECT_EQ(ShownRows(*dependencies), IndentedText(Dependencies().FilteredTree));
  EXPECT_EQ(dependencies->currentIndex(), dependencies->model()->index(0, 0)) << "the first root is selected";

  EXPECT_EQ(Caption(TMainForm::ObjectsPage), "Filtered Objects");
  NodeTreeView* objects = View("ObjectFilterTreeView");
  EXPECT_EQ(ShownRows(*objects), IndentedText(Objects().FilteredTree));
  EXPECT_EQ(Memo(), MemoOf(objects->currentIndex())) << "the first root's properties";
  const QModelIndex second = objects->indexBelow(objects->currentIndex());
  objects->setCurrentIndex(second);
  EXPECT_EQ(Memo(), MemoOf(second));
}

TEST_F(TreePagesTest, ShowAllAndFilterSwitchViewsAndCaptions) {
  EndDialogWith("AllBtn");
  Trigger("FilterDependenciesItem");
  EXPECT_EQ(Caption(TMainForm::DependenciesPage), "All Dependencies");
  EXPECT_TRUE(View("DependencyFilterTreeView")->isHidden());
  Trigger("ExpandAllDependenciesItem");
  EXPECT_EQ(ShownRows(*View("DependencyTreeView")), IndentedText(form_.Space().Model.DependencyTree));

  EndDialogWith("FilterBtn");
  Trigger("FilterDependenciesItem");
  EXPECT_EQ(Caption(TMainForm::DependenciesPage), "Filtered Depdencies");
  EXPECT_TRUE(Collapsed("DependencyFilterTreeView"));

  EndDialogWith("Button1");
  Trigger("FilterObjectsItem");
  EXPECT_EQ(Caption(TMainForm::ObjectsPage), "All Objects");
  EndDialogWith("CancelBtn");
  Trigger("CollapseAllObjectsItem");
  Trigger("FilterObjectsItem");
  EXPECT_EQ(Caption(TMainForm::ObjectsPage), "All Objects");
  EXPECT_EQ(ShownRows(*View("ObjectTreeView")), IndentedText(form_.Space().Model.ObjectTree))
      << "expanded after Cancel too";
}

TEST_F(TreePagesTest, TheCompactItemBuildsTheTreeAgainTheOtherWay) {
  const size_t full = CountNodes(form_.Space().Model.DependencyTree);
  Trigger("DependencyCompactItem");
  EXPECT_LT(CountNodes(form_.Space().Model.DependencyTree), full);
  EXPECT_EQ(ShownRows(*View("DependencyFilterTreeView")), IndentedText(Dependencies().FilteredTree));
}

TEST_F(TreePagesTest, ToolButtonsActOnThePageShown) {
  auto* pages = form_.findChild<QTabWidget*>("PageControl");
  auto click = [this](const char* button) { form_.findChild<QToolButton*>(button)->click(); };
  pages->setCurrentIndex(TMainForm::ObjectsPage);
  click("CollapseAllToolButton");
  EXPECT_TRUE(Collapsed("ObjectFilterTreeView"));
  EXPECT_FALSE(Collapsed("DependencyFilterTreeView"));
  pages->setCurrentIndex(TMainForm::DependenciesPage);
  click("CollapseAllToolButton");
  EXPECT_TRUE(Collapsed("DependencyFilterTreeView"));
  click("ExpandAllToolButton");
  EXPECT_EQ(ShownRows(*View("DependencyFilterTreeView")), IndentedText(Dependencies().FilteredTree));
}

TEST_F(TreePagesTest, ClosingTheProjectEmptiesBothPages) {
  form_.CloseProject();
  for (const char* name : {"DependencyTreeView", "DependencyFilterTreeView", "ObjectTreeView", "ObjectFilterTreeView"})
    EXPECT_EQ(View(name)->model()->rowCount(), 0) << name;
  EXPECT_EQ(Memo(), "");
  Trigger("ExpandAllDependenciesItem");  // on empty trees
  Trigger("CollapseAllObjectsItem");
}

// Resizing halves the width, rounding halves to even; entering the page gives the trees 5/8.
TEST_F(TreePagesTest, ObjectsPageSplitsItsWidthBetweenTreeAndProperties) {
  auto* page = form_.findChild<ObjectsPage*>("ObjectsTabSheet");
  auto* box = form_.findChild<QWidget*>("PropertiesGroupBox");
  for (const auto& [width, half] : {std::pair{101, 50}, {103, 52}}) {
    page->resize(width, 300);
    QResizeEvent resize(QSize(width, 300), QSize());
    QApplication::sendEvent(page, &resize);
    EXPECT_EQ(View("ObjectTreeView")->width(), half);
    EXPECT_EQ(box->geometry(), QRect(half + 1, 0, width - half, 300));
  }
  page->resize(640, 300);
  page->PageEntered();
  EXPECT_EQ(View("ObjectFilterTreeView")->width(), 400);
}

}  // namespace
}  // namespace tarnwick
