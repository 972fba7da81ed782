#include "platform/text_encoding.h"

#include <iconv.h>
#include <uchardet.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <utility>

#include "platform/text_util.h"

namespace tarnwick {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD
const iconv_t kNoIconv = reinterpret_cast<iconv_t>(-1);

// The length of the UTF-8 sequence starting at `text[i]`, or 0 when it is malformed.
size_t Utf8SequenceLength(std::string_view text, size_t i) {
  auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  if (lead < 0x80) return 1;
  const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (length == 0 || lead > 0xF4 || i + length > text.size()) return 0;
  for (size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
  }
  const unsigned char second = byte(i + 1);
  if (lead == 0xE0 && second < 0xA0) return 0;   // overlong
  if (lead == 0xED && second >= 0xA0) return 0;  // surrogate
  if (lead == 0xF0 && second < 0x90) return 0;   // overlong
  if (lead == 0xF4 && second >= 0x90) return 0;  // past U+10FFFF
  return length;
}

// Eight bytes at a time while they are all ASCII, which most source text is.
size_t SkipAscii(std::string_view text, size_t i) {
  constexpr uint64_t kHighBits = 0x8080808080808080ull;
  while (i + 8 <= text.size()) {
    uint64_t word;
    std::memcpy(&word, text.data() + i, sizeof word);
    if (word & kHighBits) break;
    i += 8;
  }
  return i;
}

void AppendCodePoint(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// Calls `onLine(line)` for every line of `text`, each with its line end (CR or LF).
template <typename OnLine>
void ForEachLine(std::string_view text, OnLine onLine) {
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    end = end == std::string_view::npos ? text.size() : end + 1;
    onLine(text.substr(start, end - start));
    start = end;
  }
}

std::optional<std::string> NumberedCodePage(unsigned number) {
  if (number >= 1250 && number <= 1258) return "windows-" + std::to_string(number);
  if (number >= 28591 && number <= 28599) return "iso-8859-" + std::to_string(number - 28590);
  switch (number) {
    case 866: return "cp866";
    case 874: return "windows-874";
    case 932: case 936: case 949: case 950: return "cp" + std::to_string(number);
    case 20866: return "koi8-r";
    case 28603: return "iso-8859-13";
    case 28605: return "iso-8859-15";
    case 65001: return "utf-8";
    default: return std::nullopt;
  }
}

std::optional<unsigned> WholeNumber(std::string_view text) {
  unsigned number = 0;
  const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (failure != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return number;
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
  size_t i = 0;
  while ((i = SkipAscii(text, i)) < text.size()) {
    const size_t length = Utf8SequenceLength(text, i);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

std::optional<std::string> CanonicalCodePage(std::string_view setting) {
  const std::string name = ToLowerAscii(TrimBlanks(setting));
  if (name == kAutoCodePage || name == "utf-8" || name == "utf8") return name == "utf8" ? "utf-8" : name;
  if (name == "cp866" || name == "koi8-r") return name;
  if (auto number = WholeNumber(name)) return NumberedCodePage(*number);
  for (std::string_view prefix : {"windows-", "cp"}) {
    if (!name.starts_with(prefix)) continue;
    auto number = WholeNumber(std::string_view(name).substr(prefix.size()));
    if (number && *number != 65001 && *number != 20866) return NumberedCodePage(*number);
  }
  if (name.starts_with("iso-8859-")) {
    auto part = WholeNumber(std::string_view(name).substr(9));
    if (part && *part >= 1 && *part <= 16 && *part != 12) return name;
  }
  return std::nullopt;
}

// ---- TextDecoder -----------------------------------------------------------------------------

TextDecoder::TextDecoder(std::string_view codePage) : codePage_(codePage), iconv_(kNoIconv) {
  if (codePage_ == "utf-8") return;
  iconv_ = ::iconv_open("UTF-8", codePage_.c_str());
  if (iconv_ == kNoIconv) {
    codePage_ = kFallbackCodePage;
    iconv_ = ::iconv_open("UTF-8", codePage_.c_str());
  }
}

TextDecoder::~TextDecoder() {
  if (iconv_ != kNoIconv) ::iconv_close(static_cast<iconv_t>(iconv_));
}

std::string_view TextDecoder::ToUtf8(std::string_view text, std::string& storage) const {
  if (IsValidUtf8(text)) return text;
  storage.clear();
  storage.reserve(text.size() + text.size() / 2);
  ForEachLine(text, [&](std::string_view line) { AppendLine(storage, line); });
  return storage;
}

std::string TextDecoder::ToUtf8(std::string_view text) const {
  std::string storage;
  std::string_view converted = ToUtf8(text, storage);
  return converted.data() == text.data() ? std::string(text) : storage;
}

void TextDecoder::AppendLine(std::string& out, std::string_view line) const {
  if (IsValidUtf8(line)) {
    out.append(line);
  } else if (iconv_ == kNoIconv) {
    // UTF-8 that is not well formed: each malformed byte stands for one replacement character.
    for (size_t i = 0; i < line.size();) {
      const size_t length = Utf8SequenceLength(line, i);
      out.append(length ? line.substr(i, length) : kReplacement);
      i += length ? length : 1;
    }
  } else {
    AppendDecoded(out, line);
  }
}

// iconv over one line; a byte the code page does not define is replaced and skipped.
void TextDecoder::AppendDecoded(std::string& out, std::string_view line) const {
  const auto cd = static_cast<iconv_t>(iconv_);
  ::iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char* in = const_cast<char*>(line.data());
  size_t inLeft = line.size();
  while (inLeft > 0) {
    const size_t start = out.size();
    const size_t room = inLeft * 4 + 8;
    out.resize(start + room);
    char* target = out.data() + start;
    size_t targetLeft = room;
    const size_t result = ::iconv(cd, &in, &inLeft, &target, &targetLeft);
    const int failure = errno;
    out.resize(start + (room - targetLeft));
    if (result != static_cast<size_t>(-1) || failure == E2BIG) continue;
    out.append(kReplacement);
    ++in;
    --inLeft;
    ::iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
}

// ---- UTF-16 files ----------------------------------------------------------------------------

std::optional<std::string> DecodeUtf16File(std::string_view bytes) {
  if (bytes.size() < 2) return std::nullopt;
  const auto b0 = static_cast<unsigned char>(bytes[0]);
  const auto b1 = static_cast<unsigned char>(bytes[1]);
  const bool little = b0 == 0xFF && b1 == 0xFE;
  if (!little && !(b0 == 0xFE && b1 == 0xFF)) return std::nullopt;
  auto unitAt = [&](size_t i) -> char32_t {
    const auto lo = static_cast<unsigned char>(bytes[i + (little ? 0 : 1)]);
    const auto hi = static_cast<unsigned char>(bytes[i + (little ? 1 : 0)]);
    return static_cast<char32_t>(hi << 8 | lo);
  };
  std::string out;
  out.reserve(bytes.size());
  size_t i = 2;
  for (; i + 1 < bytes.size(); i += 2) {
    char32_t code = unitAt(i);
    if (code >= 0xD800 && code <= 0xDBFF && i + 3 < bytes.size()) {
      const char32_t low = unitAt(i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    if (code >= 0xD800 && code <= 0xDFFF) {
      out.append(kReplacement);
    } else {
      AppendCodePoint(out, code);
    }
  }
  if (i < bytes.size()) out.append(kReplacement);
  return out;
}

// ---- Detection -------------------------------------------------------------------------------

namespace {

// Enough text for the detector's statistics to settle; more only costs time.
constexpr size_t kSaturation = 64 * 1024;

struct FamilyMapping {
  std::string_view Detected;
  std::string_view CodePage;
};

// Non-Windows answers for the scripts a Windows project would have written in its own code page.
constexpr std::array<FamilyMapping, 22> kWindowsFamilies = {{
    {"iso-8859-1", "windows-1252"},  {"iso-8859-15", "windows-1252"}, {"iso-8859-2", "windows-1250"},
    {"iso-8859-16", "windows-1250"}, {"iso-8859-3", "windows-1254"},  {"iso-8859-9", "windows-1254"},
    {"iso-8859-4", "windows-1257"},  {"iso-8859-13", "windows-1257"}, {"iso-8859-5", "windows-1251"},
    {"iso-8859-6", "windows-1256"},  {"iso-8859-7", "windows-1253"},  {"iso-8859-8", "windows-1255"},
    {"iso-8859-11", "windows-874"},  {"tis-620", "windows-874"},      {"mac-cyrillic", "windows-1251"},
    {"ibm855", "windows-1251"},      {"mac-centraleurope", "windows-1250"},
    {"shift_jis", "cp932"},          {"gb18030", "cp936"},            {"euc-kr", "cp949"},
    {"uhc", "cp949"},                {"big5", "cp950"},
}};

}  // namespace

std::optional<std::string> WindowsCodePageOf(std::string_view detected) {
  std::string name = ToLowerAscii(detected);
  for (const FamilyMapping& family : kWindowsFamilies) {
    if (name == family.Detected) return std::string(family.CodePage);
  }
  if (name == "ibm866") return "cp866";
  if (name == "utf-8") return std::nullopt;
  return CanonicalCodePage(name);
}

CodePageDetector::CodePageDetector() : detector_(uchardet_new()) {}

CodePageDetector::~CodePageDetector() { uchardet_delete(static_cast<uchardet_t>(detector_)); }

void CodePageDetector::Feed(std::string_view text) {
  if (Saturated() || IsValidUtf8(text)) return;
  ForEachLine(text, [&](std::string_view line) {
    if (Saturated() || IsValidUtf8(line)) return;
    uchardet_handle_data(static_cast<uchardet_t>(detector_), line.data(), line.size());
    fed_ += line.size();
  });
}

bool CodePageDetector::Saturated() const { return fed_ >= kSaturation; }

std::string CodePageDetector::Result() {
  if (fed_ == 0) return std::string(kFallbackCodePage);
  const auto detector = static_cast<uchardet_t>(detector_);
  uchardet_data_end(detector);
  const char* charset = uchardet_get_charset(detector);
  return WindowsCodePageOf(charset ? charset : "").value_or(std::string(kFallbackCodePage));
}

}  // namespace tarnwick
