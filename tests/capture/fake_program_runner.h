#pragma once

#include <string>
#include <vector>

#include "platform/program_runner.h"

namespace tarnwick::testing {

/// A runner that records what it was asked and answers with a window state set by the test.
class FakeProgramRunner final : public ProgramRunner {
 public:
  bool StartWorks = true;
  ProgramWindow Window = ProgramWindow::Enabled;
  std::vector<std::string> Calls;

  bool Start(const std::string& commandLine, std::string& error) override {
    Calls.push_back("start " + commandLine);
    if (!StartWorks) error = "No such file or directory";
    return StartWorks;
  }
  ProgramWindow FindProgramWindow() override { return Window; }
  void AskToClose() override { Calls.push_back("close"); }
  void Forget() override { Calls.push_back("forget"); }
};

}  // namespace tarnwick::testing
