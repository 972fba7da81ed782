#include "app/qt/documentation_commands.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDesktopServices>
#include <QFileDialog>
#include <QLineEdit>
#include <QPrintDialog>
#include <QProcess>
#include <QPushButton>
#include <QSlider>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>
#include <filesystem>

#include "app/qt/main_form.h"
#include "report/jpeg_settings.h"
#include "report/qt/print_setup_form.h"
#include "support/qt_modal_closer.h"
#include "support/recording_prompter.h"
#include "support/temp_folder.h"

namespace tarnwick {
namespace {

using testing::WhenModalShows;
using Names = std::vector<std::string>;

/// Catches the addresses handed to the default web browser.
class UrlCatcher : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> Opened;
 public slots:
  void Open(const QUrl& url) { Opened.append(url); }
};

class DocumentationCommandsTest : public ::testing::Test {
 protected:
  DocumentationCommandsTest() : store_(folder_.Path() + "settings.reg") { store_.Load(); }
  ~DocumentationCommandsTest() override { QDesktopServices::unsetUrlHandler("file"); }

  TMainForm& Form() {
    if (!form_) form_ = std::make_unique<TMainForm>(store_, prompter_);
    return *form_;
  }
  DocumentationCommands& Commands() { return Form().Documentation(); }
  // Opens the demo project; the documents shown in the default browser are caught in catcher_.
  std::string OpenDemo() {
    QDesktopServices::setUrlHandler("file", &catcher_, "Open");
    std::string path = testing::CopyDemoProject(folder_);
    Form().OpenProjectFile(QString::fromStdString(path));
    prompter_.Clear();
    return path;
  }
  std::string DocumentPath() const { return DocumentationFilePath(form_->Space().Model); }
  // Runs the Print command, pressing `button` in the report options window; `then` handles the
  // modal window that follows, if any.
  void RunPrintCommand(const char* button, std::function<void(QWidget*)> then = nullptr) {
    WhenModalShows([button, then](QWidget* window) {
      ASSERT_EQ(window->objectName(), "PrintSetupForm");
      if (then) WhenModalShows(then);
      window->findChild<QPushButton*>(button)->click();
      if (window->isVisible()) window->close();
    });
    Commands().PrintItemClick();
  }

  UrlCatcher catcher_;
  testing::TempFolder folder_;
  SettingsStore store_;
  testing::RecordingPrompter prompter_;
  std::unique_ptr<TMainForm> form_;
};

TEST_F(DocumentationCommandsTest, PreviewGoesToTheChosenViewer) {
  OpenDemo();
  Form().findChild<QAction*>("UseDefaultBrowserItem")->trigger();
  RunPrintCommand("PreviewButton");
  ASSERT_EQ(catcher_.Opened.size(), 1);
  EXPECT_EQ(catcher_.Opened.front(), QUrl::fromLocalFile(QString::fromStdString(DocumentPath())));

  // The alternate browser is started with the document as its one argument.
  const std::string received = folder_.Path() + "received.txt";
  const std::string browser = folder_.Write("tools/browse", "#!/bin/sh\nprintf '%s|' \"$@\" > '" + received + "'\n");
  std::filesystem::permissions(browser, std::filesystem::perms::owner_exec, std::filesystem::perm_options::add);
  Form().Space().Settings.AlternateBrowserPath = browser;
  Form().findChild<QAction*>("UseAlternatebrowserItem")->trigger();
  prompter_.QueueAnswer(MessageAnswer::Ok);  // overwrite the document
  RunPrintCommand("PreviewButton");
  ASSERT_TRUE(testing::WaitUntil([&] { return testing::ReadFileText(received).find('|') != std::string::npos; }));
  EXPECT_EQ(testing::ReadFileText(received), DocumentPath() + "|");
  EXPECT_EQ(catcher_.Opened.size(), 1);

  // The built-in viewer shows the document maximised from its file address.
  Form().findChild<QAction*>("UseBuiltinBrowserItem")->trigger();
  prompter_.QueueAnswer(MessageAnswer::Ok);
  bool shown = false;
  RunPrintCommand("PreviewButton", [&](QWidget* viewer) {
    shown = true;
    EXPECT_EQ(viewer->objectName(), "BrowserForm");
    EXPECT_TRUE(viewer->isMaximized());
    auto* html = viewer->findChild<QTextBrowser*>("HTMLViewer");
    EXPECT_EQ(html->source(), QUrl::fromLocalFile(QString::fromStdString(DocumentPath())));
    viewer->findChild<QToolButton*>("CloseToolButton")->click();
  });
  EXPECT_TRUE(shown);

  // An alternate browser that cannot be started is reported, not ignored.
  Form().Space().Settings.AlternateBrowserPath = folder_.Path() + "gone";
  Form().findChild<QAction*>("UseAlternatebrowserItem")->trigger();
  prompter_.Clear();
  prompter_.QueueAnswer(MessageAnswer::Ok);
  RunPrintCommand("PreviewButton");
  EXPECT_EQ(prompter_.Texts().back(), "Could not start the alternate browser \"" + folder_.Path() + "gone\".");
}

TEST_F(DocumentationCommandsTest, CancelSavesNothingAndPreviewSavesNewImagesFirst) {
  OpenDemo();
  auto picture = std::make_shared<Picture>();
  picture->Kind = Picture::Format::Jpeg;
  picture->Width = picture->Height = 2;
  picture->Pixels.assign(16, 200);
  Form().Space().Model.Images.push_back({"MainForm", "Extra", "MainUnit", "MainUnit_Extra.jpg",
                                         std::string(kImageStatusNew), picture, false});
  Commands().PrintSetupForm().Options().ImagesAll = false;  // the writer itself saves none
  Commands().PrintSetupForm().ShowOptions();
  RunPrintCommand("CancelButton");
  EXPECT_EQ(Form().Space().Model.Images.back().Status, kImageStatusNew);
  EXPECT_FALSE(std::filesystem::exists(DocumentPath()));
  RunPrintCommand("PreviewButton");
  EXPECT_EQ(Form().Space().Model.Images.back().Status, kImageStatusDisk);
  EXPECT_TRUE(std::filesystem::exists(Form().Space().Model.DocumentationFolder + "MainUnit_Extra.jpg"));
  EXPECT_FALSE(Form().findChild<QAction*>("SaveImagesItem")->isEnabled());
}

TEST_F(DocumentationCommandsTest, SelectedUnitsAreTheSelectedRowsOfTheSourceList) {
  OpenDemo();
  auto* sources = Form().findChild<QTreeWidget*>("SourceListView");
  for (int row = 0; row < sources->topLevelItemCount(); ++row) {
    QTreeWidgetItem* item = sources->topLevelItem(row);
    item->setSelected(item->text(0) == "MainUnit" || item->text(0) == "Contacts");
  }
  ReportOptions& options = Commands().PrintSetupForm().Options();
  options.SourceAll = options.DependencyAll = options.ObjectsAll = options.ImagesAll = false;
  options.SourceSelected = true;
  RunPrintCommand("PreviewButton");
  const std::string document = testing::ReadFileText(DocumentPath());
  for (const char* unit : {"MainUnit", "Contacts", "AboutUnit"})
    EXPECT_EQ(document.find("NAME=\"SOURCE" + std::string(unit)) != std::string::npos, unit[0] != 'A') << unit;
}

std::string RunTool(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  return process.waitForFinished(30000) ? process.readAllStandardOutput().toStdString() : "";
}

TEST_F(DocumentationCommandsTest, PrintPrintsTheDocumentToAPdfFileWithItsPageBreaks) {
  OpenDemo();
  const QString pdf = QString::fromStdString(folder_.Path() + "demo.pdf");
  Commands().Printer().Printer().setOutputFileName(pdf);
  RunPrintCommand("PrintButton", [](QWidget* dialog) { qobject_cast<QPrintDialog*>(dialog)->accept(); });
  EXPECT_EQ(prompter_.Texts(), Names{});
  // Every section the document starts on a new page (title, index, 2 images, 9 units, the two
  // trees and the unused units) is a page of its own at least.
  const std::string info = RunTool("pdfinfo", {pdf});
  const size_t pages = info.find("Pages:");
  ASSERT_NE(pages, std::string::npos) << info;
  EXPECT_GE(std::stoi(info.substr(pages + 6)), 16);
  EXPECT_NE(RunTool("pdftotext", {pdf, "-"}).find("unit MainUnit;"), std::string::npos);
}

TEST_F(DocumentationCommandsTest, JpegSettingsDialogRefusesBadLinesAndTakesItsValuesOnOk) {
  const ReportOptions& options = Commands().PrintSetupForm().Options();
  const int& quality = Form().Space().Settings.JPegCompressionQuality;
  auto stored = [&] { return std::tuple(quality, options.ProgressiveDisplay, options.LinesPerImage); };
  auto enter = [&](const char* lineCount) {
    WhenModalShows([&, lineCount](QWidget* dialog) {
      auto* slider = dialog->findChild<QSlider*>("JPegCompressionTrackBar");
      auto* progressive = dialog->findChild<QCheckBox*>("ProgressiveDisplayCheckBox");
      auto* lines = dialog->findChild<QLineEdit*>("LinesPerImageEdit");
      EXPECT_EQ(std::tuple(slider->value(), progressive->isChecked(), lines->text().toInt()), stored())
          << "each showing starts from the stored values";
      slider->setValue(40);
      progressive->setChecked(true);
      lines->setText(lineCount);
      dialog->findChild<QPushButton*>("OkButton")->click();
      if (dialog->isVisible()) dialog->findChild<QPushButton*>("CancelButton")->click();
    });
    Form().findChild<QAction*>("JPegsettingsItem")->trigger();
  };
  enter("12a");
  EXPECT_EQ(prompter_.Texts(), Names{std::string(kInvalidLinesPerImage)});
  EXPECT_EQ(stored(), std::tuple(100, false, 100)) << "refused, then cancelled";
  enter("50");
  EXPECT_EQ(stored(), std::tuple(40, true, 50));
}

TEST_F(DocumentationCommandsTest, SetAlternateBrowserStartsAtTheStoredPathAndKeepsTheChoice) {
  const std::string browser = folder_.Write("tools/browse", "#!/bin/sh\n");
  Form().Space().Settings.AlternateBrowserPath = folder_.Path() + "tools/old-browser";
  WhenModalShows([&](QWidget* dialog) {
    auto* files = qobject_cast<QFileDialog*>(dialog);
    ASSERT_NE(files, nullptr);
    EXPECT_EQ(files->objectName(), "BrowserOpenDialog");
    EXPECT_EQ(files->directory().absolutePath().toStdString() + "/", folder_.Path() + "tools/");
    auto* name = files->findChild<QLineEdit*>("fileNameEdit");
    EXPECT_EQ(name->text(), "old-browser");
    // Typed, as a focused name field takes no selection; past the dialog's own check, which may
    // ask while its folder still loads.
    name->setText(QString::fromStdString(browser));
    static_cast<QDialog*>(files)->done(QDialog::Accepted);
  });
  Form().findChild<QAction*>("Setalternatebrowser1")->trigger();
  EXPECT_EQ(Form().Space().Settings.AlternateBrowserPath, browser);
  EXPECT_TRUE(Form().findChild<QAction*>("UseDefaultBrowserItem")->isChecked()) << "the viewer choice stays";
}

}  // namespace
}  // namespace tarnwick

#include "documentation_commands_test.moc"
