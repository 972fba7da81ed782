#include "recording_prompter.h"

namespace tarnwick::testing {

MessageAnswer RecordingPrompter::Show(MessageKind kind, std::string_view text,
                                      MessageButtons buttons) {
  messages_.push_back({kind, std::string(text), buttons});
  if (answers_.empty()) return MessageAnswer::Ok;
  MessageAnswer answer = answers_.front();
  answers_.pop_front();
  return answer;
}

std::vector<std::string> RecordingPrompter::Texts() const {
  std::vector<std::string> texts;
  for (const Message& message : messages_) texts.push_back(message.text);
  return texts;
}

std::vector<std::string> RecordingPrompter::Shown() const {
  static const char* const kinds[] = {"error", "warning", "information", "confirmation", "plain"};
  std::vector<std::string> shown;
  for (const Message& message : messages_)
    shown.push_back(kinds[static_cast<int>(message.kind)] + (": " + message.text));
  return shown;
}

}  // namespace tarnwick::testing
