#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "support/qt_modal_closer.h"
#include "support/recording_prompter.h"
#include "support/temp_folder.h"
#include "views/qt/dependency_filter_form.h"
#include "views/qt/filter_dialog_parts.h"
#include "views/qt/object_filter_form.h"

namespace tarnwick {
namespace {

using testing::RecordingPrompter;
using testing::WhenModalShows;
using Names = std::vector<std::string>;

template <typename T>
T* Child(QWidget* dialog, const char* name) {
  T* found = dialog->findChild<T*>(name);
  EXPECT_NE(found, nullptr) << name;
  return found;
}

// The names of a list, the selected ones marked with "*".
Names Items(QWidget* dialog, const char* list) {
  Names names;
  auto* widget = Child<QListWidget>(dialog, list);
  for (int row = 0; row < widget->count(); ++row)
    names.push_back((widget->item(row)->isSelected() ? "*" : "") + widget->item(row)->text().toStdString());
  return names;
}

Names Enabled(QWidget* dialog) {
  Names enabled;
  for (const char* name : {"IncludeBtn", "IncAllBtn", "ExcludeBtn", "ExAllBtn"})
    if (Child<QPushButton>(dialog, name)->isEnabled()) enabled.push_back(name);
  return enabled;
}

void Click(QWidget* dialog, const char* button) {
  QTest::mouseClick(Child<QPushButton>(dialog, button), Qt::LeftButton);
}

void Select(QWidget* dialog, const char* list, std::initializer_list<int> rows) {
  for (int row : rows) Child<QListWidget>(dialog, list)->item(row)->setSelected(true);
}

// The move rules themselves are the filter's own tests; here the selections go both ways between
// the widgets and the filter. Show All and Cancel end the dialog in the tree pages' tests.
TEST(DependencyFilterFormTest, ButtonsMoveTheSelectedNamesAndEndWithTheirResults) {
  DependencyFilter filter;
  filter.SuppressList = {"A", "B", "C"};
  filter.ShowList = {"Main"};
  TDependencyFilterForm form(filter);
  EXPECT_EQ(form.windowTitle(), "Dependency filter");
  EXPECT_TRUE(Child<QPushButton>(&form, "AllBtn")->isDefault());
  WhenModalShows([](QWidget* dialog) {
    Select(dialog, "SuppressList", {0, 2});
    Click(dialog, "IncludeBtn");
    EXPECT_EQ(Items(dialog, "SuppressList"), Names{"*B"});
    EXPECT_EQ(Items(dialog, "ShowList"), (Names{"Main", "C", "A"}));
    Click(dialog, "IncAllBtn");
    EXPECT_EQ(Enabled(dialog), (Names{"ExcludeBtn", "ExAllBtn"}));
    Select(dialog, "ShowList", {1});
    Click(dialog, "ExcludeBtn");
    EXPECT_EQ(Items(dialog, "ShowList"), (Names{"Main", "*A", "B"}));
    Click(dialog, "FilterBtn");
  });
  EXPECT_EQ(form.Run(), kFilterResult);
  EXPECT_EQ(filter.ShowList, (Names{"Main", "A", "B"})) << "the lists keep what was moved";
}

class ObjectFilterFormTest : public ::testing::Test {
 protected:
  ObjectFilterFormTest() : store_(folder_.Path() + "settings.reg") {}

  std::unique_ptr<TObjectFilterForm> MakeForm() {
    return std::make_unique<TObjectFilterForm>(filter_, store_, prompter_);
  }
  static Names Exclusions(QWidget* dialog) {
    Names lines;
    auto* tree = Child<QTreeWidget>(dialog, "PropertyExcludeTreeView");
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
      lines.push_back(tree->topLevelItem(i)->text(0).toStdString());
      for (int j = 0; j < tree->topLevelItem(i)->childCount(); ++j)
        lines.push_back("  " + tree->topLevelItem(i)->child(j)->text(0).toStdString());
    }
    return lines;
  }
  static std::string Checked(QWidget* dialog) {
    std::string states;
    for (const char* name : {"ShowChildCheckBox", "ShowAllDescendantsCheckBox", "PropertyExcludeCheckBox"})
      states += Child<QCheckBox>(dialog, name)->isChecked() ? '1' : '0';
    return states;
  }

  testing::TempFolder folder_;
  SettingsStore store_;
  RecordingPrompter prompter_;
  ObjectFilter filter_;
};

// The boxes' rule is the options' own; here each box reaches the options and the rule the boxes.
TEST_F(ObjectFilterFormTest, CheckBoxesSetTheOptionsAndShowTheirRule) {
  auto form = MakeForm();
  EXPECT_EQ(Checked(form.get()), "001");
  const std::pair<const char*, std::string> clicks[] = {
      {"ShowAllDescendantsCheckBox", "011"},
      {"ShowChildCheckBox", "101"},
      {"PropertyExcludeCheckBox", "100"}};
  for (const auto& [box, states] : clicks) {
    QTest::mouseClick(Child<QCheckBox>(form.get(), box), Qt::LeftButton);
    EXPECT_EQ(Checked(form.get()), states) << box;
  }
  EXPECT_FALSE(filter_.Options.ExcludeProperties());
}

TEST_F(ObjectFilterFormTest, TypeListsMoveByButtonsAndDoubleClicksAndEndWithTheirResults) {
  filter_.ShowList = {"TButton", "TForm", "TLabel", "TPanel"};
  auto form = MakeForm();
  EXPECT_EQ(form->windowTitle(), "Objects Filter");
  WhenModalShows([](QWidget* dialog) {
    Select(dialog, "ShowList", {3, 0});
    Click(dialog, "ExcludeBtn");
    EXPECT_EQ(Items(dialog, "ShowList"), (Names{"*TForm", "TLabel"}));
    auto* suppress = Child<QListWidget>(dialog, "SuppressList");
    QListWidgetItem* panel = suppress->item(1);
    panel->setSelected(true);
    emit suppress->itemDoubleClicked(panel);
    EXPECT_EQ(Items(dialog, "SuppressList"), Names{"*TButton"});
    Click(dialog, "ExAllBtn");
    EXPECT_EQ(Enabled(dialog), (Names{"IncludeBtn", "IncAllBtn"}));
    Click(dialog, "ApplyButton");
  });
  EXPECT_EQ(form->Run(), kFilterResult);
  EXPECT_EQ(filter_.ShowList, Names{});
  filter_.ShowList = {"TForm"};
  WhenModalShows([](QWidget* dialog) {
    EXPECT_EQ(Enabled(dialog), (Names{"IncludeBtn", "IncAllBtn", "ExcludeBtn", "ExAllBtn"}))
        << "the buttons follow lists changed while the dialog was closed";
    Click(dialog, "Button1");
  });
  EXPECT_EQ(form->Run(), kShowAllResult);
}

// The checks and the question are the core's own tests; here the exclusion dialog stays open on a
// failed check with the input unchanged, and each button reaches the list or the settings.
TEST_F(ObjectFilterFormTest, AddDeleteAndSaveEditTheExclusionsThatTheNextStartReads) {
  auto form = MakeForm();
  WhenModalShows([](QWidget* dialog) {
    WhenModalShows([](QWidget* exclude) {
      Child<QLineEdit>(exclude, "ObjectTypeEdit")->setText("timage");
      Child<QLineEdit>(exclude, "PropertyEdit")->setText("Font.Style.Bold");
      Click(exclude, "OkButton");
      EXPECT_TRUE(exclude->isVisible());
      EXPECT_EQ(Child<QLineEdit>(exclude, "PropertyEdit")->text(), "Font.Style.Bold");
      Child<QLineEdit>(exclude, "PropertyEdit")->setText("Font.Name");
      Click(exclude, "OkButton");
    });
    Click(dialog, "AddExcludeButton");
    Child<QTreeWidget>(dialog, "PropertyExcludeTreeView")->topLevelItem(1)->setSelected(true);
    Click(dialog, "Button3");
    Click(dialog, "Button4");
    Click(dialog, "CancelBtn");
  });
  EXPECT_EQ(form->Run(), QDialog::Rejected);
  EXPECT_EQ(prompter_.Shown(), (Names{"error: Property Name \"Style.Bold\" is not a valid pascal identifier.",
                                      "confirmation: Delete TSpeedButton?"}));

  SettingsStore restarted(store_.FilePath());
  ASSERT_TRUE(restarted.Load());
  ObjectFilter fresh;
  TObjectFilterForm again(fresh, restarted, prompter_);
  EXPECT_EQ(Exclusions(&again), (Names{"TImage", "  Font .Name", "  Picture .Data"}));
}

}  // namespace
}  // namespace tarnwick
