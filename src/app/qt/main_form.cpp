#include "app/qt/main_form.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QListWidget>
#include <QMenuBar>
#include <QScreen>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <cmath>

#include "analysis/uses_graph.h"
#include "app/qt/about_dialog.h"
#include "app/qt/documentation_commands.h"
#include "app/qt/font_text_measure.h"
#include "app/qt/status_bar.h"
#include "app/qt/window_placement.h"
#include "capture/capture_key_settings.h"
#include "capture/image_list.h"
#include "capture/qt/capture_keys_form.h"
#include "capture/qt/capture_session.h"
#include "capture/qt/images_page.h"
#include "platform/file_system.h"
#include "platform/qt/project_text.h"
#include "platform/text_encoding.h"
#include "platform/win_path.h"
#include "report/uses_graph_files.h"
#include "views/qt/circular_references_form.h"
#include "views/qt/dependencies_page.h"
#include "views/qt/objects_page.h"

// The icons are compiled into the library; a static library needs its resources pulled in.
static void InitResources() { Q_INIT_RESOURCE(tarnwick); }

namespace tarnwick {

namespace {

QIcon ToolIcon(const QString& themeName, const QString& bundled) {
  return QIcon::fromTheme(themeName, QIcon::fromTheme(themeName + "-symbolic", QIcon(bundled)));
}

/// A list whose names run down three columns of a third of its width each, then the next column.
class ThreeColumnList final : public QListWidget {
 public:
  using QListWidget::QListWidget;

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QListWidget::resizeEvent(event);
    const int columnWidth = std::max(40, viewport()->width() / 3);
    setGridSize(QSize(columnWidth, fontMetrics().height() + 2));
  }
};

QFont ArialFont(int pointSize) {
  QFont font("Arial");
  font.setPointSize(pointSize);
  return font;
}

}  // namespace

TMainForm::TMainForm(SettingsStore& store, Prompter& prompter, QWidget* parent)
    : QMainWindow(parent),
      store_(store),
      prompter_(prompter),
      statusBar_(new StatusBar(this)),
      ui_{prompter_, *statusBar_, measure_} {
  InitResources();
  setObjectName("MainForm");
  FormCreate();
}

TMainForm::~TMainForm() = default;

void TMainForm::FormCreate() {
  setWindowTitle("Tarnwick");
  setWindowIcon(QIcon(":/icons/tarnwick.svg"));
  resize(652, 200);
  setMinimumSize(200, 200);
  BuildMenus();
  BuildToolBar();
  BuildPages();
  measure_.SetWidget(sourceListView_);
  CreateCaptureSession();
  auto* bottom = new QWidget(this);
  auto* bottomLayout = new QVBoxLayout(bottom);
  bottomLayout->setContentsMargins(0, 0, 0, 0);
  bottomLayout->setSpacing(0);
  bottomLayout->addWidget(pageControl_, 1);
  bottomLayout->addWidget(statusBar_);
  setCentralWidget(bottom);
  PlaceMainWindow();
  statusBar_->Panel0()->SetPaintFailureHandler([this] {
    QMetaObject::invokeMethod(this, [this] {
      prompter_.Show(MessageKind::Warning, "Exception caught during ProcessCapture", MessageButtons::Ok);
    }, Qt::QueuedConnection);
  });
  fileDialog_ = new QFileDialog(this);
  fileDialog_->setObjectName("FileDialog");
  fileDialog_->setFileMode(QFileDialog::ExistingFile);
  fileDialog_->setOption(QFileDialog::DontUseNativeDialog);
  history_.LoadFromRegistry(store_, kHistoryKey, kHistoryPrefix);
  RebuildReopenMenu();
  pageControl_->setCurrentIndex(SourcePage);
  PageControlChange(SourcePage);
  DisableProjectCommands();
  workspace_.Settings.JPegCompressionQuality = 100;
  LoadSettings(store_, workspace_.Settings);
  documentation_ = std::make_unique<DocumentationCommands>(workspace_, store_, prompter_, measure_,
                                                           sourceListView_, this);
  useBuiltinBrowserItem_->setVisible(documentation_->BuiltInViewerAvailable());
  ShowSettings();
  ConnectSettingsItems();
  ConnectDocumentationCommands();
}

QAction* TMainForm::AddItem(QMenu* menu, const char* name, const QString& caption) {
  QAction* item = menu->addAction(caption);
  item->setObjectName(name);
  return item;
}

void TMainForm::BuildMenus() {
  menuBar()->setObjectName("MainMenu");
  BuildFileMenu();
  BuildPrefsMenu();
  BuildViewAndFilterMenus();
  runItem_ = menuBar()->addAction("&Run...");
  runItem_->setObjectName("RunItem");
  connect(runItem_, &QAction::triggered, this, &TMainForm::RunItemClick);
  BuildHelpMenu();
}

void TMainForm::BuildFileMenu() {
  QMenu* file = menuBar()->addMenu("&File");
  file->setObjectName("FileMenu");
  connect(AddItem(file, "OpenItem", "&Open..."), &QAction::triggered, this, &TMainForm::OpenItemClick);
  reopenMenu_ = file->addMenu("&Reopen");
  reopenMenu_->setObjectName("ReopenMenu");
  reopenMenu_->menuAction()->setObjectName("ReopenItem");
  saveImagesItem_ = AddItem(file, "SaveImagesItem", "&Save Images");
  connect(saveImagesItem_, &QAction::triggered, this, &TMainForm::SaveImagesItemClick);
  importPictureItem_ = AddItem(file, "ImportPictureItem", "Import Picture...");
  connect(importPictureItem_, &QAction::triggered, this, &TMainForm::ImportPictureItemClick);
  exportGraphItem_ = AddItem(file, "ExportDependencyGraphItem", "Export Dependency Graph...");
  connect(exportGraphItem_, &QAction::triggered, this, &TMainForm::ExportDependencyGraphItemClick);
  closeItem_ = AddItem(file, "CloseItem", "&Close");
  connect(closeItem_, &QAction::triggered, this, &TMainForm::CloseItemClick);
  file->addSeparator();
  printItem_ = AddItem(file, "PrintItem", "&Print...");
  AddItem(file, "PrinterSetup1", "Printer Setup...");
  file->addSeparator();
  connect(AddItem(file, "ExitItem", "E&xit"), &QAction::triggered, this, &TMainForm::ExitItemClick);
}

void TMainForm::BuildPrefsMenu() {
  QMenu* prefs = menuBar()->addMenu("&Prefs");
  prefs->setObjectName("PrefsMenu");
  auto* imageKinds = new QActionGroup(this);
  bitmapImagesItem_ = imageKinds->addAction(AddItem(prefs, "BitmapImagesItem", "Use Bitmap for images"));
  jpegImagesItem_ = imageKinds->addAction(AddItem(prefs, "JPegImagesItem", "Use JPeg for images"));
  AddItem(prefs, "JPegsettingsItem", "JPeg settings...");
  connect(AddItem(prefs, "CaptureKeysItem", "Capture keys..."), &QAction::triggered, this,
          &TMainForm::CaptureKeysItemClick);
  prefs->addSeparator();
  auto* viewers = new QActionGroup(this);
  useBuiltinBrowserItem_ = viewers->addAction(AddItem(prefs, "UseBuiltinBrowserItem", "View using built-in viewer"));
  useDefaultBrowserItem_ =
      viewers->addAction(AddItem(prefs, "UseDefaultBrowserItem", "View using default web browser"));
  useAlternatebrowserItem_ =
      viewers->addAction(AddItem(prefs, "UseAlternatebrowserItem", "View using alternate browser"));
  AddItem(prefs, "Setalternatebrowser1", "Set alternate browser...");
  prefs->addSeparator();
  analyzeDependenciesItem_ = AddItem(prefs, "AnalyzedependenciesItem", "Analyze dependencies");
  analyzeFormsItem_ = AddItem(prefs, "AnalyzeFormsItem", "Analyze forms objects");
  for (QAction* item : {bitmapImagesItem_, jpegImagesItem_, useBuiltinBrowserItem_, useDefaultBrowserItem_,
                        useAlternatebrowserItem_, analyzeDependenciesItem_, analyzeFormsItem_}) {
    item->setCheckable(true);
  }
  BuildCodePageMenu(prefs);
}

void TMainForm::BuildCodePageMenu(QMenu* prefs) {
  static const std::pair<const char*, const char*> kCodePages[] = {
      {"auto", "Detect automatically"},
      {"utf-8", "UTF-8"},
      {"windows-1250", "Windows-1250 (Central European)"},
      {"windows-1251", "Windows-1251 (Cyrillic)"},
      {"windows-1252", "Windows-1252 (Western)"},
      {"windows-1253", "Windows-1253 (Greek)"},
      {"windows-1254", "Windows-1254 (Turkish)"},
      {"windows-1255", "Windows-1255 (Hebrew)"},
      {"windows-1256", "Windows-1256 (Arabic)"},
      {"windows-1257", "Windows-1257 (Baltic)"},
      {"windows-1258", "Windows-1258 (Vietnamese)"},
      {"koi8-r", "KOI8-R (Cyrillic)"},
      {"cp866", "CP866 (Cyrillic, DOS)"},
  };
  prefs->addSeparator();
  codePageMenu_ = prefs->addMenu("Source code &page");
  codePageMenu_->setObjectName("SourceCodePageMenu");
  auto* group = new QActionGroup(this);
  for (const auto& [name, caption] : kCodePages) {
    QAction* item = group->addAction(codePageMenu_->addAction(caption));
    item->setObjectName(QString("CodePage_") + name);
    item->setData(QString(name));
    item->setCheckable(true);
    connect(item, &QAction::triggered, this, [this, item] { ChooseCodePage(QStringToUtf8(item->data().toString())); });
  }
}

// A chosen code page shows the open project's text at once; detection waits for the next open.
void TMainForm::ChooseCodePage(const std::string& codePage) {
  workspace_.Settings.SourceCodePage = codePage;
  if (codePage != kAutoCodePage && ProjectOpen()) {
    workspace_.Model.CodePage = codePage;
    ShowWorkspace();
  }
}

void TMainForm::BuildViewAndFilterMenus() {
  viewMenu_ = menuBar()->addMenu("&View");
  viewMenu_->setObjectName("ViewMenu");
  expandAllDependenciesItem_ = AddItem(viewMenu_, "ExpandAllDependenciesItem", "Expand All Dependencies");
  collapseAllDependenciesItem_ = AddItem(viewMenu_, "CollapseAllDependenciesItem", "Collapse All Dependencies");
  viewMenu_->addSeparator();
  expandAllObjectsItem_ = AddItem(viewMenu_, "ExpandAllObjectsItem", "Expand All Objects");
  collapseAllObjectsItem_ = AddItem(viewMenu_, "CollapseAllObjectsItem", "Collapse All Objects");
  viewMenu_->addSeparator();
  dependencyCompactItem_ = AddItem(viewMenu_, "DependencyCompactItem", "Compact Dependency Tree");
  dependencyCompactItem_->setCheckable(true);
  connect(dependencyCompactItem_, &QAction::triggered, this, &TMainForm::DependencyCompactItemClick);
  connect(AddItem(viewMenu_, "CircularReferencesItem", "Circular References..."), &QAction::triggered, this,
          &TMainForm::CircularReferencesItemClick);
  filterMenu_ = menuBar()->addMenu("F&ilter");
  filterMenu_->setObjectName("FilterMenu");
  QAction* filterDependenciesItem = AddItem(filterMenu_, "FilterDependenciesItem", "Filter &Dependencies");
  QAction* filterObjectsItem = AddItem(filterMenu_, "FilterObjectsItem", "Filter &Objects");
  connect(expandAllDependenciesItem_, &QAction::triggered, this,
          [this] { dependenciesPage_->ExpandAllDependenciesItemClick(); });
  connect(collapseAllDependenciesItem_, &QAction::triggered, this,
          [this] { dependenciesPage_->CollapseAllDependenciesItemClick(); });
  connect(expandAllObjectsItem_, &QAction::triggered, this, [this] { objectsPage_->ExpandAllObjectsItemClick(); });
  connect(collapseAllObjectsItem_, &QAction::triggered, this,
          [this] { objectsPage_->CollapseAllObjectsItemClick(); });
  connect(filterDependenciesItem, &QAction::triggered, this,
          [this] { dependenciesPage_->FilterDependenciesItemClick(); });
  connect(filterObjectsItem, &QAction::triggered, this, [this] { objectsPage_->FilterObjectsItemClick(); });
}

void TMainForm::BuildHelpMenu() {
  QMenu* help = menuBar()->addMenu("&Help");
  help->setObjectName("HelpMenu");
  // The help file is not shipped; its entries stay hidden, as they always have been.
  AddItem(help, "Contents1", "&Contents")->setVisible(false);
  AddItem(help, "SearchforHelpOn1", "&Search for Help On...")->setVisible(false);
  AddItem(help, "HowtoUseHelp1", "&How to Use Help")->setVisible(false);
  help->addSeparator()->setVisible(false);
  connect(AddItem(help, "About1", "&About"), &QAction::triggered, this, &TMainForm::About1Click);
}

void TMainForm::BuildToolBar() {
  QToolBar* toolBar = addToolBar("ToolBar");
  toolBar->setObjectName("ToolBar");
  toolBar->setMovable(false);
  toolBar->setIconSize(QSize(20, 20));
  auto button = [&](const char* name, const QString& hint, const QIcon& icon) {
    auto* b = new QToolButton(toolBar);
    b->setObjectName(name);
    b->setToolTip(hint);
    b->setIcon(icon);
    b->setAutoRaise(true);
    b->setFixedSize(24, 24);
    toolBar->addWidget(b);
    return b;
  };
  QToolButton* open = button("OpenToolButton", "Open", ToolIcon("document-open", ":/icons/open.svg"));
  connect(open, &QToolButton::clicked, this, &TMainForm::OpenItemClick);
  toolBar->addSeparator();
  expandAllToolButton_ = button("ExpandAllToolButton", "Full Expand", ToolIcon("list-add", ":/icons/expand.svg"));
  collapseAllToolButton_ =
      button("CollapseAllToolButton", "Full Collapse", ToolIcon("list-remove", ":/icons/collapse.svg"));
  toolBar->addSeparator();
  filterToolButton_ = button("FilterToolButton", "Filter", ToolIcon("view-filter", ":/icons/filter.svg"));
  connect(expandAllToolButton_, &QToolButton::clicked, this, &TMainForm::ExpandAllToolButtonClick);
  connect(collapseAllToolButton_, &QToolButton::clicked, this, &TMainForm::CollapseAllToolButtonClick);
  connect(filterToolButton_, &QToolButton::clicked, this, &TMainForm::FilterToolButtonClick);
  toolBar->addSeparator();
  printToolButton_ =
      button("PrintToolButton", "Print or preview", ToolIcon("document-print", ":/icons/print.svg"));
}

void TMainForm::BuildPages() {
  pageControl_ = new QTabWidget(this);
  pageControl_->setObjectName("PageControl");
  pageControl_->setFont(ArialFont(10));
  pageControl_->addTab(BuildSourcePage(), "Source");
  pageControl_->addTab(BuildUnusedSourcePage(), "Unused Source");
  pageControl_->addTab(BuildDependenciesPage(), "Dependencies");
  pageControl_->addTab(BuildObjectsPage(), "Objects");
  pageControl_->addTab(BuildImagePage(), "Images");
  connect(pageControl_, &QTabWidget::currentChanged, this, &TMainForm::PageControlChange);
}

QWidget* TMainForm::BuildSourcePage() {
  auto* page = new QWidget;
  page->setObjectName("SourceTabSheet");
  sourceListView_ = new QTreeWidget(page);
  sourceListView_->setObjectName("SourceListView");
  sourceListView_->setHeaderLabels({"Unit", "Formname", "Path"});
  sourceListView_->setRootIsDecorated(false);
  sourceListView_->setUniformRowHeights(true);
  sourceListView_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  sourceListView_->setSelectionBehavior(QAbstractItemView::SelectRows);
  sourceListView_->setColumnWidth(0, 75);
  sourceListView_->setColumnWidth(1, 75);
  sourceListView_->setColumnWidth(2, 200);
  sourceListView_->setFont(ArialFont(10));
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(sourceListView_);
  return page;
}

QWidget* TMainForm::BuildUnusedSourcePage() {
  auto* page = new QWidget;
  page->setObjectName("UnusedSourceTabSheet");
  unusedSourceListBox_ = new ThreeColumnList(page);
  unusedSourceListBox_->setObjectName("UnusedSourceListBox");
  // Three columns: the names run down the first column, then the next.
  unusedSourceListBox_->setFlow(QListView::TopToBottom);
  unusedSourceListBox_->setWrapping(true);
  unusedSourceListBox_->setResizeMode(QListView::Adjust);
  unusedSourceListBox_->setUniformItemSizes(true);
  unusedSourceListBox_->setFont(ArialFont(10));
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(unusedSourceListBox_);
  return page;
}

QWidget* TMainForm::BuildDependenciesPage() {
  dependenciesPage_ =
      new tarnwick::DependenciesPage(workspace_.Model, workspace_.Dependencies, *statusBar_, pageControl_);
  connect(dependenciesPage_, &tarnwick::DependenciesPage::CaptionChanged, this,
          [this](const QString& caption) { pageControl_->setTabText(DependenciesPage, caption); });
  return dependenciesPage_;
}

QWidget* TMainForm::BuildObjectsPage() {
  objectsPage_ = new tarnwick::ObjectsPage(workspace_.Model, workspace_.Objects, store_, prompter_, *statusBar_,
                                           pageControl_);
  connect(objectsPage_, &tarnwick::ObjectsPage::CaptionChanged, this,
          [this](const QString& caption) { pageControl_->setTabText(ObjectsPage, caption); });
  return objectsPage_;
}

QWidget* TMainForm::BuildImagePage() {
  imagesPage_ = new ImagesPage(workspace_.Model, prompter_, [this] { return workspace_.Settings.JPegCompressionQuality; });
  return imagesPage_;
}

void TMainForm::ShowSettings() {
  const AppSettings& settings = workspace_.Settings;
  (settings.BitmapImages ? bitmapImagesItem_ : jpegImagesItem_)->setChecked(true);
  switch (settings.DocumentViewer) {
    case Viewer::BuiltIn: useBuiltinBrowserItem_->setChecked(true); break;
    case Viewer::DefaultBrowser: useDefaultBrowserItem_->setChecked(true); break;
    case Viewer::AlternateBrowser: useAlternatebrowserItem_->setChecked(true); break;
  }
  analyzeDependenciesItem_->setChecked(settings.AnalyzeDependencies);
  analyzeFormsItem_->setChecked(settings.AnalyzeForms);
  dependencyCompactItem_->setChecked(settings.DependencyCompact);
  if (QAction* codePage = codePageMenu_->findChild<QAction*>(Utf8ToQString("CodePage_" + settings.SourceCodePage)))
    codePage->setChecked(true);
}

void TMainForm::ConnectSettingsItems() {
  AppSettings& settings = workspace_.Settings;
  auto onToggle = [this](QAction* item, auto apply) {
    connect(item, &QAction::toggled, this, [apply](bool checked) { apply(checked); });
  };
  onToggle(bitmapImagesItem_, [&settings](bool on) { settings.BitmapImages = on; });
  onToggle(useBuiltinBrowserItem_, [&settings](bool on) { if (on) settings.DocumentViewer = Viewer::BuiltIn; });
  onToggle(useDefaultBrowserItem_,
           [&settings](bool on) { if (on) settings.DocumentViewer = Viewer::DefaultBrowser; });
  onToggle(useAlternatebrowserItem_,
           [&settings](bool on) { if (on) settings.DocumentViewer = Viewer::AlternateBrowser; });
  onToggle(analyzeDependenciesItem_, [&settings](bool on) { settings.AnalyzeDependencies = on; });
  onToggle(analyzeFormsItem_, [&settings](bool on) { settings.AnalyzeForms = on; });
}

void TMainForm::ConnectDocumentationCommands() {
  DocumentationCommands* commands = documentation_.get();
  connect(printItem_, &QAction::triggered, commands, &DocumentationCommands::PrintItemClick);
  connect(printToolButton_, &QToolButton::clicked, commands, &DocumentationCommands::PrintItemClick);
  connect(findChild<QAction*>("PrinterSetup1"), &QAction::triggered, commands,
          &DocumentationCommands::PrinterSetup1Click);
  connect(findChild<QAction*>("JPegsettingsItem"), &QAction::triggered, commands,
          &DocumentationCommands::JPegsettingsItemClick);
  connect(findChild<QAction*>("Setalternatebrowser1"), &QAction::triggered, commands,
          &DocumentationCommands::Setalternatebrowser1Click);
  connect(commands, &DocumentationCommands::ImagesChanged, this, [this] {
    EnableProjectCommands();
    imagesPage_->Refresh();
  });
}

void TMainForm::RebuildReopenMenu() {
  reopenMenu_->clear();
  const bool empty = history_.FileNames().empty();
  for (const std::string& caption : history_.Captions()) {
    QAction* entry = reopenMenu_->addAction(Utf8ToQString(caption));
    entry->setEnabled(!empty);
    if (!empty) {
      connect(entry, &QAction::triggered, this, [this, entry] { ReopenProject(entry->text()); });
    }
  }
}

OpenHooks TMainForm::Hooks() {
  OpenHooks hooks;
  hooks.ReleaseHotKeys = [this] { capture_->UnregisterCaptureKeys(); };
  // Read at each opening, so keys chosen meanwhile take effect with the next project.
  hooks.RegisterHotKeys = [this] { capture_->RegisterCaptureKeys(LoadCaptureKeys(store_)); };
  hooks.OfferToCloseProgram = [this] { capture_->CloseRunningProgram(); };
  hooks.EnableProjectCommands = [this] { EnableProjectCommands(); };
  hooks.DisableProjectCommands = [this] { DisableProjectCommands(); };
  hooks.AddToHistory = [this](const std::string& path) {
    history_.Add(path);
    RebuildReopenMenu();
  };
  hooks.Repaint = [this] {
    setWindowTitle(Utf8ToQString(workspace_.Caption));
    repaint();
  };
  return hooks;
}

void TMainForm::OpenItemClick() {
  fileDialog_->setWindowTitle("Open Project");
  fileDialog_->setNameFilter("Delphi Project (*.dpr)");
  fileDialog_->setDefaultSuffix("dpr");
  while (fileDialog_->exec() == QDialog::Accepted) {
    const QStringList chosen = fileDialog_->selectedFiles();
    if (chosen.isEmpty() || chosen.front().isEmpty()) return;
    if (QFileInfo(chosen.front()).suffix().compare("dpr", Qt::CaseInsensitive) != 0) {
      prompter_.Show(MessageKind::Information, "You must enter a Delphi Project File .dpr", MessageButtons::Ok);
      continue;
    }
    OpenProjectFile(chosen.front());
    return;
  }
}

void TMainForm::CircularReferencesItemClick() {
  ProjectModel& model = workspace_.Model;
  if (model.Uses.Units.empty()) model.Uses = BuildUsesGraph(model);
  TCircularReferencesForm form(model, this);
  form.exec();
}

void TMainForm::ExportDependencyGraphItemClick() {
  QFileDialog dialog(this, "Export Dependency Graph");
  dialog.setObjectName("ExportGraphDialog");
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilters({"Graphviz DOT (*.dot *.gv)", "GraphML (*.graphml)"});
  dialog.setDefaultSuffix("dot");
  dialog.setDirectory(Utf8ToQString(workspace_.Model.ProjectFolder));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  ProjectModel& model = workspace_.Model;
  // Without the dependency analysis the graph was not built at the open.
  if (model.Uses.Units.empty()) model.Uses = BuildUsesGraph(model);
  std::string error;
  if (!WriteUsesGraphFile(model.Uses, QStringToUtf8(dialog.selectedFiles().front()), false, model.CodePage, error))
    prompter_.Show(MessageKind::Error, error, MessageButtons::Ok);
}

void TMainForm::OpenProjectFile(const QString& path) {
  workspace_.SourceListWidth = sourceListView_->viewport()->width();
  DetachTreePages();
  OpenProject(workspace_, ui_, Hooks(), QStringToUtf8(QFileInfo(path).absoluteFilePath()));
  ShowWorkspace();
  if (workspace_.Settings.AnalyzeDependencies) dependenciesPage_->ShowOpenedTrees();
  if (workspace_.Settings.AnalyzeForms) objectsPage_->ShowOpenedTrees();
  if (ProjectOpen() && !capture_->Platform().Keys->Available())
    statusBar_->SetStatusText("Done. Capture keys need an X11 desktop; File, Import Picture... adds pictures.");
}

void TMainForm::CloseProject() {
  DetachTreePages();
  tarnwick::CloseProject(workspace_, ui_, Hooks());
  ShowWorkspace();
}

void TMainForm::DetachTreePages() {
  dependenciesPage_->Detach();
  objectsPage_->Detach();
}

void TMainForm::ExitItemClick() {
  CloseProject();
  close();
}

void TMainForm::ReopenProject(const QString& caption) {
  const std::string path = PathFromHistoryCaption(QStringToUtf8(caption));
  if (!FileExists(path)) {
    prompter_.Show(MessageKind::Information, "Can not find " + path, MessageButtons::Ok);
    return;
  }
  OpenProjectFile(Utf8ToQString(path));
}

void TMainForm::About1Click() {
  if (about_) about_->exec();
}

// Shows what the workspace holds after an open or a close.
void TMainForm::ShowWorkspace() {
  setWindowTitle(Utf8ToQString(workspace_.Caption));
  FillSourceList();
  FillUnusedSourceList();
  imagesPage_->Refresh();
  dependenciesPage_->ShowTrees();
  objectsPage_->ShowTrees();
}

void TMainForm::FillSourceList() {
  sourceListView_->clear();
  QList<QTreeWidgetItem*> rows;
  const std::vector<UnitEntry>& units = workspace_.Model.Units();
  rows.reserve(static_cast<qsizetype>(units.size()));
  const std::string& codePage = workspace_.Model.CodePage;
  for (const UnitEntry& unit : units) {
    rows.append(new QTreeWidgetItem(QStringList{ProjectQString(unit.UnitName, codePage),
                                                ProjectQString(unit.FormName, codePage),
                                                ProjectQString(unit.Path, codePage)}));
  }
  sourceListView_->addTopLevelItems(rows);
  const SourceColumnWidths& widths = workspace_.Model.ColumnWidths;
  if (widths.Unit > 0) {
    sourceListView_->setColumnWidth(0, widths.Unit);
    sourceListView_->setColumnWidth(1, widths.FormName);
    sourceListView_->setColumnWidth(2, widths.Path);
  }
}

void TMainForm::FillUnusedSourceList() {
  unusedSourceListBox_->clear();
  QStringList names;
  for (const std::string& name : workspace_.Model.UnusedSources)
    names.append(ProjectQString(name, workspace_.Model.CodePage));
  unusedSourceListBox_->addItems(names);
}

void TMainForm::DisableProjectCommands() {
  for (QAction* item : {saveImagesItem_, importPictureItem_, exportGraphItem_, closeItem_, printItem_, runItem_})
    item->setEnabled(false);
  viewMenu_->menuAction()->setEnabled(false);
  filterMenu_->menuAction()->setEnabled(false);
  for (QToolButton* button : {printToolButton_, expandAllToolButton_, collapseAllToolButton_, filterToolButton_})
    button->setEnabled(false);
}

void TMainForm::EnableProjectCommands() {
  saveImagesItem_->setEnabled(HasNewImages(workspace_.Model.Images));
  for (QAction* item : {importPictureItem_, exportGraphItem_, closeItem_, printItem_, runItem_})
    item->setEnabled(true);
  printToolButton_->setEnabled(true);
  viewMenu_->menuAction()->setEnabled(true);
  filterMenu_->menuAction()->setEnabled(true);
  const bool dependencies = workspace_.Settings.AnalyzeDependencies;
  const bool objects = workspace_.Settings.AnalyzeForms;
  expandAllDependenciesItem_->setEnabled(dependencies);
  collapseAllDependenciesItem_->setEnabled(dependencies);
  expandAllObjectsItem_->setEnabled(objects);
  collapseAllObjectsItem_->setEnabled(objects);
}

void TMainForm::PageControlChange(int index) {
  const bool treePage = index == DependenciesPage || index == ObjectsPage;
  for (QToolButton* button : {expandAllToolButton_, collapseAllToolButton_, filterToolButton_})
    button->setEnabled(treePage);
  if (index == ObjectsPage) objectsPage_->PageEntered();
  if (index == ImagePage) imagesPage_->ImageListView()->setFocus();
}

void TMainForm::CreateCaptureSession() {
  CaptureSession::WindowHooks hooks;
  hooks.BringToFront = [this] {
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
  };
  hooks.EnableProjectCommands = [this] { EnableProjectCommands(); };
  hooks.Format = [this] {
    return CaptureFormat{workspace_.Settings.BitmapImages, workspace_.Settings.JPegCompressionQuality};
  };
  capture_ = std::make_unique<CaptureSession>(workspace_.Model, prompter_, *imagesPage_, std::move(hooks), this);
}

void TMainForm::SaveImagesItemClick() {
  SaveNewImages(workspace_.Model, workspace_.Settings.JPegCompressionQuality, prompter_);
  imagesPage_->Refresh();
}

void TMainForm::ImportPictureItemClick() {
  const QString path = QFileDialog::getOpenFileName(this, "Import Picture", QString(),
                                                    "Pictures (*.png *.jpg *.jpeg *.bmp);;All files (*)", nullptr,
                                                    QFileDialog::DontUseNativeDialog);
  if (!path.isEmpty()) capture_->ImportPicture(path);
}

void TMainForm::RunItemClick() { capture_->RunItemClick(workspace_.Model.ProjectFile); }

void TMainForm::CaptureKeysItemClick() {
  TCaptureKeysForm form(prompter_, capture_->Platform().Keys->Available(), this);
  form.SetKeys(LoadCaptureKeys(store_));
  if (form.exec() == QDialog::Accepted) SaveCaptureKeys(store_, form.Keys(), prompter_);
}

// The tree is built again the other way at once, with the filter's lists as they are.
void TMainForm::DependencyCompactItemClick(bool compact) {
  workspace_.Settings.DependencyCompact = compact;
  if (!ProjectOpen() || !workspace_.Settings.AnalyzeDependencies) return;
  dependenciesPage_->Detach();
  AnalyzeProjectDependencies(workspace_, ui_);
  ui_.Progress.SetStatusText("Done.");
  ui_.Progress.Reset();
  dependenciesPage_->ShowOpenedTrees();
}

void TMainForm::ExpandAllToolButtonClick() {
  if (pageControl_->currentIndex() == DependenciesPage) dependenciesPage_->ExpandAllDependenciesItemClick();
  if (pageControl_->currentIndex() == ObjectsPage) objectsPage_->ExpandAllObjectsItemClick();
}

void TMainForm::CollapseAllToolButtonClick() {
  if (pageControl_->currentIndex() == DependenciesPage) dependenciesPage_->CollapseAllDependenciesItemClick();
  if (pageControl_->currentIndex() == ObjectsPage) objectsPage_->CollapseAllObjectsItemClick();
}

void TMainForm::FilterToolButtonClick() {
  if (pageControl_->currentIndex() == DependenciesPage) dependenciesPage_->FilterDependenciesItemClick();
  if (pageControl_->currentIndex() == ObjectsPage) objectsPage_->FilterObjectsItemClick();
}

void TMainForm::PlaceMainWindow() {
  QScreen* screen = this->screen();
  std::optional<QRect> placement =
      screen ? MainWindowPlacement(screen->geometry(), screen->availableGeometry()) : std::nullopt;
  if (!placement) {
    setWindowState(windowState() | Qt::WindowMaximized);
    return;
  }
  setGeometry(*placement);
}

void TMainForm::closeEvent(QCloseEvent* event) {
  CloseProject();
  SaveSettings(store_, workspace_.Settings, prompter_);
  // A failure here was either reported by the settings save just before or leaves the list as
  // it was; the program ends either way.
  if (history_.SaveToRegistry(store_, kHistoryKey, kHistoryPrefix)) store_.Save();
  event->accept();
}

}  // namespace tarnwick
