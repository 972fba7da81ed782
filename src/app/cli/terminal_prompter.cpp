#include "app/cli/terminal_prompter.h"

#include <cctype>

namespace tarnwick {

namespace {

MessageAnswer SafeAnswer(MessageButtons buttons) {
  return buttons == MessageButtons::NoOk ? MessageAnswer::No : MessageAnswer::Cancel;
}

std::string Printable(std::string_view text) {
  std::string printable;
  printable.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      printable += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      printable += text[i];
    }
  }
  return printable;
}

}  // namespace

TerminalPrompter::TerminalPrompter(bool assumeYes, bool interactive, std::FILE* out, std::FILE* in)
    : assumeYes_(assumeYes), interactive_(interactive), out_(out), in_(in) {}

const char* TerminalPrompter::KindName(MessageKind kind) {
  switch (kind) {
    case MessageKind::Error: return "error";
    case MessageKind::Warning: return "warning";
    case MessageKind::Information: return "information";
    case MessageKind::Confirmation: return "confirmation";
    case MessageKind::Plain: break;
  }
  return "message";
}

MessageAnswer TerminalPrompter::Show(MessageKind kind, std::string_view text, MessageButtons buttons) {
  records_.push_back({kind, decoder_->ToUtf8(text)});
  bool question = buttons != MessageButtons::Ok;
  // With --yes a question is answered before it is asked: nothing to show.
  if (question && assumeYes_) return MessageAnswer::Ok;
  std::fprintf(out_, "%s: %s\n", KindName(kind), Printable(records_.back().Text).c_str());
  if (!question) return MessageAnswer::Ok;
  if (!interactive_) {
    MessageAnswer answer = SafeAnswer(buttons);
    std::fprintf(out_, "answered %s: no terminal to ask on (--yes answers OK)\n",
                 answer == MessageAnswer::No ? "No" : "Cancel");
    return answer;
  }
  return Ask(buttons);
}

MessageAnswer TerminalPrompter::Ask(MessageButtons buttons) {
  const char* question = buttons == MessageButtons::NoOk ? "[o]k or [n]o? " : "[o]k or [c]ancel? ";
  for (;;) {
    std::fputs(question, out_);
    std::fflush(out_);
    char line[64];
    if (std::fgets(line, sizeof line, in_) == nullptr) return SafeAnswer(buttons);
    int first = std::tolower(static_cast<unsigned char>(line[0]));
    if (first == 'o' || first == 'y') return MessageAnswer::Ok;
    if (first == 'n' || first == 'c') return SafeAnswer(buttons);
  }
}

}  // namespace tarnwick
