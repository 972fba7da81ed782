#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "platform/qt/project_text.h"
#include "platform/text_encoding.h"

namespace tarnwick {

/// Project text (labels, type and unit names, property lines) as the tree pages show it, and back.
inline QString ViewText(std::string_view text) { return Utf8ToQString(text); }
inline std::string FromViewText(const QString& text) { return QStringToUtf8(text); }

/// Text read from the project's files: lines that are not UTF-8 are decoded from the project's
/// code page first.
inline QString ViewText(std::string_view text, const TextDecoder* decoder) {
  return decoder == nullptr ? ViewText(text) : DecodedQString(*decoder, text);
}

}  // namespace tarnwick
