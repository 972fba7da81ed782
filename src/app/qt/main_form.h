#pragma once

#include <QMainWindow>
#include <QString>
#include <memory>

#include "app/mru_history.h"
#include "app/qt/font_text_measure.h"
#include "app/open_project.h"
#include "app/workspace.h"
#include "platform/settings_store.h"

class QAction;
class QActionGroup;
class QFileDialog;
class QListWidget;
class QMenu;
class QTabWidget;
class QToolButton;
class QTreeWidget;

namespace tarnwick {

class CaptureSession;
class DependenciesPage;
class DocumentationCommands;
class ImagesPage;
class ObjectsPage;
class StatusBar;
class TAboutDlg;

/// The main window: menus, tool bar, the five pages and the status bar over one `Workspace`. It
/// runs the open and close flows of the core with its own hooks, keeps the recent-projects list
/// and the application settings, and writes both back when it closes. Every control carries its
/// name as `objectName`, so tests and other windows find it by name.
class TMainForm final : public QMainWindow {
  Q_OBJECT
 public:
  enum Page { SourcePage, UnusedSourcePage, DependenciesPage, ObjectsPage, ImagePage };

  /// `store` and `prompter` outlive the window.
  TMainForm(SettingsStore& store, Prompter& prompter, QWidget* parent = nullptr);
  ~TMainForm() override;

  Workspace& Space() { return workspace_; }
  UserInterface& Ui() { return ui_; }
  const TMRUHistory& History() const { return history_; }
  StatusBar* StatusPanels() const { return statusBar_; }
  DocumentationCommands& Documentation() { return *documentation_; }
  void SetAboutBox(TAboutDlg* about) { about_ = about; }
  CaptureSession& Capture() { return *capture_; }
  ImagesPage* Images() const { return imagesPage_; }

  /// Opens the project file at `path` exactly as the Open command does once a file is chosen.
  void OpenProjectFile(const QString& path);
  /// Closes the open project: offers to save new images, records it in the recent projects and
  /// empties every page.
  void CloseProject();

 public slots:
  void OpenItemClick();
  void CloseItemClick() { CloseProject(); }
  void ExitItemClick();
  void ReopenProject(const QString& caption);
  void About1Click();
  void EnableProjectCommands();
  void DisableProjectCommands();
  void PageControlChange(int index);
  void SaveImagesItemClick();
  void ImportPictureItemClick();
  void ExportDependencyGraphItemClick();
  void CircularReferencesItemClick();
  void RunItemClick();
  void CaptureKeysItemClick();
  /// The page tool buttons: the command of the Dependencies or the Objects page, whichever is shown.
  void DependencyCompactItemClick(bool compact);
  void ExpandAllToolButtonClick();
  void CollapseAllToolButtonClick();
  void FilterToolButtonClick();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormCreate();
  void BuildMenus();
  void BuildFileMenu();
  void BuildPrefsMenu();
  void BuildCodePageMenu(QMenu* prefs);
  void ChooseCodePage(const std::string& codePage);
  void BuildViewAndFilterMenus();
  void BuildHelpMenu();
  void BuildToolBar();
  void BuildPages();
  QWidget* BuildSourcePage();
  QWidget* BuildUnusedSourcePage();
  QWidget* BuildDependenciesPage();
  QWidget* BuildObjectsPage();
  QWidget* BuildImagePage();
  void CreateCaptureSession();
  QAction* AddItem(QMenu* menu, const char* name, const QString& caption);
  void ShowSettings();
  void ConnectSettingsItems();
  void ConnectDocumentationCommands();
  void RebuildReopenMenu();
  OpenHooks Hooks();
  void ShowWorkspace();
  void FillSourceList();
  void FillUnusedSourceList();
  void PlaceMainWindow();
  /// Lets both tree pages go of the core's trees before the open or close flow changes them.
  void DetachTreePages();
  bool ProjectOpen() const { return !workspace_.Model.ProjectFile.empty(); }

  SettingsStore& store_;
  Prompter& prompter_;
  Workspace workspace_;
  FontTextMeasure measure_;
  StatusBar* statusBar_;  // owned by the window; declared before `ui_`, which uses it
  UserInterface ui_;
  TMRUHistory history_;
  TAboutDlg* about_ = nullptr;
  ImagesPage* imagesPage_ = nullptr;
  std::unique_ptr<CaptureSession> capture_;
  std::unique_ptr<DocumentationCommands> documentation_;

  QTabWidget* pageControl_ = nullptr;
  QTreeWidget* sourceListView_ = nullptr;
  QListWidget* unusedSourceListBox_ = nullptr;
  // Qualified: the names of the page enumeration hide the classes inside this one.
  tarnwick::DependenciesPage* dependenciesPage_ = nullptr;
  tarnwick::ObjectsPage* objectsPage_ = nullptr;
  QFileDialog* fileDialog_ = nullptr;
  QMenu* reopenMenu_ = nullptr;
  QMenu* codePageMenu_ = nullptr;
  QMenu* viewMenu_ = nullptr;
  QMenu* filterMenu_ = nullptr;
  QToolButton* expandAllToolButton_ = nullptr;
  QToolButton* collapseAllToolButton_ = nullptr;
  QToolButton* filterToolButton_ = nullptr;
  QToolButton* printToolButton_ = nullptr;
  QAction* saveImagesItem_ = nullptr;
  QAction* importPictureItem_ = nullptr;
  QAction* exportGraphItem_ = nullptr;
  QAction* closeItem_ = nullptr;
  QAction* printItem_ = nullptr;
  QAction* runItem_ = nullptr;
  QAction* bitmapImagesItem_ = nullptr;
  QAction* jpegImagesItem_ = nullptr;
  QAction* useBuiltinBrowserItem_ = nullptr;
  QAction* useDefaultBrowserItem_ = nullptr;
  QAction* useAlternatebrowserItem_ = nullptr;
  QAction* analyzeDependenciesItem_ = nullptr;
  QAction* analyzeFormsItem_ = nullptr;
  QAction* expandAllDependenciesItem_ = nullptr;
  QAction* collapseAllDependenciesItem_ = nullptr;
  QAction* expandAllObjectsItem_ = nullptr;
  QAction* collapseAllObjectsItem_ = nullptr;
  QAction* dependencyCompactItem_ = nullptr;
};

}  // namespace tarnwick
