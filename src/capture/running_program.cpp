#include "capture/running_program.h"

#include <algorithm>

#include "platform/win_path.h"

namespace tarnwick {

namespace {

bool NeedsQuotes(std::string_view text) {
  return text.empty() || std::any_of(text.begin(), text.end(), [](char c) {
           return std::string_view(" \t\n'\"\\$`|&;<>(){}*?[]#~").find(c) != std::string_view::npos;
         });
}

// Single quotes keep everything literal; a single quote itself is closed, escaped and reopened.
std::string ShellQuote(std::string_view text) {
  if (!NeedsQuotes(text)) return std::string(text);
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace

std::string ProposedCommand(std::string_view projectFile) {
  // Only the file name part's extension goes; a dot in a folder name stays.
  return ShellQuote(ChangeFileExt(projectFile, ".exe"));
}

void RunProgram(RunningProgram& program, ProgramRunner& runner, const std::string& commandLine, Prompter& prompter) {
  std::string error;
  if (!runner.Start(commandLine, error)) {
    prompter.Show(MessageKind::Error, "Run " + commandLine + "\r\n\r\n" + error, MessageButtons::Ok);
    return;
  }
  program.CommandLine = commandLine;
}

void CloseRunningProgram(RunningProgram& program, ProgramRunner& runner, Prompter& prompter) {
  if (!program.CommandLine.empty()) {
    ProgramWindow window = runner.FindProgramWindow();
    if (window == ProgramWindow::Unavailable) {
      prompter.Show(MessageKind::Information,
                    "The program \"" + program.CommandLine +
                        "\" is still running.\r\rClosing it from here needs an X11 desktop.",
                    MessageButtons::Ok);
    } else if (window != ProgramWindow::None &&
               prompter.Show(MessageKind::Confirmation, "Close the program \r\n\r\n" + program.CommandLine + "\" ?",
                             MessageButtons::OkCancel) == MessageAnswer::Ok) {
      if (window == ProgramWindow::Enabled) {
        runner.AskToClose();
      } else {
        prompter.Show(MessageKind::Information,
                      "The program can not be closed.\rIt is in a modal state, probably waiting for a user action",
                      MessageButtons::Ok);
      }
    }
  }
  runner.Forget();
  program.CommandLine.clear();
}

}  // namespace tarnwick
