#include "report/qt/document_printer.h"

#include <QAbstractButton>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTextDocument>
#include <QUrl>

namespace tarnwick {

SharedPrinter::SharedPrinter() : printer_(QPrinter::HighResolution) {
  if (QPrinterInfo::availablePrinterNames().isEmpty()) printer_.setOutputFormat(QPrinter::PdfFormat);
}

void SharedPrinter::ShowSetup(QWidget* parent) {
  QPrintDialog dialog(&printer_, parent);
  dialog.setObjectName("PrinterSetupDialog");
  dialog.setWindowTitle(QObject::tr("Printer Setup"));
  // The platform has no separate setup dialog: its print dialog chooses printer and settings,
  // and here its button only keeps them.
  if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
    if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok)) ok->setText(QObject::tr("OK"));
  }
  dialog.exec();
}

SharedPrinter::Outcome SharedPrinter::Print(QTextDocument& document, const QString& documentPath,
                                            QWidget* parent) {
  ProposePdfFile(documentPath);
  printer_.setDocName(QFileInfo(documentPath).fileName());
  QPrintDialog dialog(&printer_, parent);
  dialog.setObjectName("PrintDialog");
  if (dialog.exec() != QDialog::Accepted) return Outcome::Cancelled;
  document.print(&printer_);
  return printer_.printerState() == QPrinter::Error ? Outcome::Failed : Outcome::Printed;
}

void SharedPrinter::ProposePdfFile(const QString& documentPath) {
  if (printer_.outputFormat() != QPrinter::PdfFormat) return;
  const QString current = printer_.outputFileName();
  if (!current.isEmpty() && current != proposedPdf_) return;  // the user's own choice stays
  const QFileInfo document(documentPath);
  proposedPdf_ = document.absolutePath() + "/" + document.completeBaseName() + ".pdf";
  printer_.setOutputFileName(proposedPdf_);
}

QString DocumentHtml(const QByteArray& data) {
  QStringDecoder decoder = QStringDecoder::decoderForHtml(data);
  QString html = decoder.isValid() ? QString(decoder(data)) : QString::fromUtf8(data);
  static const QRegularExpression bareNbsp("&nbsp(?!;)");
  html.replace(bareNbsp, "&nbsp;");
  return html;
}

std::unique_ptr<QTextDocument> LoadDocument(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return nullptr;
  const QByteArray data = file.readAll();
  auto document = std::make_unique<QTextDocument>();
  document->setBaseUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
  document->setHtml(DocumentHtml(data));
  return document;
}

bool OpenInDefaultBrowser(const QString& documentPath) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(documentPath));
}

bool StartAlternateBrowser(const QString& program, const QString& documentPath) {
  return !program.isEmpty() && QProcess::startDetached(program, {documentPath});
}

}  // namespace tarnwick
