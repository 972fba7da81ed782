#include "app/qt/documentation_commands.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QSet>
#include <QTextDocument>
#include <QTreeWidget>
#include <exception>

#include "app/qt/status_bar.h"
#include "capture/image_list.h"
#include "platform/qt/project_text.h"
#include "platform/win_path.h"
#include "report/jpeg_settings.h"
#include "report/qt/browser_form.h"
#include "report/qt/jpeg_settings_form.h"
#include "report/qt/print_setup_form.h"

namespace tarnwick {

DocumentationCommands::DocumentationCommands(Workspace& workspace, SettingsStore& store, Prompter& prompter,
                                             TextMeasure& measure, const QTreeWidget* sourceListView,
                                             QWidget* mainWindow, const ViewerFactory& makeViewer)
    : QObject(nullptr),
      workspace_(workspace),
      prompter_(prompter),
      sourceListView_(sourceListView),
      mainWindow_(mainWindow),
      statusBar_(new StatusBar) {
  printSetupForm_ = std::make_unique<TPrintSetupForm>(store, prompter, measure, statusBar_, *statusBar_, mainWindow);
  statusBar_->Panel0()->SetPaintFailureHandler([this] {
    QMetaObject::invokeMethod(this, [this] {
      prompter_.Show(MessageKind::Warning, "Exception caught during ProcessCapture", MessageButtons::Ok);
    }, Qt::QueuedConnection);
  });
  jpegSettingsForm_ = std::make_unique<TJPegSettingsForm>(prompter, mainWindow);
  try {
    browserForm_ = makeViewer ? makeViewer(printer_, prompter, mainWindow)
                              : std::make_unique<TBrowserForm>(printer_, prompter, mainWindow);
  } catch (const std::exception&) {
    browserForm_.reset();  // the program runs on without its own viewer
  }
  if (!browserForm_ && workspace_.Settings.DocumentViewer == Viewer::BuiltIn)
    workspace_.Settings.DocumentViewer = Viewer::DefaultBrowser;
  browserOpenDialog_ = new QFileDialog(mainWindow);
  browserOpenDialog_->setObjectName("BrowserOpenDialog");
  browserOpenDialog_->setWindowTitle(tr("Set alternate browser"));
  browserOpenDialog_->setFileMode(QFileDialog::ExistingFile);
  browserOpenDialog_->setOption(QFileDialog::DontUseNativeDialog);
  browserOpenDialog_->setSizeGripEnabled(true);
}

DocumentationCommands::~DocumentationCommands() = default;

DocumentationRequest DocumentationCommands::Request() const {
  DocumentationRequest request;
  // The rows show the names as text; the writer wants them as the model holds them.
  QSet<QString> selected;
  for (const QTreeWidgetItem* row : sourceListView_->selectedItems()) selected.insert(row->text(0));
  for (const UnitEntry& unit : workspace_.Model.Units())
    if (selected.contains(ProjectQString(unit.UnitName, workspace_.Model.CodePage)))
      request.SelectedUnits.insert(unit.UnitName);
  request.ProgramFolder = QStringToUtf8(QCoreApplication::applicationDirPath()) + "/";
  return request;
}

void DocumentationCommands::PrintItemClick() {
  if (workspace_.Model.ProjectFile.empty()) return;
  printSetupForm_->SetDocument(workspace_.Subject(), Request());
  const TPrintSetupForm::Outcome outcome = printSetupForm_->ShowModal();
  // A run of the writer saves the images it includes, whatever became of the run.
  if (outcome != TPrintSetupForm::Outcome::Cancel && HasNewImages(workspace_.Model.Images))
    SaveNewImages(workspace_.Model, workspace_.Settings.JPegCompressionQuality, prompter_);
  emit ImagesChanged();
  if (outcome == TPrintSetupForm::Outcome::Cancel) return;
  const QString documentPath = Utf8ToQString(DocumentationFilePath(workspace_.Model));
  if (outcome == TPrintSetupForm::Outcome::Print) {
    Print(documentPath);
  } else {
    View(documentPath);
  }
}

void DocumentationCommands::View(const QString& documentPath) {
  const AppSettings& settings = workspace_.Settings;
  switch (settings.DocumentViewer) {
    case Viewer::BuiltIn:
      if (browserForm_) {
        browserForm_->LoadDocument(documentPath);
        browserForm_->ShowModal();
        return;
      }
      [[fallthrough]];  // no viewer of our own: the default browser stands in
    case Viewer::DefaultBrowser:
      if (!OpenInDefaultBrowser(documentPath))
        prompter_.Show(MessageKind::Error, "No web browser could be started for " + QStringToUtf8(documentPath));
      return;
    case Viewer::AlternateBrowser:
      if (!StartAlternateBrowser(Utf8ToQString(settings.AlternateBrowserPath), documentPath))
        prompter_.Show(MessageKind::Error, "Could not start the alternate browser \"" +
                                               settings.AlternateBrowserPath + "\".");
      return;
  }
}

void DocumentationCommands::Print(const QString& documentPath) {
  // Printing never goes through a browser: the document is laid out for the chosen printer here.
  std::unique_ptr<QTextDocument> document = LoadDocument(documentPath);
  if (!document || printer_.Print(*document, documentPath, mainWindow_) == SharedPrinter::Outcome::Failed)
    prompter_.Show(MessageKind::Error, kPrintFailed);
}

void DocumentationCommands::JPegsettingsItemClick() {
  ReportOptions& options = printSetupForm_->Options();
  jpegSettingsForm_->SetValues(CurrentJpegSettings(workspace_.Settings.JPegCompressionQuality, options));
  if (jpegSettingsForm_->exec() != QDialog::Accepted) return;
  ApplyJpegSettings(jpegSettingsForm_->Values(), workspace_.Settings.JPegCompressionQuality, options);
}

void DocumentationCommands::Setalternatebrowser1Click() {
  const std::string& stored = workspace_.Settings.AlternateBrowserPath;
  const std::string folder = ExtractFilePath(stored);
  if (!folder.empty()) browserOpenDialog_->setDirectory(Utf8ToQString(folder));
  browserOpenDialog_->selectFile(Utf8ToQString(ExtractFileName(stored)));
  if (browserOpenDialog_->exec() != QDialog::Accepted) return;
  const QStringList chosen = browserOpenDialog_->selectedFiles();
  if (!chosen.isEmpty() && !chosen.front().isEmpty()) workspace_.Settings.AlternateBrowserPath = QStringToUtf8(chosen.front());
}

}  // namespace tarnwick
