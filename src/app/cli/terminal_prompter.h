#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/text_encoding.h"
#include "platform/user_interface.h"

namespace tarnwick {

/// The command line's `Prompter`: prints each message to standard error as "kind: text" (carriage
/// returns become line breaks) and keeps a record of them for `--dump`. With `--yes` a question is
/// answered OK without being printed; otherwise it is asked on the terminal when standard input is
/// one, else printed with the safe answer taken (Cancel, or No). Project text in messages is
/// printed and kept in UTF-8, decoded from the code page set last (Windows-1252 until one is set).
class TerminalPrompter final : public Prompter {
 public:
  struct Record {
    MessageKind Kind;
    std::string Text;
  };

  TerminalPrompter(bool assumeYes, bool interactive, std::FILE* out = stderr, std::FILE* in = stdin);

  MessageAnswer Show(MessageKind kind, std::string_view text, MessageButtons buttons) override;
  const std::vector<Record>& Records() const { return records_; }
  /// The code page of the project's text in the messages that follow.
  void SetCodePage(std::string_view codePage) { decoder_ = std::make_unique<TextDecoder>(codePage); }

  static const char* KindName(MessageKind kind);

 private:
  MessageAnswer Ask(MessageButtons buttons);

  bool assumeYes_;
  bool interactive_;
  std::FILE* out_;
  std::FILE* in_;
  std::vector<Record> records_;
  std::unique_ptr<TextDecoder> decoder_ = std::make_unique<TextDecoder>();
};

}  // namespace tarnwick
