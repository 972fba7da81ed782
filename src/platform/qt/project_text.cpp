#include "platform/qt/project_text.h"

#include <memory>

#include "platform/text_encoding.h"

namespace tarnwick {

QString Utf8ToQString(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string QStringToUtf8(const QString& text) { return text.toStdString(); }

QString ProjectQString(std::string_view text, std::string_view codePage) {
  if (IsValidUtf8(text)) return Utf8ToQString(text);
  // Views ask for many short texts of one project; the decoder of its code page is kept.
  static std::unique_ptr<TextDecoder> decoder;
  if (!decoder || decoder->CodePage() != codePage) decoder = std::make_unique<TextDecoder>(codePage);
  return DecodedQString(*decoder, text);
}

QString DecodedQString(const TextDecoder& decoder, std::string_view text) {
  std::string storage;
  return Utf8ToQString(decoder.ToUtf8(text, storage));
}

}  // namespace tarnwick
