#include "app/open_project.h"

#include <exception>

#include "analysis/code_page_detection.h"
#include "analysis/dependency_analysis.h"
#include "analysis/form_analysis.h"
#include "analysis/project_file_parser.h"
#include "analysis/uses_graph.h"
#include "capture/image_list.h"
#include "capture/saved_images.h"
#include "platform/file_system.h"
#include "platform/win_path.h"

namespace tarnwick {

namespace {

void Call(const std::function<void()>& hook) {
  if (hook) hook();
}

// Without a main form (or with one that no unit carries) the tree starts at the project file's
// own row, so it shows what the project file uses instead of failing on a name that is no file.
void DetermineRootUnit(ProjectModel& model) {
  if (model.MainFormName.empty()) {
    model.RootUnitName = ChangeFileExt(model.RootUnitName, ".dpr");
  } else if (const UnitEntry* unit = model.FindUnitByForm(model.MainFormName)) {
    model.RootUnitName = unit->UnitName;
  }
  if (!model.ContainsUnit(model.RootUnitName)) model.RootUnitName = ExtractFileName(model.ProjectFile);
}

void StartOpening(Workspace& workspace, UserInterface& ui, const OpenHooks& hooks, std::string_view path) {
  ui.Progress.SetStatusText("Opening " + std::string(path));
  ui.Progress.Step();
  ui.Progress.SetBusyCursor(true);
  ProjectModel& model = workspace.Model;
  workspace.Caption = "Tarnwick: " + ExtractFilePath(path);
  model.ProjectFile = std::string(path);
  model.ProjectFolder = ExtractFilePath(path);
  model.DocumentationFolder = model.ProjectFolder + "Documentation" + kPathDelim;
  Call(hooks.Repaint);
  model.AddUnit({ExtractFileName(model.ProjectFile), "", ""});
}

// Steps 2 to 14: everything up to enabling the project commands. False when the project file
// cannot be read: nothing else of the project can be found then.
bool ReadProject(Workspace& workspace, UserInterface& ui, const OpenHooks& hooks, std::string_view path) {
  StartOpening(workspace, ui, hooks, path);
  if (!ParseProjectFile(workspace.Model, workspace.Dependencies, workspace.SourceListWidth, ui)) return false;
  FindSavedImages(workspace.Model, workspace.Settings.BitmapImages, ui);
  DetermineRootUnit(workspace.Model);
  if (workspace.Settings.AnalyzeDependencies) AnalyzeProjectDependencies(workspace, ui);
  ListUnusedSources(workspace.Model);
  Call(hooks.EnableProjectCommands);
  return true;
}

}  // namespace

void AnalyzeProjectDependencies(Workspace& workspace, UserInterface& ui) {
  AnalyzeDependencies(workspace.Model, workspace.Dependencies, ui, {.Compact = workspace.Settings.DependencyCompact});
  workspace.Dependencies.ShowFilteredDependencies(workspace.Model.DependencyTree);
  workspace.Model.Uses = BuildUsesGraph(workspace.Model);
}

void ClearProject(Workspace& workspace) {
  workspace.Caption = "Tarnwick:";
  workspace.Model.Clear();
  workspace.Objects.ResetObjectViews();
  workspace.Dependencies.ResetDependencyViews();
  workspace.Model.ImageFormNames.clear();
}

void CloseProject(Workspace& workspace, UserInterface& ui, const OpenHooks& hooks) {
  Call(hooks.ReleaseHotKeys);
  if (HasNewImages(workspace.Model.Images) &&
      ui.Messages.Show(MessageKind::Confirmation, "Save new images?", MessageButtons::NoOk) ==
          MessageAnswer::Ok) {
    SaveNewImages(workspace.Model, workspace.Settings.JPegCompressionQuality, ui.Messages);
  }
  Call(hooks.DisableProjectCommands);
  if (!workspace.Model.ProjectFile.empty() && hooks.AddToHistory) hooks.AddToHistory(workspace.Model.ProjectFile);
  ClearProject(workspace);
  Call(hooks.OfferToCloseProgram);
}

bool OpenProject(Workspace& workspace, UserInterface& ui, const OpenHooks& hooks, std::string_view path) {
  CloseProject(workspace, ui, hooks);
  // Every unit and form path is resolved against the same folders; each is listed once.
  FolderListingCache listings;
  try {
    if (!ReadProject(workspace, ui, hooks, path)) {
      ClearProject(workspace);
      ui.Progress.SetBusyCursor(false);
      ui.Progress.Reset();
      return false;
    }
  } catch (const std::exception& failure) {
    // The model keeps what was filled so far; the user learns why the rest is missing.
    ui.Progress.SetBusyCursor(false);
    ui.Messages.Show(MessageKind::Error, failure.what());
    return true;
  }
  ui.Progress.SetBusyCursor(false);
  if (workspace.Settings.AnalyzeForms) {
    AnalyzeForms(workspace.Model, ui);
    FillObjectTypeList(workspace.Model.ObjectTree, workspace.Objects);
    ShowFilteredObjects(workspace.Model, workspace.Objects);
    const ObjectForest& current = workspace.Objects.CurObjectTreeView == CurrentTree::Filtered
                                      ? workspace.Objects.FilteredTree
                                      : workspace.Model.ObjectTree;
    CurObjectTreeViewChange(workspace.Objects, current.empty() ? nullptr : current.front().get());
  }
  workspace.Model.CodePage = ProjectCodePage(workspace.Model, workspace.Settings.SourceCodePage);
  Call(hooks.RegisterHotKeys);
  ui.Progress.SetStatusText("Done.");
  ui.Progress.Reset();
  return true;
}

}  // namespace tarnwick
