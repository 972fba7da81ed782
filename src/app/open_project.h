#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "app/workspace.h"

namespace tarnwick {

/// What the open and close flows need from the window that runs them. Every hook may be empty.
struct OpenHooks {
  std::function<void()> ReleaseHotKeys;
  std::function<void()> RegisterHotKeys;
  std::function<void()> EnableProjectCommands;
  std::function<void()> DisableProjectCommands;
  /// Receives the path of a project as it is closed, for the recent-projects list.
  std::function<void(const std::string&)> AddToHistory;
  /// Offers to close a documented program that was started from the window.
  std::function<void()> OfferToCloseProgram;
  /// Repaints the window at once, so caption and status show while the work goes on.
  std::function<void()> Repaint;
};

/// Closes the open project: releases the hot keys, offers to save new images, disables the
/// project commands, records the closed project in the history, clears the workspace and offers to
/// close a started program. Nothing in it can cancel the close.
void CloseProject(Workspace& workspace, UserInterface& ui, const OpenHooks& hooks);

/// Empties the model and the views of both trees, the images and the image-naming choices, and
/// sets the caption to "Tarnwick:".
void ClearProject(Workspace& workspace);

/// Builds the dependency tree the way `Settings.DependencyCompact` asks, its filtered view and the
/// uses graph with its cycle groups. Part of every open with "Analyze dependencies"; the window
/// calls it again when the compact setting changes.
void AnalyzeProjectDependencies(Workspace& workspace, UserInterface& ui);

/// Closes the current project and opens the project file at `path`: parses it, finds the saved
/// images, runs the analyses the settings ask for and builds the tree views. False, with the
/// workspace cleared, when the project file cannot be read; its failure has been shown once.
bool OpenProject(Workspace& workspace, UserInterface& ui, const OpenHooks& hooks, std::string_view path);

}  // namespace tarnwick
