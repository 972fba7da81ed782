#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tarnwick {

/// The kind of a token read by `TParser`. The numeric values are those of the scanner's table.
enum class TokenKind {
  Identifier = 0,  // a letter or "_", then letters, digits and "_" (keywords included)
  Number = 1,      // a run of decimal digits
  String = 2,      // the text between two single quotes, without them (NextToken only)
  Symbol = 3,      // one symbol character
  Quote = 4,       // a single quote (ReadToken only)
  Comment = 5,     // a whole comment with its delimiters (only when comments are not skipped)
  LineEnd = 6,     // CR or CR LF (only when CR is not whitespace)
  Other = 7,       // one byte of class Other; with empty text, the end of the input
};

/// The class of one byte, which decides the kind of the token it starts.
enum class CharClass { Letter, Digit, Symbol, Quote, Underscore, LineEnd, Other };

/// The class of a byte: letters A-Z a-z, digits, the ASCII punctuation listed as symbols, the
/// single quote, "_", CR; everything else (controls, blank, backquote, DEL, bytes above 127) is
/// Other.
CharClass CharClassOf(char c);

/// What followed the path of a uses entry: nothing or {Name} (Plain), {Name: Type} (Typed), or a
/// token other than ";", "," or "{" (Unrecognized).
enum class UsesFormKind { Plain = 0, Typed = 1, Unrecognized = 2 };

/// The part of a unit a uses clause stands in. A project file's clause counts as Interface.
enum class UsesSection { Interface = 0, Implementation = 1 };

/// One token: its text and kind. The end of the input is the empty token of kind Other; an empty
/// string literal ('') is a String token with empty text and is not the end.
struct Token {
  std::string Text;
  TokenKind Kind = TokenKind::Other;

  bool IsEnd() const { return Kind == TokenKind::Other && Text.empty(); }
};

/// One entry of a uses clause as `TParser::ReadUsesEntry` reads it. Path is the text of the string
/// after `in`, without its quotes; FormName comes from a form comment {Name} or {Name: Type}.
struct UsesEntry {
  std::string UnitName;
  std::string FormName;
  std::string Path;
  UsesFormKind Kind = UsesFormKind::Plain;
  UsesSection Section = UsesSection::Interface;
};

/// The tokenizer of Delphi source text, project files and form text.
///
/// The parser owns a copy of the text (callers read a file whole and move it in) and reads it with
/// an index, byte by byte in effect: "putting back" a byte steps the index back by one. A UTF-8
/// byte order mark at the start is dropped when the parser is made, so position 0 is the first
/// byte after it and rewinding never sees it again. No operation fails on malformed text: at the
/// end of the input every read gives the empty token of kind Other.
class TParser {
 public:
  explicit TParser(std::string text);

  /// When true (the default) a carriage return is whitespace; when false it starts a LineEnd token.
  bool CrIsWhitespace() const { return crIsWhitespace_; }
  void SetCrIsWhitespace(bool value) { crIsWhitespace_ = value; }
  /// When true (the default) `NextToken` passes over comments.
  bool SkipComments() const { return skipComments_; }
  void SetSkipComments(bool value) { skipComments_ = value; }

  /// The whitespace skipped just before the token read last (empty when there was none). The view
  /// points into the parser's text and stays valid while the parser lives.
  std::string_view Whitespace() const {
    return std::string_view(text_).substr(wsBegin_, wsEnd_ - wsBegin_);
  }
  /// The text after the byte order mark, if any.
  std::string_view Text() const { return text_; }

  size_t Position() const { return pos_; }
  /// Moves to a byte position; a position past the end is taken as the end. 0 rewinds, back to the
  /// interface section too.
  void SetPosition(size_t position);
  bool AtEnd() const { return pos_ >= text_.size(); }
  /// The next byte without consuming it; 0 at the end.
  char PeekChar() const { return AtEnd() ? '\0' : text_[pos_]; }

  /// Empties Whitespace, then consumes whitespace bytes (0 to 32; CR only when it is whitespace).
  void SkipWhitespace();
  /// The raw token reader: no comment or string handling; a single quote is a Quote token.
  void ReadToken(Token& token);
  /// The token reader with comments ({...}, (*...*), //...) and string literals.
  void NextToken(Token& token);
  /// The bytes up to the next CR (a lone LF is kept); consumes the CR and an LF right after it.
  void ReadLine(std::string& text);
  /// The bytes up to a CR or LF, which stays unread.
  void ReadRestOfLine(std::string& text);

  /// From `token` on, reads tokens with `NextToken` until one is the identifier "uses" (any letter
  /// case): true, with `token` holding it; false when the end of the input is reached. Passing
  /// the keyword "implementation" puts the following clauses in the implementation section.
  bool FindUses(Token& token);
  /// Reads one entry of a uses clause, called just after "uses" or after the "," ending the
  /// previous entry. Gives true when the clause has ended with this entry. Dotted unit names
  /// (Vcl.Forms) are read whole; blanks and comments around the dots are dropped. A brace comment
  /// after the path that is not {Name} or {Name: Type} is an ordinary comment: the entry has no
  /// form and the token after the comment decides ("," goes on, anything else ends the clause).
  bool ReadUsesEntry(UsesEntry& entry);
  /// Reads every uses clause from the current position to the end of the input and hands each
  /// entry to `each`, in order.
  template <typename Each>
  void ForEachUsesEntry(Each&& each) {
    Token token;
    NextToken(token);
    UsesEntry entry;
    while (FindUses(token)) {
      bool ended = false;
      while (!ended) {
        ended = ReadUsesEntry(entry);
        each(entry);
      }
      NextToken(token);
    }
  }

 private:
  bool IsWhitespace(char c) const;
  /// Makes the token the bytes from `start` to the current position.
  void TakeSince(Token& token, size_t start, TokenKind kind);
  /// Moves to just after the first occurrence of `closing` at or after the current position, or to
  /// the end when there is none.
  void SkipPast(std::string_view closing);
  void ReadDottedName(Token& separator, std::string& name);
  bool ReadFormComment(UsesEntry& entry);
  bool MatchFormComment(Token& token, std::string& formName, bool& typed);

  std::string text_;
  size_t pos_ = 0;
  size_t wsBegin_ = 0;
  size_t wsEnd_ = 0;
  bool crIsWhitespace_ = true;
  bool skipComments_ = true;
  UsesSection section_ = UsesSection::Interface;
};

}  // namespace tarnwick
