#pragma once

#include <QString>
#include <memory>
#include <optional>

#include "platform/settings_store.h"

namespace tarnwick {

class MessageBoxPrompter;
class TAboutDlg;
class TMainForm;

/// What `tarnwick` was asked on its command line.
struct DesktopOptions {
  QString SettingsFile;  // empty: $TARNWICK_SETTINGS or the default file
  QString Project;       // empty: start without a project
};

/// Reads `tarnwick [--settings FILE] [PROJECT.dpr]`, `--help` and `--version`. Gives nothing when
/// the program should end at once with `exitCode` (after help, version or bad usage).
std::optional<DesktopOptions> ParseDesktopArguments(const QStringList& arguments, int& exitCode);

/// The running desktop program: the settings store, the about box and the main window, created
/// in the start-up order (splash first, then the main window, then the splash's timer).
class DesktopApp {
 public:
  static constexpr int kSplashMilliseconds = 3000;

  explicit DesktopApp(const DesktopOptions& options, int splashMilliseconds = kSplashMilliseconds);
  ~DesktopApp();

  /// Shows the main window; a project named on the command line is opened once the event loop
  /// runs, as the Open command would open it.
  void Start();

  TMainForm& MainForm() { return *mainForm_; }
  TAboutDlg& AboutBox() { return *about_; }
  SettingsStore& Store() { return store_; }

 private:
  DesktopOptions options_;
  SettingsStore store_;
  std::unique_ptr<MessageBoxPrompter> prompter_;
  std::unique_ptr<TAboutDlg> about_;
  std::unique_ptr<TMainForm> mainForm_;
};

/// The whole program: the application object, start-up and the event loop. Gives the exit status.
int RunDesktop(int argc, char** argv);

}  // namespace tarnwick
