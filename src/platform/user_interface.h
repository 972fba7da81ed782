#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

/// The kind of a message box: decides its icon on the desktop and its prefix on the command line.
enum class MessageKind { Error, Warning, Information, Confirmation, Plain };

/// The buttons of a message box.
enum class MessageButtons { Ok, OkCancel, NoOk };

/// The button the user pressed.
enum class MessageAnswer { Ok, Cancel, No };

/// Shows a message and returns the answer. The desktop program shows a modal box; the command
/// line prints it and answers confirmations from the terminal or with the safe answer.
class Prompter {
 public:
  virtual ~Prompter() = default;
  virtual MessageAnswer Show(MessageKind kind, std::string_view text,
                             MessageButtons buttons = MessageButtons::Ok) = 0;
};

/// Receives the progress of long work: the status text, the busy indicator's steps and the
/// busy cursor. Every call must return quickly; the work does not yield between calls.
class ProgressSink {
 public:
  virtual ~ProgressSink() = default;
  virtual void SetStatusText(std::string_view text) = 0;
  virtual void Step() = 0;
  virtual void Reset() = 0;
  virtual void SetBusyCursor(bool busy) = 0;
};

/// Measures text in a named font, in pixels. The command line may answer with an estimate.
class TextMeasure {
 public:
  virtual ~TextMeasure() = default;
  virtual int TextWidth(std::string_view text, std::string_view fontFace, int pointSize) = 0;
};

/// A progress sink that ignores everything, for callers that show no progress.
class NullProgressSink final : public ProgressSink {
 public:
  void SetStatusText(std::string_view) override {}
  void Step() override {}
  void Reset() override {}
  void SetBusyCursor(bool) override {}
};

/// Estimates text widths from the character count: good enough where no font engine is at hand.
class EstimatingTextMeasure final : public TextMeasure {
 public:
  int TextWidth(std::string_view text, std::string_view, int pointSize) override {
    // An average glyph of a proportional font is about half its em size; points to pixels at 96 dpi.
    return static_cast<int>(text.size()) * pointSize * 96 / 72 / 2;
  }
};

/// The front end's services that long work talks through.
struct UserInterface {
  Prompter& Messages;
  ProgressSink& Progress;
  TextMeasure& Measure;
};

}  // namespace tarnwick
