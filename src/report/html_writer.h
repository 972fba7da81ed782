#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/text_encoding.h"

namespace tarnwick {

/// A failure that ends a document run. Section writers throw it (any `std::exception` is handled
/// the same way); the documentation writer shows "There was an error during creation of the HTML
/// file." with `what()` and keeps what was written so far.
class DocumentError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// The output of one document run and the primitives every section writes with. Everything the
/// document says is UTF-8: project text handed to `WriteText` and `WriteLine` is decoded line by
/// line (`TextDecoder`), and the character set line always declares utf-8.
///
/// A writer opened on a file streams the document through one buffer into a temporary file
/// beside it, which `Commit` renames over the old document; without `Open` it keeps the whole
/// text in memory (`Text()`). Bytes are never cut to a length.
class HtmlWriter {
 public:
  /// `decoder` decodes the project's text that is not UTF-8; none reads it as Windows-1252.
  explicit HtmlWriter(const TextDecoder* decoder = nullptr);

  /// Starts writing the document at `path` (a host path). On failure `error` gets the system's
  /// text and the writer keeps the text in memory.
  bool Open(const std::string& path, std::string* error = nullptr);
  /// Writes the rest and puts the document in place of the old one. On failure `error` gets the
  /// system's text and the old document stays.
  bool Commit(std::string* error = nullptr);
  /// Drops what was written; the old document stays.
  void Abandon();

  /// Project text with no line end added; a NUL byte ends the text.
  void WriteText(std::string_view text);
  /// Project text followed by CR LF; an empty text writes an empty line.
  void WriteLine(std::string_view text = {});
  /// Text that is UTF-8 already, in pieces that may split a character: written as it is.
  void WriteUtf8(std::string_view text);
  /// `count` lines "<BR>".
  void WriteBreaks(int count);

  /// The two opening font tags: face (escaped), then the HTML size of `pointSize`.
  void FontOpen(std::string_view face, int pointSize);
  /// The start of a table of pictures with its caption line.
  void ImageTableStart(std::string_view caption);
  /// One table row showing the picture file `source` (a bare name beside the HTML file).
  void ImageRow(std::string_view source, int width, int height);
  void ImageTableEnd();

  /// The decoder of the project's text.
  const TextDecoder& Decoder() const { return decoder_; }
  /// What was written and is still held: all of it for a writer without a file.
  const std::string& Text() const { return buffer_; }

 private:
  void Append(std::string_view text);

  TextDecoder fallback_;
  const TextDecoder& decoder_;
  std::string buffer_;
  std::string converted_;
  AtomicFile file_;
};

/// The HTML relative size of a point size: "-2" up to 10 points, "+0", "+1", "+2", "+3", "+4"
/// over 24 points.
std::string HtmlFontSize(int pointSize);

/// Replaces a double quote by "&quot;", "&" by "&amp;", "<" by "&lt;" and ">" by "&gt;".
std::string EscapeHtml(std::string_view text);

/// The character set line of the head.
inline constexpr std::string_view kCharsetLine =
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">";

}  // namespace tarnwick
