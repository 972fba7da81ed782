#include "report/qt/print_setup_form.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <filesystem>
#include <tuple>

#include "app/open_project.h"
#include "platform/registry_values.h"
#include "support/qt_modal_closer.h"
#include "support/workspace_test.h"

namespace tarnwick {
namespace {

using Names = std::vector<std::string>;

class PrintSetupFormTest : public testing::WorkspaceTest {
 protected:
  TPrintSetupForm& Form() {
    if (!form_) {
      form_ = std::make_unique<TPrintSetupForm>(store_, prompter_, measure_, new QWidget,
                                                progress_);
    }
    return *form_;
  }
  template <typename T>
  T* Find(const char* name) {
    T* found = Form().findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  bool Checked(const char* name) { return Find<QCheckBox>(name)->isChecked(); }
  void OpenDemo() {
    OpenProject(workspace_, ui_, OpenHooks(), testing::CopyDemoProject(folder_));
    progress_.Clear();
    prompter_.Clear();
    Form().SetDocument(workspace_.Subject(), DocumentationRequest{});
  }

  SettingsStore store_{folder_.Path() + "settings.reg"};
  std::unique_ptr<TPrintSetupForm> form_;
};

TEST_F(PrintSetupFormTest, ShowsTheStoredOptionsInTheirControls) {
  store_.FromText("[HKEY_CURRENT_USER" + std::string(kRegistryKey) +
                  "]\n\"SourceAll\"=dword:00000000\n"
                  "\"ObjectsOutput\"=dword:00000001\n\"DependencyMaxLevelNum\"=dword:00000004\n"
                  "\"SourceFont\"=\"Arial\"\n\"PrintOrder\"=\"Source Code,Form Images\"\n");
  EXPECT_EQ(Form().windowTitle(), "Print Setup");
  EXPECT_FALSE(Checked("SourceAllCheckBox"));
  EXPECT_EQ(Find<QComboBox>("ObjectOutputComboBox")->currentText(), "As JPeg");
  EXPECT_EQ(Find<QLineEdit>("DependencyLevels")->text(), "4");
  EXPECT_EQ(Find<QLabel>("SpeedButton3Label")->text(), "Arial, 12 pt");
  EXPECT_EQ(Find<QListWidget>("PrintCategoryOrderListBox")->item(0)->text(), "Source Code");
}

TEST_F(PrintSetupFormTest, CheckingOneOfAPairUnchecksTheOtherButUncheckingChecksNothing) {
  // Clicked box, then the states of the source pair and of the images pair after the click.
  const std::tuple<const char*, Names> steps[] = {
      {"SourceSelectedCheckBox", {"SourceSelectedCheckBox", "ImagesAllCheckBox"}},
      {"ImagesSelectedCheckBox", {"SourceSelectedCheckBox", "ImagesSelectedCheckBox"}},
      {"ImagesSelectedCheckBox", {"SourceSelectedCheckBox"}},
  };
  for (const auto& [click, checked] : steps) {
    Find<QCheckBox>(click)->click();
    Names shown;
    for (const char* name : {"SourceAllCheckBox", "SourceSelectedCheckBox", "ImagesAllCheckBox",
                             "ImagesSelectedCheckBox"})
      if (Checked(name)) shown.push_back(name);
    EXPECT_EQ(shown, checked) << click;
  }
  EXPECT_TRUE(Form().Options().SourceSelected && !Form().Options().SourceAll &&
              !Form().Options().ImagesAll);
}

TEST_F(PrintSetupFormTest, MovesTheOrderWithItsButtonsAndSaveStoresIt) {
  auto* list = Find<QListWidget>("PrintCategoryOrderListBox");
  auto* up = Find<QToolButton>("SpeedButton1");
  auto* down = Find<QToolButton>("SpeedButton2");
  list->setCurrentRow(0);
  for (QToolButton* button : {down, down, down, up}) button->click();
  EXPECT_EQ(list->item(2)->text(), "Form Images");
  EXPECT_EQ(list->currentRow(), 2) << "the moved entry stays selected";

  Find<QPushButton>("SaveButton")->click();
  const std::string stored = testing::ReadFileText(store_.FilePath());
  EXPECT_NE(stored.find("\"PrintOrder\"=\"Source Code,Dependencies,Form Images,"),
            std::string::npos);
}

TEST_F(PrintSetupFormTest, LevelFieldResetsWhatIsNotAWholeNumber) {
  auto* levels = Find<QLineEdit>("DependencyLevels");
  QTest::keyClicks(levels, "1x");
  EXPECT_EQ(levels->text(), "0");
  EXPECT_EQ(Form().Options().DependencyMaxLevelNum, "0");
  EXPECT_EQ(prompter_.Shown(), Names{"information: Non integer value changed to 0"});
}

TEST_F(PrintSetupFormTest, FontButtonsTakeFaceAndSizeFromTheFontDialog) {
  testing::WhenModalShows([](QWidget* dialog) {
    auto* fonts = qobject_cast<QFontDialog*>(dialog);
    ASSERT_NE(fonts, nullptr);
    QFont chosen("Liberation Mono");
    chosen.setPointSize(9);
    fonts->setCurrentFont(chosen);
    fonts->accept();
  });
  Find<QToolButton>("SpeedButton5")->click();
  EXPECT_EQ(std::tie(Form().Options().UnusedFont.Face, Form().Options().UnusedFont.Size),
            std::tuple("Liberation Mono", 9));
  EXPECT_EQ(Find<QLabel>("SpeedButton5Label")->text(), "Liberation Mono, 9 pt");
}

// A written preview closes the window: the main window's test.
TEST_F(PrintSetupFormTest, NothingSelectedKeepsTheWindowOpen) {
  OpenDemo();
  for (const char* off : {"SourceAllCheckBox", "DependencyCheckBox", "ObjectsCheckBox",
                          "ImagesAllCheckBox", "UnusedSourceCheckBox"})
    Find<QCheckBox>(off)->click();
  QTimer::singleShot(0, &Form(), [this] { Find<QPushButton>("PreviewButton")->click(); });
  testing::WhenModalShows([](QWidget* dialog) {
    EXPECT_TRUE(dialog->isVisible()) << "nothing selected leaves the window open";
    dialog->close();
  });
  EXPECT_EQ(Form().ShowModal(), TPrintSetupForm::Outcome::Cancel);
  EXPECT_EQ(prompter_.Shown(), Names{"information: You have not selected anything to print."});
}

TEST_F(PrintSetupFormTest, ADocumentWrittenWithErrorsIsStillShown) {
  OpenDemo();
  std::filesystem::remove(workspace_.Model.ProjectFolder + "MainUnit.pas");
  QTimer::singleShot(0, &Form(), [this] { Find<QPushButton>("PrintButton")->click(); });
  EXPECT_EQ(Form().ShowModal(), TPrintSetupForm::Outcome::Print);
  ASSERT_EQ(prompter_.Messages().size(), 1u);
  EXPECT_EQ(prompter_.Messages().front().kind, MessageKind::Error);
  // The writer's progress reaches the window's status bar, under the busy cursor.
  const Names& log = progress_.Log();
  EXPECT_GT(log.size(), 2u);
  EXPECT_EQ(log.front() + " " + log.back(), "cursor:1 cursor:0");
}

}  // namespace
}  // namespace tarnwick
