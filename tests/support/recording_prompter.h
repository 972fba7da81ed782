#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/user_interface.h"

namespace tarnwick::testing {

/// A `Prompter` for tests: records every message in order and answers from a script of answers
/// (OK when the script has run out).
class RecordingPrompter final : public Prompter {
 public:
  struct Message {
    MessageKind kind;
    std::string text;
    MessageButtons buttons;
  };

  MessageAnswer Show(MessageKind kind, std::string_view text, MessageButtons buttons) override {
    messages_.push_back({kind, std::string(text), buttons});
    if (answers_.empty()) return MessageAnswer::Ok;
    const MessageAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
  }

  void QueueAnswer(MessageAnswer answer) { answers_.push_back(answer); }
  const std::vector<Message>& Messages() const { return messages_; }
  /// The texts alone, for compact assertions.
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const Message& message : messages_) texts.push_back(message.text);
    return texts;
  }
  /// Each message as "kind: text", the kind in lower case ("error: Could not ...").
  std::vector<std::string> Shown() const {
    static const char* const kinds[] = {"error", "warning", "information", "confirmation", "plain"};
    std::vector<std::string> shown;
    for (const Message& message : messages_)
      shown.push_back(kinds[static_cast<int>(message.kind)] + (": " + message.text));
    return shown;
  }
  void Clear() { messages_.clear(); }

 private:
  std::deque<MessageAnswer> answers_;
  std::vector<Message> messages_;
};

/// A `ProgressSink` for tests: records status texts and steps as one ordered log, so the order of
/// texts and steps can be asserted ("text:Opening x", "step", "reset", "cursor:1").
class RecordingProgressSink final : public ProgressSink {
 public:
  void SetStatusText(std::string_view text) override { log_.push_back("text:" + std::string(text)); }
  void Step() override { log_.push_back("step"); }
  void Reset() override { log_.push_back("reset"); }
  void SetBusyCursor(bool busy) override { log_.push_back(busy ? "cursor:1" : "cursor:0"); }
  const std::vector<std::string>& Log() const { return log_; }
  void Clear() { log_.clear(); }

 private:
  std::vector<std::string> log_;
};

}  // namespace tarnwick::testing
