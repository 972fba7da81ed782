// Decodes arbitrary bytes as project text. Besides memory errors it checks what every output
// relies on: the result is always valid UTF-8, text that is UTF-8 already comes back unchanged, and
// line ends survive decoding one for one. The first byte picks the code page.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/text_encoding.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

constexpr const char* kCodePages[] = {"windows-1250", "windows-1251", "windows-1252", "windows-1253",
                                      "cp866",        "koi8-r",       "iso-8859-2",   "utf-8",
                                      "cp932",        "cp936"};

size_t LineEnds(std::string_view text) {
  return static_cast<size_t>(std::count(text.begin(), text.end(), '\n') + std::count(text.begin(), text.end(), '\r'));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  const tarnwick::TextDecoder decoder(kCodePages[data[0] % std::size(kCodePages)]);
  const std::string decoded = decoder.ToUtf8(text);
  Require(tarnwick::IsValidUtf8(decoded));
  if (tarnwick::IsValidUtf8(text)) Require(decoded == text);
  Require(LineEnds(decoded) == LineEnds(text));

  if (const auto utf16 = tarnwick::DecodeUtf16File(text)) Require(tarnwick::IsValidUtf8(*utf16));
  tarnwick::CodePageDetector detector;
  detector.Feed(text);
  Require(tarnwick::CanonicalCodePage(detector.Result()).has_value());
  return 0;
}
