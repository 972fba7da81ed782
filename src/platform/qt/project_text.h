#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace tarnwick {

class TextDecoder;

/// UTF-8 text (messages, paths the program made) as Qt holds it, and back.
QString Utf8ToQString(std::string_view utf8);
std::string QStringToUtf8(const QString& text);

/// Project text (names, paths, property lines as read from the project's files) as Qt shows it:
/// lines that are valid UTF-8 stay, the others are decoded from `codePage`, the project's code page.
QString ProjectQString(std::string_view text, std::string_view codePage);
/// The same with a decoder the caller keeps for the project's code page.
QString DecodedQString(const TextDecoder& decoder, std::string_view text);

}  // namespace tarnwick
