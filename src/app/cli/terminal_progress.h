#pragma once

#include <cstdio>
#include <string>

#include "platform/user_interface.h"

namespace tarnwick {

/// The command line's `ProgressSink`: a single status line on a terminal, rewritten in place and
/// cleared when the work resets. Disabled (silent) when standard error is not a terminal or with -q.
class TerminalProgress final : public ProgressSink {
 public:
  TerminalProgress(bool enabled, std::FILE* out = stderr);
  ~TerminalProgress() override;

  void SetStatusText(std::string_view text) override;
  void Step() override;
  void Reset() override;
  void SetBusyCursor(bool) override {}

 private:
  void Draw();
  void Clear();

  bool enabled_;
  std::FILE* out_;
  std::string text_;
  size_t steps_ = 0;
  size_t shownWidth_ = 0;
};

}  // namespace tarnwick
