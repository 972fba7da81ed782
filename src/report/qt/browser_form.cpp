#include "report/qt/browser_form.h"

#include <QIcon>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace tarnwick {

namespace {

/// The viewer control: a text browser that reads the document's text as `DocumentHtml` gives it.
class DocumentBrowser final : public QTextBrowser {
 public:
  using QTextBrowser::QTextBrowser;

  QVariant loadResource(int type, const QUrl& name) override {
    QVariant data = QTextBrowser::loadResource(type, name);
    if (type == QTextDocument::HtmlResource && data.userType() == QMetaType::QByteArray)
      return DocumentHtml(data.toByteArray());
    return data;
  }
};

}  // namespace

TBrowserForm::TBrowserForm(SharedPrinter& printer, Prompter& prompter, QWidget* parent)
    : QDialog(parent), printer_(printer), prompter_(prompter), htmlViewer_(new DocumentBrowser(this)) {
  setObjectName("BrowserForm");
  setWindowTitle("BrowserForm");
  setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
  auto* toolBar = new QToolBar(this);
  toolBar->setObjectName("ToolBar1");
  toolBar->setIconSize(QSize(20, 20));
  auto button = [toolBar](const char* name, const QString& hint, const char* theme, const QString& bundled) {
    auto* b = new QToolButton(toolBar);
    b->setObjectName(name);
    b->setToolTip(hint);
    b->setIcon(QIcon::fromTheme(theme, QIcon(bundled)));
    b->setAutoRaise(true);
    toolBar->addWidget(b);
    return b;
  };
  connect(button("PrinterSetupToolButton", tr("Printer Setup"), "document-page-setup", ":/icons/printer_setup.svg"),
          &QToolButton::clicked, this, &TBrowserForm::PrinterSetupToolButtonClick);
  connect(button("PrintToolButton", tr("Print"), "document-print", ":/icons/print.svg"), &QToolButton::clicked,
          this, &TBrowserForm::PrintToolButtonClick);
  toolBar->addSeparator();
  connect(button("CloseToolButton", tr("Close"), "window-close", ":/icons/close.svg"), &QToolButton::clicked,
          this, &TBrowserForm::CloseToolButtonClick);
  htmlViewer_->setObjectName("HTMLViewer");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(toolBar);
  layout->addWidget(htmlViewer_, 1);
}

void TBrowserForm::LoadDocument(const QString& path) {
  // The same address is not read again by the browser, and pictures stay cached in the old
  // document: a rewritten file with new tree pictures needs an empty start.
  htmlViewer_->setSource(QUrl());
  htmlViewer_->document()->clear();
  htmlViewer_->setSource(QUrl::fromLocalFile(path));
}

void TBrowserForm::ShowModal() {
  setWindowState(windowState() | Qt::WindowMaximized);
  exec();
}

void TBrowserForm::PrinterSetupToolButtonClick() { printer_.ShowSetup(this); }

void TBrowserForm::PrintToolButtonClick() {
  const QString path = htmlViewer_->source().toLocalFile();
  if (printer_.Print(*htmlViewer_->document(), path, this) == SharedPrinter::Outcome::Failed)
    prompter_.Show(MessageKind::Error, kPrintFailed, MessageButtons::Ok);
}

}  // namespace tarnwick
