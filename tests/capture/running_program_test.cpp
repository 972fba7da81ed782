#include "capture/running_program.h"

#include <gtest/gtest.h>

#include <map>

#include "capture/fake_program_runner.h"
#include "support/case_file.h"
#include "support/recording_prompter.h"

namespace tarnwick {
namespace {

using testing::FakeProgramRunner;
using testing::RecordingPrompter;
using Names = std::vector<std::string>;

TEST(RunningProgram, ProposesTheProjectsExecutableQuotedForTheShell) {
  const std::pair<const char*, const char*> cases[] = {
      {"/p/app.dpr", "/p/app.exe"},
      {"/p/app", "/p/app.exe"},
      {"/p.d/app", "/p.d/app.exe"},
      {"/my dir/app.dpr", "'/my dir/app.exe'"},
      {"/it's/app.dpr", "'/it'\\''s/app.exe'"},
  };
  for (const auto& [project, proposal] : cases) EXPECT_EQ(ProposedCommand(project), proposal) << project;
}

TEST(RunningProgram, AFailedRunSaysWhyAndKeepsTheProgramBefore) {
  RunningProgram program{"first"};
  FakeProgramRunner runner;
  RecordingPrompter prompter;
  runner.StartWorks = false;
  RunProgram(program, runner, "/x/app.exe -v", prompter);
  EXPECT_EQ(prompter.Shown(), Names{"error: Run /x/app.exe -v\r\n\r\nNo such file or directory"});
  EXPECT_EQ(program.CommandLine, "first");
  runner.StartWorks = true;
  RunProgram(program, runner, "second", prompter);
  EXPECT_EQ(program.CommandLine, "second");
}

TEST(RunningProgram, ClosingAsksOnlyWhenAWindowIsFoundAndNeverForces) {
  const std::map<std::string, ProgramWindow> windows = {
      {"none", ProgramWindow::None},
      {"enabled", ProgramWindow::Enabled},
      {"modal", ProgramWindow::Modal},
      {"unavailable", ProgramWindow::Unavailable}};
  for (const testing::TestCase& c : testing::ReadCaseFile("capture/close_program.cases")) {
    SCOPED_TRACE(c.Name);
    RunningProgram program{c.Value("command")};
    FakeProgramRunner runner;
    runner.Window = windows.at(c.Value("window"));
    RecordingPrompter prompter;
    prompter.QueueAnswer(c.Value("answer") == "cancel" ? MessageAnswer::Cancel : MessageAnswer::Ok);
    CloseRunningProgram(program, runner, prompter);
    EXPECT_EQ(prompter.Shown(), c.Values("shown"));
    EXPECT_EQ(runner.Calls, c.Values("calls"));
    EXPECT_TRUE(program.CommandLine.empty());
  }
}

}  // namespace
}  // namespace tarnwick
