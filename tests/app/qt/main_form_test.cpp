#include "app/qt/main_form.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QFileDialog>
#include <QLineEdit>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>

#include "app/qt/status_bar.h"
#include "app/qt/window_placement.h"
#include "support/qt_modal_closer.h"
#include "support/recording_prompter.h"
#include "support/temp_folder.h"

namespace tarnwick {
namespace {

using testing::RecordingPrompter;
using testing::TempFolder;
using Names = std::vector<std::string>;

class MainFormTest : public ::testing::Test {
 protected:
  MainFormTest() : store_(folder_.Path() + "settings.reg") { store_.Load(); }

  TMainForm& Form() {
    if (!form_) form_ = std::make_unique<TMainForm>(store_, prompter_);
    return *form_;
  }
  template <typename T = QAction>
  T* Find(const char* name) {
    T* found = Form().findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  bool Enabled(const char* name) {
    if (auto* button = Form().findChild<QToolButton*>(name)) return button->isEnabled();
    if (auto* menu = Form().findChild<QMenu*>(name)) return menu->menuAction()->isEnabled();
    QAction* item = Find(name);
    return item && item->isEnabled();
  }
  Names EnabledOf(const Names& names) {
    Names enabled;
    for (const std::string& name : names)
      if (Enabled(name.c_str())) enabled.push_back(name);
    return enabled;
  }
  std::string OpenDemo() {
    std::string path = testing::CopyDemoProject(folder_);
    Form().OpenProjectFile(QString::fromStdString(path));
    return path;
  }

  const Names projectCommands_ = {"SaveImagesItem", "CloseItem", "PrintItem", "PrintToolButton", "ViewMenu",
                                  "FilterMenu", "RunItem"};
  TempFolder folder_;
  SettingsStore store_;
  RecordingPrompter prompter_;
  std::unique_ptr<TMainForm> form_;
};

// Without a project the page tool buttons still follow the page shown.
TEST_F(MainFormTest, StartsWithoutProjectCommandsAndWithAnEmptyRecentList) {
  EXPECT_EQ(Form().windowTitle(), "Tarnwick");
  EXPECT_EQ(EnabledOf(projectCommands_), Names{});
  QList<QAction*> reopen = Find<QMenu>("ReopenMenu")->actions();
  ASSERT_EQ(reopen.size(), 1);
  EXPECT_EQ(reopen[0]->text(), "(Empty)");
  EXPECT_FALSE(reopen[0]->isEnabled());

  const Names pageButtons = {"ExpandAllToolButton", "CollapseAllToolButton", "FilterToolButton"};
  const std::pair<int, bool> cases[] = {{TMainForm::DependenciesPage, true}, {TMainForm::ImagePage, false},
                                        {TMainForm::ObjectsPage, true}, {TMainForm::SourcePage, false}};
  for (const auto& [page, enabled] : cases) {
    Find<QTabWidget>("PageControl")->setCurrentIndex(page);
    EXPECT_EQ(EnabledOf(pageButtons), enabled ? pageButtons : Names{}) << page;
  }
}

TEST_F(MainFormTest, OpeningEnablesTheCommandsAndFillsTheSourcePage) {
  Find("AnalyzeFormsItem")->setChecked(false);
  std::string path = OpenDemo();
  EXPECT_EQ(Form().windowTitle().toStdString(), "Tarnwick: " + path.substr(0, path.rfind('/') + 1));
  EXPECT_EQ(EnabledOf(projectCommands_), (Names{"CloseItem", "PrintItem", "PrintToolButton", "ViewMenu",
                                                "FilterMenu", "RunItem"}))
      << "no image is new, so Save Images stays off";
  EXPECT_EQ(EnabledOf({"ExpandAllDependenciesItem", "CollapseAllDependenciesItem", "ExpandAllObjectsItem",
                       "CollapseAllObjectsItem"}),
            (Names{"ExpandAllDependenciesItem", "CollapseAllDependenciesItem"}));
  auto* sources = Find<QTreeWidget>("SourceListView");
  EXPECT_EQ(static_cast<size_t>(sources->topLevelItemCount()), Form().Space().Model.Units().size());
  EXPECT_TRUE(Form().StatusPanels()->Panel1()->text().startsWith("Done."));
  EXPECT_EQ(Find<QListWidget>("UnusedSourceListBox")->findItems("Unused.pas", Qt::MatchExactly).size(), 1);

  Form().CloseProject();
  EXPECT_EQ(EnabledOf(projectCommands_), Names{});
  EXPECT_EQ(sources->topLevelItemCount(), 0);
  EXPECT_EQ(Find<QMenu>("ReopenMenu")->actions().front()->text().toStdString(), "&1: " + path);
}

TEST_F(MainFormTest, ClosingTheWindowAsksOnceAboutNewImagesThenSavesSettingsAndHistory) {
  std::string path = OpenDemo();
  ImageEntry capture{"MainForm", "", "MainUnit", "MainUnit.jpg", std::string(kImageStatusNew), nullptr, true};
  Form().Space().Model.Images.push_back(capture);
  Form().EnableProjectCommands();
  EXPECT_TRUE(Enabled("SaveImagesItem")) << "an image is new";
  Find("CodePage_windows-1251")->trigger();
  prompter_.QueueAnswer(MessageAnswer::No);
  Form().close();
  EXPECT_EQ(prompter_.Texts(), Names{"Save new images?"});

  SettingsStore saved(store_.FilePath());
  ASSERT_TRUE(saved.Load());
  RegistryKey key(saved);
  ASSERT_TRUE(key.OpenKey(kRegistryKey, false));
  EXPECT_EQ(key.ReadString("SourceCodePage"), "windows-1251") << "the Prefs items change the settings at once";
  ASSERT_TRUE(key.OpenKey(kHistoryKey, false));
  EXPECT_EQ(key.ReadString("Project_0"), path);
}

TEST_F(MainFormTest, OpenAsksAgainUntilAProjectFileIsChosenOrTheDialogIsCancelled) {
  std::string project = testing::CopyDemoProject(folder_);
  std::string unit = project.substr(0, project.rfind('/') + 1) + "MainUnit.pas";
  auto choose = [](const std::string& path) {
    return [path](QWidget* modal) {
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      ASSERT_NE(dialog, nullptr);
      EXPECT_EQ(dialog->windowTitle(), "Open Project");
      // Typed as a user would: the dialog keeps the selection of its last showing.
      auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
      ASSERT_NE(name, nullptr);
      name->setText(QString::fromStdString(path));
      static_cast<QDialog*>(dialog)->accept();  // QFileDialog::accept checks the chosen file
    };
  };
  testing::WhenModalShows([&](QWidget* modal) {
    testing::WhenModalShows([](QWidget* again) { qobject_cast<QDialog*>(again)->reject(); });
    choose(unit)(modal);
  });
  Form().OpenItemClick();
  EXPECT_EQ(prompter_.Texts(), Names{"You must enter a Delphi Project File .dpr"});
  EXPECT_TRUE(Form().Space().Model.ProjectFile.empty());

  testing::WhenModalShows(choose(project));
  Form().OpenItemClick();
  EXPECT_EQ(Form().Space().Model.ProjectFile, project);
}

TEST_F(MainFormTest, ExportsTheUsesGraphEvenWithoutTheDependencyAnalysis) {
  Find("AnalyzedependenciesItem")->setChecked(false);
  OpenDemo();
  const std::string path = folder_.Path() + "Demo.graphml";
  testing::WhenModalShows([&](QWidget* modal) {
    EXPECT_EQ(modal->objectName(), "ExportGraphDialog");
    modal->findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(path));
    static_cast<QDialog*>(modal)->accept();
  });
  Find("ExportDependencyGraphItem")->trigger();
  EXPECT_EQ(prompter_.Texts(), Names{});
  EXPECT_NE(testing::ReadFileText(path).find("EditUnit"), std::string::npos);
}

TEST_F(MainFormTest, CircularReferencesListsTheDemosCyclePair) {
  OpenDemo();
  QStringList rows;
  testing::WhenModalShows([&](QWidget* modal) {
    EXPECT_EQ(modal->windowTitle(), "Circular References");
    auto* list = modal->findChild<QTreeWidget*>("CycleListView");
    for (int i = 0; list && i < list->topLevelItemCount(); ++i)
      rows << list->topLevelItem(i)->text(0) + " | " + list->topLevelItem(i)->text(1);
    static_cast<QDialog*>(modal)->reject();
  });
  Find("CircularReferencesItem")->trigger();
  EXPECT_EQ(rows, QStringList{"EditUnit, MainUnit | EditUnit -impl-> MainUnit -> EditUnit"});
}

TEST_F(MainFormTest, ReopeningAVanishedProjectSaysSoAndChangesNothing) {
  store_.SetValue(kHistoryKey, "Project_0", {.Type = RegType::String, .Text = "/nowhere/Gone.dpr"});
  QAction* entry = Find<QMenu>("ReopenMenu")->actions().front();
  EXPECT_EQ(entry->text(), "&1: /nowhere/Gone.dpr");
  entry->trigger();
  EXPECT_EQ(prompter_.Texts(), Names{"Can not find /nowhere/Gone.dpr"});
  EXPECT_EQ(Form().History().FileNames(), Names{"/nowhere/Gone.dpr"});
}

TEST(WindowPlacementTest, FillsTheWorkAreaBesidePanelsOrMaximises) {
  const QRect screen(0, 0, 1280, 800);
  EXPECT_EQ(MainWindowPlacement(screen, screen), std::nullopt);
  EXPECT_EQ(MainWindowPlacement(screen, QRect(0, 0, 1280, 760)), QRect(0, 0, 1280, 760)) << "panel at the bottom";
  EXPECT_EQ(MainWindowPlacement(screen, QRect(48, 0, 1232, 800)), QRect(48, 0, 1232, 800)) << "panel at the left";
}

}  // namespace
}  // namespace tarnwick
