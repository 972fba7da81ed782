#pragma once

#include "platform/user_interface.h"

class QWidget;

namespace tarnwick {

/// The desktop program's `Prompter`: a modal message box with the kind's icon and caption and the
/// buttons asked for. Carriage returns in the text stay line breaks.
class MessageBoxPrompter final : public Prompter {
 public:
  explicit MessageBoxPrompter(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  MessageAnswer Show(MessageKind kind, std::string_view text, MessageButtons buttons) override;

 private:
  QWidget* parent_;
};

}  // namespace tarnwick
