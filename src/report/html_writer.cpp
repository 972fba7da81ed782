#include "report/html_writer.h"

namespace tarnwick {

namespace {

// What the buffer collects before it goes to the file: large enough for few system calls, small
// enough to stay in cache.
constexpr size_t kFlushSize = 64 * 1024;

}  // namespace

HtmlWriter::HtmlWriter(const TextDecoder* decoder) : decoder_(decoder ? *decoder : fallback_) {}

bool HtmlWriter::Open(const std::string& path, std::string* error) {
  if (!file_.Open(path, error)) return false;
  file_.Write(buffer_);
  buffer_.clear();
  return true;
}

bool HtmlWriter::Commit(std::string* error) {
  if (!file_.IsOpen()) return true;
  file_.Write(buffer_);
  buffer_.clear();
  // The document can be written again from the project, so it is not flushed to the disk first.
  return file_.Commit(Durability::Plain, error);
}

void HtmlWriter::Abandon() {
  file_.Abandon();
  buffer_.clear();
}

void HtmlWriter::Append(std::string_view text) {
  buffer_.append(text);
  if (file_.IsOpen() && buffer_.size() >= kFlushSize) {
    file_.Write(buffer_);
    buffer_.clear();
  }
}

void HtmlWriter::WriteText(std::string_view text) {
  size_t nul = text.find('\0');
  if (nul != std::string_view::npos) text = text.substr(0, nul);
  Append(decoder_.ToUtf8(text, converted_));
}

void HtmlWriter::WriteLine(std::string_view text) {
  Append(decoder_.ToUtf8(text, converted_));
  Append("\r\n");
}

void HtmlWriter::WriteUtf8(std::string_view text) { Append(text); }

void HtmlWriter::WriteBreaks(int count) {
  for (int i = 0; i < count; ++i) WriteLine("<BR>");
}

void HtmlWriter::FontOpen(std::string_view face, int pointSize) {
  WriteLine("<font face=\"" + EscapeHtml(face) + "\">");
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

}  // namespace tarnwick
