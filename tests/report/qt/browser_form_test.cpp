#include "report/qt/browser_form.h"

#include <gtest/gtest.h>

#include <QTextBrowser>
#include <QToolButton>
#include <filesystem>
#include <fstream>

#include "app/open_project.h"
#include "support/qt_modal_closer.h"
#include "support/workspace_test.h"

namespace tarnwick {
namespace {

using testing::WhenModalShows;

// The demo's documentation as the writer makes it, shown in the built-in viewer.
class BrowserFormTest : public testing::WorkspaceTest {
 protected:
  BrowserFormTest() {
    OpenProject(workspace_, ui_, OpenHooks(), testing::CopyDemoProject(folder_));
    ReportOptions options;
    EXPECT_EQ(WriteDocumentation(workspace_.Subject(), options, ui_, DocumentationRequest{}),
              DocResult::Written);
    path_ = QString::fromStdString(DocumentationFilePath(workspace_.Model));
    form_.resize(900, 700);
    form_.LoadDocument(path_);
    prompter_.Clear();
  }
  QTextBrowser& Html() { return *form_.HtmlViewer(); }

  SharedPrinter printer_;
  TBrowserForm form_{printer_, prompter_};
  QString path_;
};

TEST_F(BrowserFormTest, ShowsTheDocumentWithItsPicturesAndBlanks) {
  // The listings' bare &nbsp is a blank.
  EXPECT_TRUE(Html().document()->toRawText().contains(
      QString::fromUtf8("\u00a0 \u00a0 1: unit MainUnit;")));
  for (const char* picture : {"MainUnit.jpg", "EditUnit_Details.bmp", "Dependencies1.jpg"}) {
    EXPECT_TRUE(Html().document()->resource(QTextDocument::ImageResource, QUrl(picture)).isValid())
        << picture;
  }
  // A document written again at the same address is read again.
  std::ofstream(path_.toStdString(), std::ios::trunc)
      << "<HTML><Body><H1>Second run</H1></Body></HTML>";
  form_.LoadDocument(path_);
  EXPECT_EQ(Html().toPlainText().toStdString(), "Second run");
}

TEST_F(BrowserFormTest, ToolButtonsSetUpThePrinterAndPrintTheLoadedDocument) {
  QPrinter& printer = printer_.Printer();
  printer.setOutputFormat(QPrinter::PdfFormat);
  const QString pdf = QString::fromStdString(folder_.Path() + "viewer.pdf");
  printer.setOutputFileName(pdf);
  WhenModalShows([](QWidget* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "Printer Setup");
    static_cast<QDialog*>(dialog)->accept();
  });
  form_.findChild<QToolButton*>("PrinterSetupToolButton")->click();
  EXPECT_FALSE(std::filesystem::exists(pdf.toStdString())) << "the setup prints nothing";

  WhenModalShows([](QWidget* dialog) { static_cast<QDialog*>(dialog)->accept(); });
  form_.findChild<QToolButton*>("PrintToolButton")->click();
  EXPECT_GT(std::filesystem::file_size(pdf.toStdString()), 1000u);
  EXPECT_EQ(printer.outputFileName(), pdf) << "a file the user chose is kept";

  printer.setOutputFileName(QString::fromStdString(folder_.Path() + "no/such/folder.pdf"));
  WhenModalShows([](QWidget* dialog) { static_cast<QDialog*>(dialog)->accept(); });
  form_.findChild<QToolButton*>("PrintToolButton")->click();
  EXPECT_EQ(prompter_.Texts(), std::vector<std::string>{kPrintFailed});
}

}  // namespace
}  // namespace tarnwick
