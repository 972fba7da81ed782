#include <gtest/gtest.h>

#include <QAction>
#include <algorithm>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "app/qt/main_form.h"
#include "app/qt/status_bar.h"
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
  const DependencyFilter& Dependencies() { return form_.Space().Dependencies; }
  const ObjectFilter& Objects() { return form_.Space().Objects; }

  testing::TempFolder folder_;
  SettingsStore store_;
  testing::RecordingPrompter prompter_;
  TMainForm form_;
};

TEST_F(TreePagesTest, AfterAnOpenBothPagesShowTheirFilteredTreesExpanded) {
  EXPECT_EQ(Caption(TMainForm::DependenciesPage), "Filtered Depdencies");
  EXPECT_TRUE(View("DependencyTreeView")->isHidden());
  NodeTreeView* dependencies = View("DependencyFilterTreeView");
  EXPECT_FALSE(dependencies->isHidden());
  ASSERT_FALSE(Dependencies().FilteredTree.empty());
  EXPECT_EQ(ShownRows(*dependencies), IndentedText(Dependencies().FilteredTree));
  EXPECT_EQ(dependencies->currentIndex(), dependencies->model()->index(0, 0)) << "the first root is selected";

  EXPECT_EQ(Caption(TMainForm::ObjectsPage), "Filtered Objects");
  EXPECT_EQ(ShownRows(*View("ObjectFilterTreeView")), IndentedText(Objects().FilteredTree));
  std::string lines;
  for (const std::string& line : Objects().FilteredTree.front()->Data->Properties) lines += line + "\n";
  EXPECT_EQ(Memo() + "\n", lines) << "the first root's properties";
  EXPECT_EQ(form_.StatusPanels()->Panel1()->text(), "Done.");
}

TEST_F(TreePagesTest, ShowAllAndFilterSwitchViewsAndCaptions) {
  EndDialogWith("AllBtn");
  Trigger("FilterDependenciesItem");
  EXPECT_EQ(Caption(TMainForm::DependenciesPage), "All Dependencies");
  EXPECT_FALSE(View("DependencyTreeView")->isHidden());
  EXPECT_TRUE(View("DependencyFilterTreeView")->isHidden());
  Trigger("ExpandAllDependenciesItem");
  EXPECT_EQ(ShownRows(*View("DependencyTreeView")), IndentedText(form_.Space().Model.DependencyTree));

  EndDialogWith("FilterBtn");
  Trigger("FilterDependenciesItem");
  EXPECT_EQ(Caption(TMainForm::DependenciesPage), "Filtered Depdencies");
  EXPECT_FALSE(View("DependencyFilterTreeView")->isHidden());
  EXPECT_TRUE(Collapsed("DependencyFilterTreeView"));

  EndDialogWith("Button1");
  Trigger("FilterObjectsItem");
  EXPECT_EQ(Caption(TMainForm::ObjectsPage), "All Objects");
  EXPECT_EQ(ShownRows(*View("ObjectTreeView")), IndentedText(form_.Space().Model.ObjectTree)) << "expanded";
  EndDialogWith("CancelBtn");
  Trigger("CollapseAllObjectsItem");
  Trigger("FilterObjectsItem");
  EXPECT_EQ(Caption(TMainForm::ObjectsPage), "All Objects");
  EXPECT_EQ(ShownRows(*View("ObjectTreeView")), IndentedText(form_.Space().Model.ObjectTree))
      << "expanded after Cancel too";
}

TEST_F(TreePagesTest, TheCompactItemBuildsTheTreeAgainTheOtherWay) {
  const size_t full = CountNodes(form_.Space().Model.DependencyTree);
  form_.findChild<QAction*>("DependencyCompactItem")->trigger();
  EXPECT_TRUE(form_.Space().Settings.DependencyCompact);
  EXPECT_LT(CountNodes(form_.Space().Model.DependencyTree), full);
  EXPECT_EQ(ShownRows(*View("DependencyFilterTreeView")), IndentedText(Dependencies().FilteredTree));
  EXPECT_EQ(form_.StatusPanels()->Panel1()->text(), "Done.");
}

TEST_F(TreePagesTest, ToolButtonsActOnThePageShown) {
  auto* pages = form_.findChild<QTabWidget*>("PageControl");
  pages->setCurrentIndex(TMainForm::ObjectsPage);
  ASSERT_TRUE(form_.findChild<QToolButton*>("CollapseAllToolButton")->isEnabled());
  form_.findChild<QToolButton*>("CollapseAllToolButton")->click();
  EXPECT_TRUE(Collapsed("ObjectFilterTreeView"));
  EXPECT_EQ(ShownRows(*View("DependencyFilterTreeView")), IndentedText(Dependencies().FilteredTree));
  pages->setCurrentIndex(TMainForm::DependenciesPage);
  form_.findChild<QToolButton*>("CollapseAllToolButton")->click();
  EXPECT_TRUE(Collapsed("DependencyFilterTreeView"));
  form_.findChild<QToolButton*>("ExpandAllToolButton")->click();
  EXPECT_EQ(ShownRows(*View("DependencyFilterTreeView")), IndentedText(Dependencies().FilteredTree));
}

TEST_F(TreePagesTest, SelectingAnObjectShowsItsFilteredPropertyLines) {
  const ObjectNode* button = nullptr;
  NodeTreeView* view = View("ObjectFilterTreeView");
  for (QModelIndex row = view->model()->index(0, 0); row.isValid() && !button; row = view->indexBelow(row)) {
    if (row.data().toString().endsWith("TSpeedButton")) {
      view->setCurrentIndex(row);
      button = ObjectTreeModel::NodeOf(row);
    }
  }
  ASSERT_NE(button, nullptr) << "the demo has a speed button";
  EXPECT_EQ(Memo().find("Glyph .Data"), std::string::npos) << Memo();
  EXPECT_NE(Memo().find("Left ="), std::string::npos) << Memo();
}

TEST_F(TreePagesTest, ClosingTheProjectEmptiesBothPages) {
  form_.CloseProject();
  for (const char* name : {"DependencyTreeView", "DependencyFilterTreeView", "ObjectTreeView", "ObjectFilterTreeView"})
    EXPECT_EQ(View(name)->model()->rowCount(), 0) << name;
  EXPECT_EQ(Memo(), "");
  EXPECT_EQ(Caption(TMainForm::DependenciesPage), "Filtered Depdencies") << "the caption stays";
  Trigger("ExpandAllDependenciesItem");  // on empty trees
  Trigger("CollapseAllObjectsItem");
}

TEST_F(TreePagesTest, ObjectsPageSplitsItsWidthBetweenTreeAndProperties) {
  auto* page = form_.findChild<ObjectsPage*>("ObjectsTabSheet");
  auto* box = form_.findChild<QWidget*>("PropertiesGroupBox");
  const std::pair<int, int> halves[] = {{100, 50}, {101, 50}, {103, 52}, {640, 320}};
  for (const auto& [width, half] : halves) {
    page->resize(width, 300);
    QResizeEvent resize(QSize(width, 300), QSize());
    QApplication::sendEvent(page, &resize);
    EXPECT_EQ(View("ObjectTreeView")->width(), half);
    EXPECT_EQ(box->geometry(), QRect(half + 1, 0, width - half, 300));
  }
  page->PageEntered();
  EXPECT_EQ(View("ObjectFilterTreeView")->width(), 400);
  EXPECT_EQ(box->x(), 401);
}

}  // namespace
}  // namespace tarnwick
