#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarnwick {

/// The code page of a project whose files hold no text that is not UTF-8 or ASCII, and the one
/// used when nothing else is known.
inline constexpr std::string_view kFallbackCodePage = "windows-1252";
/// The stored setting that asks for the code page to be detected at each open.
inline constexpr std::string_view kAutoCodePage = "auto";

/// True when `text` is well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
bool IsValidUtf8(std::string_view text);

/// The canonical name of a code page setting: "auto", "utf-8", "windows-1250" to "windows-1258",
/// "cp866", "koi8-r" or "iso-8859-N"; letter case is ignored, and a bare number (1251, 866, 20866,
/// 2859N, 65001) names the code page of that number. Nothing for any other text.
std::optional<std::string> CanonicalCodePage(std::string_view setting);

/// Turns project text into UTF-8. Project files keep their bytes as read; every output decides
/// line by line: a line that is valid UTF-8 stays as it is, any other line is decoded from the
/// project's code page (through iconv). A byte the code page does not define becomes U+FFFD, as
/// does every malformed sequence when the code page is UTF-8 itself. Line ends are CR and LF.
///
/// One decoder per code page; it holds an iconv descriptor, so it is not copyable. Converting
/// does not change what the decoder means, but it is not safe to share between threads.
class TextDecoder {
 public:
  /// `codePage` as `CanonicalCodePage` gives it; a name iconv does not know decodes as
  /// Windows-1252.
  explicit TextDecoder(std::string_view codePage = kFallbackCodePage);
  ~TextDecoder();
  TextDecoder(const TextDecoder&) = delete;
  TextDecoder& operator=(const TextDecoder&) = delete;

  const std::string& CodePage() const { return codePage_; }

  /// `text` in UTF-8: `text` itself when it is valid UTF-8 already, otherwise `storage` filled
  /// with the converted text.
  std::string_view ToUtf8(std::string_view text, std::string& storage) const;
  std::string ToUtf8(std::string_view text) const;

 private:
  void AppendLine(std::string& out, std::string_view line) const;
  void AppendDecoded(std::string& out, std::string_view line) const;

  std::string codePage_;
  void* iconv_;  // iconv_t; (void*)-1 when the code page is UTF-8
};

/// The UTF-8 text of a file that starts with a UTF-16 byte order mark (little or big endian),
/// without the mark; nothing when `bytes` has no such mark. A cut last unit and unpaired
/// surrogates become U+FFFD.
std::optional<std::string> DecodeUtf16File(std::string_view bytes);

/// Guesses the code page of the text that is not UTF-8 in a project's files. Lines that are valid
/// UTF-8 are passed over, the others go to uchardet until enough text has been seen. A result of
/// an ISO-8859 or other non-Windows single-byte family is mapped to the matching Windows code
/// page, since Delphi projects are written on Windows; nothing found gives Windows-1252.
class CodePageDetector {
 public:
  CodePageDetector();
  ~CodePageDetector();
  CodePageDetector(const CodePageDetector&) = delete;
  CodePageDetector& operator=(const CodePageDetector&) = delete;

  /// Feeds the lines of `text` that are not valid UTF-8.
  void Feed(std::string_view text);
  /// True once enough text has been fed for a sure guess; later feeding changes nothing.
  bool Saturated() const;
  /// The canonical name of the code page found.
  std::string Result();

 private:
  void* detector_;  // uchardet_t
  size_t fed_ = 0;
};

/// The code page a detector's raw answer stands for in a Delphi project, or nothing when the
/// answer does not name a single-byte code page (empty, ASCII, UTF-8, a multi-byte one).
std::optional<std::string> WindowsCodePageOf(std::string_view detected);

}  // namespace tarnwick
