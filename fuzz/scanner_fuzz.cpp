// Drives the source scanner over arbitrary bytes the way its callers do (token loops with both
// settings, uses clauses, form text lines) and then with a byte-chosen mix of operations. Besides
// memory errors it catches reads that make no progress before the end, which would hang a caller.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "analysis/pascal_parser.h"

namespace {

using tarnwick::TParser;
using tarnwick::Token;
using tarnwick::UsesEntry;

void Require(bool condition) {
  if (!condition) std::abort();
}

void ScanTokens(const std::string& text, bool crIsWhitespace, bool skipComments) {
  TParser parser(text);
  parser.SetCrIsWhitespace(crIsWhitespace);
  parser.SetSkipComments(skipComments);
  Token token;
  do {
    const size_t before = parser.Position();
    parser.NextToken(token);
    Require(token.IsEnd() || parser.Position() > before);
  } while (!token.IsEnd());
  Require(parser.AtEnd());
}

// Whitespace and raw tokens together give back the text byte for byte.
void RebuildFromRawTokens(const std::string& text, bool crIsWhitespace) {
  TParser parser(text);
  parser.SetCrIsWhitespace(crIsWhitespace);
  std::string rebuilt;
  Token token;
  do {
    parser.ReadToken(token);
    rebuilt.append(parser.Whitespace());
    rebuilt.append(token.Text);
  } while (!token.IsEnd());
  Require(rebuilt == parser.Text());
}

void ReadUsesClauses(const std::string& text) {
  TParser parser(text);
  Token token;
  UsesEntry entry;
  parser.NextToken(token);
  while (parser.FindUses(token)) {
    while (!parser.ReadUsesEntry(entry)) {
    }
    parser.NextToken(token);
  }
}

void ReadFormLines(const std::string& text) {
  TParser parser(text);
  Token token;
  std::string line;
  for (parser.ReadToken(token); !token.IsEnd(); parser.ReadToken(token)) parser.ReadLine(line);
}

// Each input byte chooses the next operation; the number of operations is bounded by the input.
void MixedOperations(const std::string& text) {
  TParser parser(text);
  Token token;
  UsesEntry entry;
  std::string line;
  for (unsigned char op : text) {
    switch (op % 11) {
      case 0: parser.ReadToken(token); break;
      case 1: parser.NextToken(token); break;
      case 2: parser.ReadLine(line); break;
      case 3: parser.ReadRestOfLine(line); break;
      case 4: parser.SkipWhitespace(); break;
      case 5: parser.FindUses(token); break;
      case 6: parser.ReadUsesEntry(entry); break;
      case 7: parser.SetPosition(parser.Position() > op ? parser.Position() - op : op); break;
      case 8: parser.SetCrIsWhitespace(!parser.CrIsWhitespace()); break;
      case 9: parser.SetSkipComments(!parser.SkipComments()); break;
      default: Require(parser.PeekChar() == '\0' || !parser.AtEnd()); break;
    }
    Require(parser.Whitespace().size() <= parser.Text().size());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  for (bool crIsWhitespace : {true, false}) {
    for (bool skipComments : {true, false}) ScanTokens(text, crIsWhitespace, skipComments);
    RebuildFromRawTokens(text, crIsWhitespace);
  }
  ReadUsesClauses(text);
  ReadFormLines(text);
  MixedOperations(text);
  return 0;
}
