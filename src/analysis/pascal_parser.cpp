#include "analysis/pascal_parser.h"

#include <algorithm>
#include <array>
#include <utility>

#include "platform/text_util.h"

namespace tarnwick {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

constexpr std::array<CharClass, 256> MakeClassTable() {
  std::array<CharClass, 256> table{};
  for (int b = 0; b < 256; ++b) {
    CharClass cls = CharClass::Other;
    if ((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z')) {
      cls = CharClass::Letter;
    } else if (b >= '0' && b <= '9') {
      cls = CharClass::Digit;
    } else if ((b >= 33 && b <= 38) || (b >= 40 && b <= 47) || (b >= 58 && b <= 64) ||
               (b >= 91 && b <= 94) || (b >= 123 && b <= 126)) {
      cls = CharClass::Symbol;
    } else if (b == '\'') {
      cls = CharClass::Quote;
    } else if (b == '_') {
      cls = CharClass::Underscore;
    } else if (b == '\r') {
      cls = CharClass::LineEnd;
    }
    table[b] = cls;
  }
  return table;
}

constexpr std::array<CharClass, 256> kClassTable = MakeClassTable();

bool IsIdentifierChar(char c) {
  const CharClass cls = CharClassOf(c);
  return cls == CharClass::Letter || cls == CharClass::Digit || cls == CharClass::Underscore;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsSymbol(const Token& token, char symbol) {
  return token.Kind == TokenKind::Symbol && token.Text.size() == 1 && token.Text[0] == symbol;
}

}  // namespace

CharClass CharClassOf(char c) { return kClassTable[static_cast<unsigned char>(c)]; }

TParser::TParser(std::string text) : text_(std::move(text)) {
  if (text_.starts_with(kByteOrderMark)) text_.erase(0, kByteOrderMark.size());
}

void TParser::SetPosition(size_t position) {
  pos_ = std::min(position, text_.size());
  if (pos_ == 0) section_ = UsesSection::Interface;
}

bool TParser::IsWhitespace(char c) const {
  return static_cast<unsigned char>(c) <= 32 && (c != '\r' || crIsWhitespace_);
}

void TParser::SkipWhitespace() {
  wsBegin_ = pos_;
  while (pos_ < text_.size() && IsWhitespace(text_[pos_])) ++pos_;
  wsEnd_ = pos_;
}

void TParser::TakeSince(Token& token, size_t start, TokenKind kind) {
  token.Text.assign(text_, start, pos_ - start);
  token.Kind = kind;
}

void TParser::SkipPast(std::string_view closing) {
  const size_t found = text_.find(closing, pos_);
  pos_ = found == std::string::npos ? text_.size() : found + closing.size();
}

void TParser::ReadToken(Token& token) {
  SkipWhitespace();
  const size_t start = pos_;
  if (AtEnd()) return TakeSince(token, start, TokenKind::Other);
  const size_t size = text_.size();
  switch (CharClassOf(text_[pos_++])) {
    case CharClass::Letter:
    case CharClass::Underscore:
      while (pos_ < size && IsIdentifierChar(text_[pos_])) ++pos_;
      return TakeSince(token, start, TokenKind::Identifier);
    case CharClass::Digit:
      while (pos_ < size && IsDigit(text_[pos_])) ++pos_;
      return TakeSince(token, start, TokenKind::Number);
    case CharClass::Symbol:
      return TakeSince(token, start, TokenKind::Symbol);
    case CharClass::Quote:
      return TakeSince(token, start, TokenKind::Quote);
    case CharClass::LineEnd:
      if (PeekChar() == '\n') ++pos_;
      return TakeSince(token, start, TokenKind::LineEnd);
    case CharClass::Other:
      break;
  }
  TakeSince(token, start, TokenKind::Other);
}

void TParser::NextToken(Token& token) {
  for (;;) {
    ReadToken(token);
    if (token.IsEnd()) return;
    const size_t start = pos_ - token.Text.size();
    if (IsSymbol(token, '{')) {
      SkipPast("}");
      TakeSince(token, start, TokenKind::Comment);
    } else if (IsSymbol(token, '(') && PeekChar() == '*') {
      ++pos_;
      SkipPast("*)");
      TakeSince(token, start, TokenKind::Comment);
    } else if (IsSymbol(token, '/') && PeekChar() == '/') {
      pos_ = std::min(text_.find_first_of("\r\n", pos_ + 1), text_.size());
      TakeSince(token, start, TokenKind::Comment);
    } else if (token.Kind == TokenKind::Quote) {
      const size_t close = text_.find('\'', pos_);
      const size_t end = close == std::string::npos ? text_.size() : close;
      token.Text.assign(text_, pos_, end - pos_);
      token.Kind = TokenKind::String;
      pos_ = close == std::string::npos ? end : end + 1;
    }
    if (!skipComments_ || token.Kind != TokenKind::Comment) return;
  }
}

void TParser::ReadLine(std::string& text) {
  const size_t found = text_.find('\r', pos_);
  const size_t end = found == std::string::npos ? text_.size() : found;
  text.assign(text_, pos_, end - pos_);
  pos_ = end;
  if (AtEnd()) return;
  ++pos_;
  if (PeekChar() == '\n') ++pos_;
}

void TParser::ReadRestOfLine(std::string& text) {
  const size_t end = std::min(text_.find_first_of("\r\n", pos_), text_.size());
  text.assign(text_, pos_, end - pos_);
  pos_ = end;
}

bool TParser::FindUses(Token& token) {
  while (!token.IsEnd()) {
    if (token.Kind == TokenKind::Identifier) {
      if (EqualsNoCase(token.Text, "uses")) return true;
      if (EqualsNoCase(token.Text, "implementation")) section_ = UsesSection::Implementation;
    }
    NextToken(token);
  }
  return false;
}

// A uses entry: Name [in 'path' [form comment]] followed by "," (more entries) or ";" (the end).
// Separators are compared by their text alone, and `in` exactly in lower case, so "IN" ends the
// clause after the unit name.
bool TParser::ReadUsesEntry(UsesEntry& entry) {
  entry.FormName.clear();
  entry.Path.clear();
  entry.Kind = UsesFormKind::Plain;
  entry.Section = section_;
  Token token;
  NextToken(token);
  entry.UnitName = token.Text;
  const bool isName = token.Kind == TokenKind::Identifier;
  NextToken(token);
  if (isName) ReadDottedName(token, entry.UnitName);
  if (token.Text == ";") return true;
  if (token.Text == ",") return false;
  if (token.Text != "in") return true;
  NextToken(token);
  entry.Path = token.Text;
  // Raw read: a "(*" or "//" comment here is a plain symbol and ends the clause.
  ReadToken(token);
  if (token.Text == ";") return true;
  if (token.Text == ",") return false;
  if (token.Text != "{") {
    entry.Kind = UsesFormKind::Unrecognized;
    return true;
  }
  return ReadFormComment(entry);
}

// Joins "." Identifier pairs that follow the first name; `separator` holds the token after the
// first name on entry and the token after the whole name on return. A dot not followed by an
// identifier is dropped and the token after it becomes the separator.
void TParser::ReadDottedName(Token& separator, std::string& name) {
  while (IsSymbol(separator, '.')) {
    NextToken(separator);
    if (separator.Kind != TokenKind::Identifier) return;
    name += '.';
    name += separator.Text;
    NextToken(separator);
  }
}

// Called just after the "{" that follows a path. {Name} gives a Plain entry and {Name: Type} a
// Typed one; any other brace comment is an ordinary comment, and the entry has no form.
bool TParser::ReadFormComment(UsesEntry& entry) {
  const size_t afterBrace = pos_;
  Token token;
  bool typed = false;
  if (!MatchFormComment(token, entry.FormName, typed)) {
    entry.FormName.clear();
    pos_ = afterBrace;
    SkipPast("}");
    NextToken(token);
    return token.Text != ",";
  }
  ReadToken(token);
  if (!typed) return token.Text != ",";
  entry.Kind = UsesFormKind::Typed;
  // A second brace after a typed comment is passed over up to the next "," or ";".
  if (token.Text == "{") {
    do {
      ReadToken(token);
    } while (!token.IsEnd() && token.Text != "," && token.Text != ";");
  }
  return token.Text != ",";
}

// Reads Name "}" or Name ":" Type "}" (Type possibly dotted) with raw reads; false as soon as a
// token does not fit. None of the accepted tokens can hold a "}", so reading stops inside the
// comment.
bool TParser::MatchFormComment(Token& token, std::string& formName, bool& typed) {
  ReadToken(token);
  if (token.Kind != TokenKind::Identifier) return false;
  formName = token.Text;
  ReadToken(token);
  typed = !IsSymbol(token, '}');
  if (!typed) return true;
  if (!IsSymbol(token, ':')) return false;
  do {
    ReadToken(token);
    if (token.Kind != TokenKind::Identifier) return false;
    ReadToken(token);
  } while (IsSymbol(token, '.'));
  return IsSymbol(token, '}');
}

}  // namespace tarnwick
