#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tarnwick {

/// A failure that ends a document run. Section writers throw it (any `std::exception` is handled
/// the same way); the documentation writer shows "There was an error during creation of the HTML
/// file." with `what()` and keeps what was written so far.
class DocumentError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// The output of one document run and the primitives every section writes with. The text is
/// collected in memory and written to its file in one pass by `WriteToFile`, so the character set
/// line of the head can be decided from everything written, listings included; a run that fails
/// half way still writes what it collected.
///
/// Bytes are kept exactly as given (no re-encoding, no length limit). A character set line marked
/// with `MarkCharsetLine` is put in at that place when the text is taken out: utf-8 when the whole
/// text is valid UTF-8, otherwise windows-1252.
class HtmlWriter {
 public:
  /// The text with no line end added; a NUL byte ends the text.
  void WriteText(std::string_view text);
  /// The text followed by CR LF; an empty text writes an empty line.
  void WriteLine(std::string_view text = {});
  /// `count` lines "<BR>".
  void WriteBreaks(int count);

  /// The two opening font tags: face, then the HTML size of `pointSize`.
  void FontOpen(std::string_view face, int pointSize);
  /// The start of a table of pictures with its caption line.
  void ImageTableStart(std::string_view caption);
  /// One table row showing the picture file `source` (a bare name beside the HTML file).
  void ImageRow(std::string_view source, int width, int height);
  void ImageTableEnd();

  /// Remembers the current place as the one where the character set line goes.
  void MarkCharsetLine();
  /// What was written, without the character set line.
  const std::string& Body() const { return text_; }
  /// What was written, with the character set line at its mark.
  std::string Contents() const;
  /// Creates or truncates `path` and writes `Contents()` to it. On failure `error` gets the
  /// system's text; what the system accepted stays in the file.
  bool WriteToFile(const std::string& path, std::string* error = nullptr) const;

 private:
  std::string text_;
  std::size_t charsetMark_ = std::string::npos;
};

/// The HTML relative size of a point size: "-2" up to 10 points, "+0", "+1", "+2", "+3", "+4"
/// over 24 points.
std::string HtmlFontSize(int pointSize);

/// Replaces a double quote by "&quot;", "&" by "&amp;", "<" by "&lt;" and ">" by "&gt;".
std::string EscapeHtml(std::string_view text);

/// True when `text` is well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
bool IsValidUtf8(std::string_view text);

/// The character set line of the head for a document body.
std::string CharsetLine(bool utf8);

}  // namespace tarnwick
