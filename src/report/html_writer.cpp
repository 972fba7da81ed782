#include "report/html_writer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace tarnwick {

void HtmlWriter::WriteText(std::string_view text) {
  size_t nul = text.find('\0');
  if (nul != std::string_view::npos) text = text.substr(0, nul);
  text_.append(text);
}

void HtmlWriter::WriteLine(std::string_view text) {
  text_.append(text);
  text_.append("\r\n");
}

void HtmlWriter::WriteBreaks(int count) {
  for (int i = 0; i < count; ++i) WriteLine("<BR>");
}

void HtmlWriter::FontOpen(std::string_view face, int pointSize) {
  WriteLine("<font face=\"" + std::string(face) + "\">");
  WriteLine("<font size=\"" + HtmlFontSize(pointSize) + "\">");
}

void HtmlWriter::ImageTableStart(std::string_view caption) {
  WriteLine("<table BORDER=\"0\" WIDTH=\"480\" CELLSPACING=\"0\" CELLPADDING=\"0\">");
  WriteLine("<caption ALIGN=\"TOP\">" + std::string(caption) + "</caption>");
}

void HtmlWriter::ImageRow(std::string_view source, int width, int height) {
  WriteLine("<tr>");
  WriteLine("<td><IMG SRC=\"" + std::string(source) + "\" HEIGHT=" + std::to_string(height) +
            " WIDTH=" + std::to_string(width) + "></td><br>");
  WriteLine("</tr>");
}

void HtmlWriter::ImageTableEnd() { WriteLine("</table><br>"); }

void HtmlWriter::MarkCharsetLine() { charsetMark_ = text_.size(); }

std::string HtmlWriter::Contents() const {
  if (charsetMark_ == std::string::npos) return text_;
  std::string contents;
  std::string line = CharsetLine(IsValidUtf8(text_)) + "\r\n";
  contents.reserve(text_.size() + line.size());
  contents.append(text_, 0, charsetMark_);
  contents.append(line);
  contents.append(text_, charsetMark_);
  return contents;
}

bool HtmlWriter::WriteToFile(const std::string& path, std::string* error) const {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    if (error) *error = std::strerror(errno);
    return false;
  }
  std::string contents = Contents();
  bool written = std::fwrite(contents.data(), 1, contents.size(), file) == contents.size();
  int writeErrno = errno;
  bool closed = std::fclose(file) == 0;
  if (!written || !closed) {
    if (error) *error = std::strerror(written ? errno : writeErrno);
    return false;
  }
  return true;
}

std::string HtmlFontSize(int pointSize) {
  if (pointSize <= 10) return "-2";
  if (pointSize <= 12) return "+0";
  if (pointSize <= 14) return "+1";
  if (pointSize <= 18) return "+2";
  if (pointSize <= 24) return "+3";
  return "+4";
}

std::string EscapeHtml(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '"': result += "&quot;"; break;
      case '&': result += "&amp;"; break;
      case '<': result += "&lt;"; break;
      case '>': result += "&gt;"; break;
      default: result += c;
    }
  }
  return result;
}

namespace {

// The length of the UTF-8 sequence starting at `text[i]`, or 0 when it is malformed.
size_t Utf8SequenceLength(std::string_view text, size_t i) {
  auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  unsigned char lead = byte(i);
  if (lead < 0x80) return 1;
  size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (length == 0 || lead > 0xF4 || i + length > text.size()) return 0;
  for (size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
  }
  unsigned char second = byte(i + 1);
  if (lead == 0xE0 && second < 0xA0) return 0;   // overlong
  if (lead == 0xED && second >= 0xA0) return 0;  // surrogate
  if (lead == 0xF0 && second < 0x90) return 0;   // overlong
  if (lead == 0xF4 && second >= 0x90) return 0;  // past U+10FFFF
  return length;
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    size_t length = Utf8SequenceLength(text, i);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

std::string CharsetLine(bool utf8) {
  return std::string("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=") +
         (utf8 ? "utf-8" : "windows-1252") + "\">";
}

}  // namespace tarnwick
