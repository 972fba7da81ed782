#pragma once

#include <QPrinter>
#include <QByteArray>
#include <QString>
#include <memory>
#include <string>

class QTextDocument;
class QWidget;

namespace tarnwick {

/// The message shown when a print job could not be carried out.
inline constexpr const char* kPrintFailed = "The documentation could not be printed.";

/// The program's one printer setup: "Printer Setup..." of the main window and of the viewer choose
/// it, and every print job runs on it. Where no printer is installed it prints to a PDF file, which
/// is proposed beside the document printed.
class SharedPrinter {
 public:
  enum class Outcome { Printed, Cancelled, Failed };

  SharedPrinter();
  QPrinter& Printer() { return printer_; }

  /// The platform's print dialog as printer setup: it chooses the printer and its settings for
  /// the following jobs and prints nothing.
  void ShowSetup(QWidget* parent);
  /// Shows the print dialog for `document` (loaded from `documentPath`) and prints it on OK.
  Outcome Print(QTextDocument& document, const QString& documentPath, QWidget* parent);

 private:
  void ProposePdfFile(const QString& documentPath);

  QPrinter printer_;
  QString proposedPdf_;  // the PDF name last proposed, replaced while the user keeps it
};

/// The text of a document file as the viewer takes it: decoded by the character set its head
/// declares (UTF-8 otherwise), with the bare "&nbsp" of the listings given the semicolon that the
/// text engine, unlike a web browser, needs.
QString DocumentHtml(const QByteArray& data);

/// The document at `path` as the viewer shows it, for printing without a viewer, its pictures
/// found relative to its folder. Nothing when the file cannot be read.
std::unique_ptr<QTextDocument> LoadDocument(const QString& path);

/// Hands the document to the system's default web browser. False when nothing took it.
bool OpenInDefaultBrowser(const QString& documentPath);
/// Starts `program` on its own with the document as its one argument. False when it did not start.
bool StartAlternateBrowser(const QString& program, const QString& documentPath);

}  // namespace tarnwick
