#pragma once

#include <string>

namespace tarnwick {

/// What the search for a started program's main window found.
enum class ProgramWindow {
  None,         // the program has ended or shows no window
  Enabled,      // its main window can take a close request
  Modal,        // it shows a modal window, so its main window takes no input
  Unavailable,  // this session cannot look at other programs' windows
};

/// Starts the documented program and later asks its main window to close. Remembers one program;
/// a new start replaces it. It never ends a program by force.
class ProgramRunner {
 public:
  virtual ~ProgramRunner() = default;
  /// Starts `commandLine` (a program path and arguments, split as a shell would) without waiting
  /// for it. On failure sets `error` to the system's reason and keeps the program remembered before.
  virtual bool Start(const std::string& commandLine, std::string& error) = 0;
  /// Looks for the remembered program's unowned top-level window.
  virtual ProgramWindow FindProgramWindow() = 0;
  /// Asks the window `FindProgramWindow` found to close; returns at once.
  virtual void AskToClose() = 0;
  /// Forgets the remembered program.
  virtual void Forget() = 0;
};

}  // namespace tarnwick
