#pragma once

#include <QDialog>
#include <QString>

#include "platform/user_interface.h"
#include "report/qt/document_printer.h"

class QTextBrowser;
class QToolButton;

namespace tarnwick {

/// The built-in viewer: the written documentation in a `QTextBrowser` loaded from its file
/// address, with tool buttons for the printer setup, printing and closing. Created once and
/// hidden between showings; it keeps the last document until another is loaded. Printing uses
/// the program's shared printer setup.
class TBrowserForm final : public QDialog {
  Q_OBJECT
 public:
  /// `printer` and `prompter` outlive the window.
  TBrowserForm(SharedPrinter& printer, Prompter& prompter, QWidget* parent = nullptr);

  QTextBrowser* HtmlViewer() const { return htmlViewer_; }
  /// Loads the document at `path` afresh, pictures included, even when it is the one shown.
  void LoadDocument(const QString& path);
  /// Shows the window maximised and modal until the user closes it.
  void ShowModal();

 public slots:
  void PrinterSetupToolButtonClick();
  void PrintToolButtonClick();
  void CloseToolButtonClick() { reject(); }

 private:
  SharedPrinter& printer_;
  Prompter& prompter_;
  QTextBrowser* htmlViewer_;
};

}  // namespace tarnwick
