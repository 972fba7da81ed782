#include "capture/running_program.h"

#include <gtest/gtest.h>

#include "capture/fake_program_runner.h"
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
  struct Case {
    ProgramWindow Window;
    MessageAnswer Answer;
    Names Shown;
    Names Calls;
  };
  const std::string question = "confirmation: Close the program \r\n\r\napp -x\" ?";
  const Case cases[] = {
      {ProgramWindow::None, MessageAnswer::Ok, {}, {"forget"}},
      {ProgramWindow::Enabled, MessageAnswer::Ok, {question}, {"close", "forget"}},
      {ProgramWindow::Enabled, MessageAnswer::Cancel, {question}, {"forget"}},
      {ProgramWindow::Modal,
       MessageAnswer::Ok,
       {question, "information: The program can not be closed.\rIt is in a modal state, probably waiting for a user "
                  "action"},
       {"forget"}},
      {ProgramWindow::Unavailable,
       MessageAnswer::Ok,
       {"information: The program \"app -x\" is still running.\r\rClosing it from here needs an X11 desktop."},
       {"forget"}},
  };
  for (const Case& c : cases) {
    RunningProgram program{"app -x"};
    FakeProgramRunner runner;
    runner.Window = c.Window;
    RecordingPrompter prompter;
    prompter.QueueAnswer(c.Answer);
    CloseRunningProgram(program, runner, prompter);
    EXPECT_EQ(prompter.Shown(), c.Shown) << static_cast<int>(c.Window);
    EXPECT_EQ(runner.Calls, c.Calls) << static_cast<int>(c.Window);
    EXPECT_TRUE(program.CommandLine.empty());
  }
  RunningProgram none;
  FakeProgramRunner runner;
  RecordingPrompter prompter;
  CloseRunningProgram(none, runner, prompter);
  EXPECT_TRUE(prompter.Shown().empty()) << "no program remembered";
}

}  // namespace
}  // namespace tarnwick
