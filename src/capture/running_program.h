#pragma once

#include <string>
#include <string_view>

#include "platform/program_runner.h"
#include "platform/user_interface.h"

namespace tarnwick {

/// The documented program started from the window: the command line confirmed in the last
/// successful run, empty when no program is remembered. The runner holds the process itself.
struct RunningProgram {
  std::string CommandLine;
};

/// The command proposed for a project: its path with ".exe" for the extension, quoted for the
/// shell when it holds blanks or other characters a shell would take apart.
std::string ProposedCommand(std::string_view projectFile);

/// Starts the confirmed `commandLine`; on failure shows "Run " + text + the system's reason and
/// keeps what was remembered.
void RunProgram(RunningProgram& program, ProgramRunner& runner, const std::string& commandLine, Prompter& prompter);

/// Offers to close the remembered program through its main window, never by force, then forgets
/// it. Asks nothing when it has ended or shows no window.
void CloseRunningProgram(RunningProgram& program, ProgramRunner& runner, Prompter& prompter);

}  // namespace tarnwick
