#pragma once

#include <gtest/gtest.h>

#include "app/workspace.h"
#include "support/recording_prompter.h"
#include "support/temp_folder.h"

namespace tarnwick::testing {

/// A temporary folder, a workspace and a user interface that records every message and status.
class WorkspaceTest : public ::testing::Test {
 protected:
  ProjectModel& Model() { return workspace_.Model; }

  TempFolder folder_;
  Workspace workspace_;
  RecordingPrompter prompter_;
  RecordingProgressSink progress_;
  EstimatingTextMeasure measure_;
  UserInterface ui_{prompter_, progress_, measure_};
};

}  // namespace tarnwick::testing
