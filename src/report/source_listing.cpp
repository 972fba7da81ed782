#include "report/source_listing.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <optional>
#include <utility>

#include "analysis/pascal_parser.h"
#include "analysis/project_model.h"
#include "platform/file_system.h"
#include "platform/text_util.h"
#include "platform/win_path.h"
#include "report/html_writer.h"
#include "report/report_options.h"

namespace tarnwick {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kKeptBlank = "&nbsp ";
constexpr std::string_view kLineBreak = "<BR>";

// ---------------------------------------------------------------------------------------------
// Reserved words

constexpr std::array<std::string_view, 72> kReservedWords = {
    "and", "begin", "do", "else", "end", "if", "string", "then", "array", "as", "at", "asm",
    "automated", "case", "class", "const", "constructor", "destructor", "dispinterface", "div",
    "downto", "except", "exports", "file", "finalization", "finally", "for", "function", "goto",
    "implementation", "in", "inherited", "initialization", "inline", "interface", "is", "label",
    "library", "mod", "nil", "not", "object", "of", "or", "on", "out", "packed", "private",
    "procedure", "program", "property", "protected", "public", "published", "raise", "record",
    "repeat", "resourcestring", "set", "shl", "shr", "threadvar", "to", "try", "type", "unit",
    "until", "uses", "var", "while", "with", "xor",
};

constexpr size_t kLongestReservedWord = 14;
constexpr size_t kBucketSize = 4;

// The reserved words grouped by length and first letter, so a lookup compares at most a few words.
struct ReservedWordBuckets {
  std::array<std::array<std::string_view, kBucketSize>, (kLongestReservedWord + 1) * 26> Slots{};

  static constexpr size_t Index(size_t length, char first) {
    return length * 26 + static_cast<size_t>(first - 'a');
  }
};

constexpr ReservedWordBuckets MakeReservedWordBuckets() {
  ReservedWordBuckets buckets;
  for (std::string_view word : kReservedWords) {
    auto& slots = buckets.Slots[ReservedWordBuckets::Index(word.size(), word[0])];
    size_t free = 0;
    while (!slots[free].empty()) ++free;  // past the end: not a constant expression
    slots[free] = word;
  }
  return buckets;
}

constexpr ReservedWordBuckets kReservedWordBuckets = MakeReservedWordBuckets();

// `word` lower-cased equals `lower`, which holds lower-case letters only.
bool EqualsLowered(std::string_view word, std::string_view lower) {
  for (size_t i = 0; i < word.size(); ++i) {
    if (LowerAscii(word[i]) != lower[i]) return false;
  }
  return true;
}

// ---------------------------------------------------------------------------------------------
// Lines

// The length of the line end at `i`: 2 for CR LF, 1 for a lone CR or a lone LF, 0 for none.
size_t LineEndLength(std::string_view text, size_t i) {
  if (text[i] == '\n') return 1;
  if (text[i] != '\r') return 0;
  return i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1;
}

// Calls `onLine(content, lineEnd)` for every line of `text`; the last line may have no line end.
template <typename OnLine>
void ForEachLine(std::string_view text, OnLine onLine) {
  size_t start = 0;
  for (size_t i = 0; i < text.size();) {
    const size_t endLength = LineEndLength(text, i);
    if (endLength == 0) {
      ++i;
      continue;
    }
    onLine(text.substr(start, i - start), text.substr(i, endLength));
    i += endLength;
    start = i;
  }
  if (start < text.size()) onLine(text.substr(start), std::string_view());
}

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32 && c != '\r' && c != '\n'; }

std::string_view StripByteOrderMarks(std::string_view source) {
  while (source.starts_with(kByteOrderMark)) source.remove_prefix(kByteOrderMark.size());
  return source;
}

}  // namespace

bool IsReservedWord(std::string_view word) {
  if (word.size() < 2 || word.size() > kLongestReservedWord) return false;
  const char first = LowerAscii(word[0]);
  if (first < 'a' || first > 'z') return false;
  for (std::string_view candidate :
       kReservedWordBuckets.Slots[ReservedWordBuckets::Index(word.size(), first)]) {
    if (candidate.empty()) return false;
    if (EqualsLowered(word, candidate)) return true;
  }
  return false;
}

// ---------------------------------------------------------------------------------------------
// The four steps, one pass each

std::string AddLineNumbers(std::string_view text) {
  std::string result;
  result.reserve(text.size() + text.size() / 4);
  int line = 1;
  ForEachLine(text, [&](std::string_view content, std::string_view lineEnd) {
    char number[16];
    const int length = std::snprintf(number, sizeof number, "%4d: ", line++);
    result.append(number, static_cast<size_t>(length));
    result.append(content);
    result.append(lineEnd);
  });
  return result;
}

std::string EscapeAndKeepBlanks(std::string_view text) {
  std::string result;
  result.reserve(text.size() + text.size() / 2);
  ForEachLine(text, [&](std::string_view content, std::string_view lineEnd) {
    const std::string escaped = EscapeHtml(content);
    for (size_t i = 0; i < escaped.size();) {
      if (!IsBlank(escaped[i])) {
        result += escaped[i++];
        continue;
      }
      size_t runEnd = i + 1;
      while (runEnd < escaped.size() && IsBlank(escaped[runEnd])) ++runEnd;
      for (size_t kept = i + 1; kept < runEnd; ++kept) result.append(kKeptBlank);
      result += ' ';
      i = runEnd;
    }
    result.append(lineEnd);
  });
  return result;
}

std::string HighlightSyntax(std::string_view text) {
  TParser parser{std::string(text)};
  parser.SetCrIsWhitespace(false);
  parser.SetSkipComments(false);
  std::string result;
  result.reserve(text.size() + text.size() / 4);
  Token token;
  do {
    parser.NextToken(token);
    const std::string_view whitespace = parser.Whitespace();
    result.append(whitespace);
    if (token.Kind == TokenKind::Identifier && IsReservedWord(token.Text)) {
      result.append("<B>").append(token.Text).append("</B>");
    } else if (token.Kind == TokenKind::Comment) {
      result.append("<I>").append(token.Text).append("</I>");
    } else if (token.Kind == TokenKind::String) {
      // The scanner consumed the opening quote, the text and, unless the literal runs to the
      // end of the input, the closing quote.
      const size_t tokenStart =
          static_cast<size_t>(whitespace.data() + whitespace.size() - parser.Text().data());
      const bool closed = parser.Position() - tokenStart == token.Text.size() + 2;
      result.append("'").append(token.Text).append(closed ? "'" : "");
    } else {
      result.append(token.Text);
    }
  } while (!token.IsEnd());
  return result;
}

std::string AddLineBreaks(std::string_view text) {
  std::string result;
  result.reserve(text.size() + text.size() / 8);
  ForEachLine(text, [&](std::string_view content, std::string_view lineEnd) {
    result.append(content).append(lineEnd).append(kLineBreak);
  });
  return result;
}

// ---------------------------------------------------------------------------------------------
// The listing in one pass

namespace {

// What the single pass does with a source byte it copies.
enum ByteKind : std::uint8_t { kCopy, kBlank, kEscape, kCarriageReturn, kLineFeed };

constexpr std::array<ByteKind, 256> MakeByteKinds() {
  std::array<ByteKind, 256> kinds{};
  for (int b = 0; b <= 32; ++b) kinds[b] = kBlank;
  kinds['\r'] = kCarriageReturn;
  kinds['\n'] = kLineFeed;
  kinds['"'] = kEscape;
  kinds['&'] = kEscape;
  kinds['<'] = kEscape;
  kinds['>'] = kEscape;
  return kinds;
}

constexpr std::array<ByteKind, 256> kByteKinds = MakeByteKinds();

ByteKind KindOf(char c) { return kByteKinds[static_cast<unsigned char>(c)]; }

std::string_view EntityOf(char c) {
  switch (c) {
    case '"': return "&quot;";
    case '&': return "&amp;";
    case '<': return "&lt;";
    default: return "&gt;";
  }
}

/// Receives the listing in pieces of up to `ListingBuilder::kChunkSize` bytes.
using ListingSink = std::function<void(std::string_view)>;

/// Builds the HTML of a listing in one pass over the source: escapes markup characters, keeps
/// runs of blanks, numbers the lines and breaks them, and takes the tags of the emphasis between
/// tokens.
/// The result is what the line numbering, escaping, emphasis and line-break steps give in turn.
///
/// A line number is written as soon as a line end is followed by more source, which is where the
/// numbering step puts it: no tag can stand between a line end and the next source byte, since no
/// token that ends with a line end is followed by one. The blank that ends a line number joins the
/// run of blanks the line starts with, so it is held back until the next piece is written.
///
/// Output collects in a small buffer that stays in cache and goes to the sink whenever it is full,
/// so a listing never needs a second copy of itself in memory.
class ListingBuilder {
 public:
  static constexpr size_t kChunkSize = 16 * 1024;

  ListingBuilder(std::string_view source, bool lineNumbers, const ListingSink& sink)
      : sink_(sink), sourceEnd_(source.data() + source.size()), lineNumbers_(lineNumbers) {
    if (lineNumbers_ && !source.empty()) LineNumber();
  }

  /// Source bytes of any kind.
  void Text(const char* begin, const char* end);
  /// Source bytes that need no escaping and hold no blank or line end (identifiers, numbers).
  void Word(const char* begin, const char* end) {
    FlushHeldBlank();
    Put(begin, static_cast<size_t>(end - begin));
  }
  /// A tag around a token or an entity; the held blank of a line number comes before it.
  void Markup(std::string_view markup) {
    FlushHeldBlank();
    Put(markup.data(), markup.size());
  }
  /// Ends the listing: the last line gets its break when anything follows the last line end.
  void Finish() {
    if (Written() != writtenAfterBreak_) Put(kLineBreak.data(), kLineBreak.size());
    FlushChunk();
  }

 private:
  size_t Written() const { return flushed_ + size_; }
  void Put(const char* data, size_t size) {
    if (kChunkSize - size_ < size) return PutLarge(data, size);
    std::memcpy(chunk_.data() + size_, data, size);
    size_ += size;
  }
  void PutLarge(const char* data, size_t size);
  void FlushChunk();
  void FlushHeldBlank() {
    if (!heldBlank_) return;
    heldBlank_ = false;
    Put(" ", 1);
  }
  void BlankRun(size_t count);
  void LineEnd(const char* begin, size_t length);
  void LineNumber();

  const ListingSink& sink_;
  std::array<char, kChunkSize> chunk_;
  size_t size_ = 0;
  size_t flushed_ = 0;
  size_t writtenAfterBreak_ = 0;
  const char* sourceEnd_;
  unsigned line_ = 1;
  bool lineNumbers_;
  bool heldBlank_ = false;
};

void ListingBuilder::FlushChunk() {
  if (size_ == 0) return;
  sink_(std::string_view(chunk_.data(), size_));
  flushed_ += size_;
  size_ = 0;
}

// A piece that does not fit the rest of the chunk: a long one goes to the sink directly.
void ListingBuilder::PutLarge(const char* data, size_t size) {
  FlushChunk();
  if (size < kChunkSize) return Put(data, size);
  sink_(std::string_view(data, size));
  flushed_ += size;
}

void ListingBuilder::Text(const char* p, const char* end) {
  while (p < end) {
    const char* const copyStart = p;
    while (p < end && KindOf(*p) == kCopy) ++p;
    if (p != copyStart) Word(copyStart, p);
    if (p == end) return;
    switch (KindOf(*p)) {
      case kBlank: {
        const char* runEnd = p + 1;
        while (runEnd < end && KindOf(*runEnd) == kBlank) ++runEnd;
        BlankRun(static_cast<size_t>(runEnd - p));
        p = runEnd;
        break;
      }
      case kEscape:
        Markup(EntityOf(*p++));
        break;
      case kCarriageReturn: {
        const size_t length = p + 1 < end && p[1] == '\n' ? 2 : 1;
        LineEnd(p, length);
        p += length;
        break;
      }
      default:
        LineEnd(p++, 1);
        break;
    }
  }
}

void ListingBuilder::BlankRun(size_t count) {
  if (heldBlank_) ++count;
  heldBlank_ = false;
  for (size_t kept = 1; kept < count; ++kept) Put(kKeptBlank.data(), kKeptBlank.size());
  Put(" ", 1);
}

void ListingBuilder::LineEnd(const char* begin, size_t length) {
  FlushHeldBlank();
  Put(begin, length);
  Put(kLineBreak.data(), kLineBreak.size());
  writtenAfterBreak_ = Written();
  if (lineNumbers_ && begin + length < sourceEnd_) LineNumber();
}

// "%4d: " as the escaping step leaves it: the padding is a run of blanks of its own, the final
// blank is held back to join the line's leading blanks.
void ListingBuilder::LineNumber() {
  char digits[16];
  const auto converted = std::to_chars(digits, digits + sizeof digits, line_++);
  const size_t length = static_cast<size_t>(converted.ptr - digits);
  if (length < 4) BlankRun(4 - length);
  Put(digits, length);
  Put(":", 1);
  heldBlank_ = true;
}

// The scanner's character classes, read once so the token loop below splits the text exactly
// where `TParser` does.
const std::array<CharClass, 256>& ScannerClasses() {
  static const std::array<CharClass, 256> classes = [] {
    std::array<CharClass, 256> table{};
    for (int b = 0; b < 256; ++b) table[b] = CharClassOf(static_cast<char>(b));
    return table;
  }();
  return classes;
}

// The end of the comment that starts at `p`, or null when no comment starts there. A comment
// left open runs to the end of the text; a "//" comment stops before the line end.
const char* CommentEnd(const char* p, const char* end) {
  const std::string_view rest(p, static_cast<size_t>(end - p));
  size_t found = std::string_view::npos;
  size_t closingLength = 0;
  if (*p == '{') {
    found = rest.find('}', 1);
    closingLength = 1;
  } else if (*p == '(' && rest.size() > 1 && rest[1] == '*') {
    found = rest.find("*)", 2);
    closingLength = 2;
  } else if (*p == '/' && rest.size() > 1 && rest[1] == '/') {
    found = rest.find_first_of("\r\n", 2);
  } else {
    return nullptr;
  }
  return found == std::string_view::npos ? end : p + found + closingLength;
}

// A string literal from its opening quote up to and including the closing one, or to the end.
const char* StringEnd(const char* p, const char* end) {
  const void* closing = std::memchr(p + 1, '\'', static_cast<size_t>(end - p - 1));
  return closing ? static_cast<const char*>(closing) + 1 : end;
}

const char* IdentifierEnd(const char* p, const char* end,
                          const std::array<CharClass, 256>& classes) {
  while (p < end) {
    const CharClass cls = classes[static_cast<unsigned char>(*p)];
    if (cls != CharClass::Letter && cls != CharClass::Digit && cls != CharClass::Underscore) break;
    ++p;
  }
  return p;
}

// Splits the text into the scanner's tokens with line ends and comments kept, and writes each
// with its emphasis. Whitespace and line ends between tokens are written as they are.
void HighlightTokens(std::string_view text, ListingBuilder& out) {
  const std::array<CharClass, 256>& classes = ScannerClasses();
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p < end) {
    const unsigned char first = static_cast<unsigned char>(*p);
    const CharClass cls = classes[first];
    const char* next = p + 1;
    const char* commentEnd = nullptr;
    if (first <= 32) {
      while (next < end && static_cast<unsigned char>(*next) <= 32) ++next;
      out.Text(p, next);
    } else if (cls == CharClass::Letter || cls == CharClass::Underscore) {
      next = IdentifierEnd(next, end, classes);
      const bool reserved = IsReservedWord(std::string_view(p, static_cast<size_t>(next - p)));
      if (reserved) out.Markup("<B>");
      out.Word(p, next);
      if (reserved) out.Markup("</B>");
    } else if (cls == CharClass::Digit) {
      while (next < end && classes[static_cast<unsigned char>(*next)] == CharClass::Digit) ++next;
      out.Word(p, next);
    } else if (cls == CharClass::Quote) {
      next = StringEnd(p, end);
      out.Text(p, next);
    } else if (cls == CharClass::Symbol && (commentEnd = CommentEnd(p, end)) != nullptr) {
      next = commentEnd;
      out.Markup("<I>");
      out.Text(p, next);
      out.Markup("</I>");
    } else {
      out.Text(p, next);
    }
    p = next;
  }
}

// The listing of `source` in pieces, handed to `sink` in order.
void WriteListing(std::string_view source, bool lineNumbers, bool syntaxPrint,
                  const ListingSink& sink) {
  source = StripByteOrderMarks(source);
  ListingBuilder out(source, lineNumbers, sink);
  if (syntaxPrint) {
    HighlightTokens(source, out);
  } else {
    out.Text(source.data(), source.data() + source.size());
  }
  out.Finish();
}

}  // namespace

std::string ListingToHtml(std::string_view source, bool lineNumbers, bool syntaxPrint) {
  std::string html;
  // Most listings with numbers and emphasis are between two and three times their source; pages
  // reserved but never written cost nothing.
  html.reserve(source.size() * 3 + 64);
  WriteListing(source, lineNumbers, syntaxPrint,
               [&html](std::string_view piece) { html.append(piece); });
  return html;
}

std::string UnitSourceFile(const ProjectModel& model, std::string_view unitName) {
  const UnitEntry* unit = model.FindUnitByName(unitName);
  const std::string path = unit ? unit->Path : std::string();
  std::string fileName = HasDrivePart(path) ? path : model.ProjectFolder + path;
  fileName.append(unitName);
  return AppendExtensionIfMissing(fileName, ".pas");
}

std::string ExpandTabs(std::string_view text, int tabSpaces) {
  std::string expanded;
  if (tabSpaces <= 0 || text.find('\t') == std::string_view::npos) return std::string(text);
  const auto width = static_cast<size_t>(tabSpaces);
  expanded.reserve(text.size() + text.size() / 8);
  size_t column = 0;
  for (char c : text) {
    if (c == '\t') {
      const size_t blanks = width - column % width;
      expanded.append(blanks, ' ');
      column += blanks;
      continue;
    }
    expanded += c;
    // Continuation bytes of a UTF-8 character take no column of their own.
    const bool continuation = (static_cast<unsigned char>(c) & 0xC0) == 0x80;
    column = c == '\r' || c == '\n' ? 0 : column + (continuation ? 0 : 1);
  }
  return expanded;
}

void SourceToHtml(const ProjectModel& model, std::string_view unitName,
                  const ReportOptions& options, HtmlWriter& writer, UserInterface& /*ui*/) {
  const std::string fileName = UnitSourceFile(model, unitName);
  std::string error;
  const std::optional<std::string> source = ReadTextFile(fileName, &error);
  if (!source) throw DocumentError("Cannot open file \"" + ToHostPath(fileName) + "\". " + error);
  // Decoded whole before the listing is made, since its pieces may split a line or a character.
  std::string decoded;
  const std::string_view text = writer.Decoder().ToUtf8(*source, decoded);
  const std::string expanded = ExpandTabs(text, ParseWholeNumber(options.TabSpaces).value_or(0));
  WriteListing(expanded, options.SourceLineNumbers, options.SyntaxPrint,
               [&writer](std::string_view piece) { writer.WriteUtf8(piece); });
}

}  // namespace tarnwick
