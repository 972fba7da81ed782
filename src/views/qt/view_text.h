#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "platform/text_encoding.h"

namespace tarnwick {

/// Project text (labels, type and unit names, property lines) as the tree pages show it, and back.
inline QString ViewText(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string FromViewText(const QString& text) { return text.toStdString(); }

/// Text read from the project's files: lines that are not UTF-8 are decoded from the project's
/// code page first.
inline QString ViewText(std::string_view text, const TextDecoder* decoder) {
  if (decoder == nullptr) return ViewText(text);
  std::string storage;
  return ViewText(decoder->ToUtf8(text, storage));
}

}  // namespace tarnwick
