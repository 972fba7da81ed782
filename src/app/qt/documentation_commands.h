#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "app/workspace.h"
#include "platform/settings_store.h"
#include "report/qt/document_printer.h"

class QFileDialog;
class QTreeWidget;
class QWidget;

namespace tarnwick {

class StatusBar;
class TBrowserForm;
class TJPegSettingsForm;
class TPrintSetupForm;

/// The main window's documentation commands: Print, Printer Setup, JPEG settings and the choice
/// of the alternate browser. Owns the report options window, the built-in viewer (absent when it
/// could not be created), the JPEG settings dialog, the dialog choosing the alternate browser
/// and the one printer setup they all share.
class DocumentationCommands final : public QObject {
  Q_OBJECT
 public:
  using ViewerFactory = std::function<std::unique_ptr<TBrowserForm>(SharedPrinter&, Prompter&, QWidget*)>;

  /// The references outlive the commands; `sourceListView` gives the selected units. `makeViewer`
  /// replaces the creation of the built-in viewer. A stored choice of the built-in viewer falls
  /// back to the default browser when there is none.
  DocumentationCommands(Workspace& workspace, SettingsStore& store, Prompter& prompter, TextMeasure& measure,
                        const QTreeWidget* sourceListView, QWidget* mainWindow, const ViewerFactory& makeViewer = {});
  ~DocumentationCommands() override;

  TPrintSetupForm& PrintSetupForm() { return *printSetupForm_; }
  TBrowserForm* BrowserForm() { return browserForm_.get(); }
  TJPegSettingsForm& JPegSettingsForm() { return *jpegSettingsForm_; }
  SharedPrinter& Printer() { return printer_; }
  bool BuiltInViewerAvailable() const { return browserForm_ != nullptr; }

 public slots:
  void PrintItemClick();
  void PrinterSetup1Click() { printer_.ShowSetup(mainWindow_); }
  void JPegsettingsItemClick();
  void Setalternatebrowser1Click();

 signals:
  /// The Print command may have saved new images: the image list and Save Images may change.
  void ImagesChanged();

 private:
  DocumentationRequest Request() const;
  void View(const QString& documentPath);
  void Print(const QString& documentPath);

  Workspace& workspace_;
  Prompter& prompter_;
  const QTreeWidget* sourceListView_;
  QWidget* mainWindow_;
  SharedPrinter printer_;
  StatusBar* statusBar_;  // owned by the report options window
  std::unique_ptr<TPrintSetupForm> printSetupForm_;
  std::unique_ptr<TBrowserForm> browserForm_;
  std::unique_ptr<TJPegSettingsForm> jpegSettingsForm_;
  QFileDialog* browserOpenDialog_;
};

}  // namespace tarnwick
