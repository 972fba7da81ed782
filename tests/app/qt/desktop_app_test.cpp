#include "app/qt/desktop_app.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include "app/qt/about_dialog.h"
#include "app/qt/main_form.h"
#include "app/qt/message_box_prompter.h"
#include "support/qt_modal_closer.h"
#include "support/temp_folder.h"

namespace tarnwick {
namespace {

using testing::TempFolder;
using testing::WaitUntil;
using testing::WhenModalShows;

DesktopOptions OptionsIn(const TempFolder& folder) {
  DesktopOptions options;
  options.SettingsFile = QString::fromStdString(folder.Path() + "settings.reg");
  return options;
}

TEST(StartUp, TheSplashShowsBeforeTheMainWindowItsTimerClosesItAndAboutShowsItModally) {
  TempFolder folder;
  DesktopApp app(OptionsIn(folder), 50);
  TAboutDlg& about = app.AboutBox();
  EXPECT_TRUE(about.isVisible());
  EXPECT_FALSE(app.MainForm().isVisible());
  EXPECT_EQ(about.windowTitle(), " ");
  EXPECT_TRUE(about.findChild<QLabel*>("VersionLabel")->text().startsWith("Version 0.2  (Build 0."));
  app.Start();
  EXPECT_TRUE(app.MainForm().isVisible());
  ASSERT_TRUE(WaitUntil([&] { return !about.isVisible(); }));
  EXPECT_EQ(about.windowTitle(), "About");
  EXPECT_FALSE(about.windowFlags() & Qt::WindowStaysOnTopHint);
  bool shownModally = false;
  WhenModalShows([&](QWidget* modal) {
    shownModally = modal == &about;
    modal->findChild<QPushButton*>("OKButton")->click();
  });
  app.MainForm().About1Click();
  EXPECT_TRUE(shownModally);
}

TEST(StartUp, AProjectOnTheCommandLineIsOpenedOnceTheEventLoopRuns) {
  TempFolder folder;
  DesktopOptions options = OptionsIn(folder);
  options.Project = QString::fromStdString(testing::CopyDemoProject(folder));
  DesktopApp app(options, 50);
  app.Start();
  EXPECT_TRUE(app.MainForm().Space().Model.ProjectFile.empty());
  ASSERT_TRUE(WaitUntil([&] { return !app.MainForm().Space().Model.ProjectFile.empty(); }));
  EXPECT_TRUE(app.MainForm().windowTitle().startsWith("Tarnwick: "));
}

TEST(DesktopArguments, AcceptSettingsAndOneProject) {
  int exitCode = -1;
  auto options = ParseDesktopArguments({"tarnwick", "--settings", "/s.reg", "/p/A.dpr"}, exitCode);
  ASSERT_TRUE(options);
  EXPECT_EQ(options->SettingsFile, "/s.reg");
  EXPECT_EQ(options->Project, "/p/A.dpr");
  EXPECT_FALSE(ParseDesktopArguments({"tarnwick", "a.dpr", "b.dpr"}, exitCode));
  EXPECT_EQ(exitCode, 1);
  EXPECT_FALSE(ParseDesktopArguments({"tarnwick", "--bogus"}, exitCode));
  EXPECT_EQ(exitCode, 1);
}

TEST(MessageBoxPrompterTest, ShowsTheKindsButtonsAndKeepsLineBreaks) {
  MessageBoxPrompter prompter;
  QString shownText;
  WhenModalShows([&](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr);
    shownText = box->text();
    EXPECT_EQ(box->icon(), QMessageBox::Question);
    EXPECT_EQ(box->buttons().size(), 2);
    box->button(QMessageBox::No)->click();
  });
  EXPECT_EQ(prompter.Show(MessageKind::Confirmation, "Save new images?\r\rReally", MessageButtons::NoOk),
            MessageAnswer::No);
  EXPECT_EQ(shownText, "Save new images?\n\nReally");
}

}  // namespace
}  // namespace tarnwick
