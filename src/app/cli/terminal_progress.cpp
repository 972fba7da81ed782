#include "app/cli/terminal_progress.h"

namespace tarnwick {

namespace {
constexpr size_t kMaxWidth = 78;
constexpr const char* kSpinner = "|/-\\";
}  // namespace

TerminalProgress::TerminalProgress(bool enabled, std::FILE* out) : enabled_(enabled), out_(out) {}

TerminalProgress::~TerminalProgress() { Clear(); }

void TerminalProgress::SetStatusText(std::string_view text) {
  text_.assign(text);
  Draw();
}

void TerminalProgress::Step() {
  ++steps_;
  Draw();
}

void TerminalProgress::Reset() { Clear(); }

void TerminalProgress::Draw() {
  if (!enabled_) return;
  std::string line = std::string(1, kSpinner[steps_ % 4]) + " " + text_;
  if (line.size() > kMaxWidth) line = line.substr(0, kMaxWidth - 3) + "...";
  std::string padding(shownWidth_ > line.size() ? shownWidth_ - line.size() : 0, ' ');
  std::fprintf(out_, "\r%s%s", line.c_str(), padding.c_str());
  std::fflush(out_);
  shownWidth_ = line.size();
}

void TerminalProgress::Clear() {
  if (!enabled_ || shownWidth_ == 0) return;
  std::fprintf(out_, "\r%s\r", std::string(shownWidth_, ' ').c_str());
  std::fflush(out_);
  shownWidth_ = 0;
}

}  // namespace tarnwick
