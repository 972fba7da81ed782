#include "analysis/pascal_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/case_file.h"

namespace tarnwick {
namespace {

using Words = std::vector<std::string>;

// The tokens up to the end token, as "Kind:text" words.
Words Tokens(TParser& parser, bool raw = false) {
  static const char* const kinds[] = {"Ident", "Num", "Str", "Sym", "Quote", "Comment", "LineEnd", "Other"};
  Words words;
  Token token;
  while (raw ? parser.ReadToken(token) : parser.NextToken(token), !token.IsEnd())
    words.push_back(kinds[static_cast<int>(token.Kind)] + (":" + token.Text));
  return words;
}

Words Tokens(std::string text, bool crIsWhitespace = true, bool skipComments = true) {
  TParser parser(std::move(text));
  parser.SetCrIsWhitespace(crIsWhitespace);
  parser.SetSkipComments(skipComments);
  return Tokens(parser);
}

TEST(TParserTokenTest, TokensOfEachKind) {
  for (const testing::TestCase& c : testing::ReadCaseFile("analysis/tokens.cases")) {
    SCOPED_TRACE(c.Name);
    const std::string options = c.Value("options");
    EXPECT_EQ(Tokens(c.Value("text"), options.find("line-ends") == std::string::npos,
                     options.find("keep-comments") == std::string::npos),
              c.Values("token"));
  }
}

// The whitespace before each token and the token's text give back the scanned text, for raw
// tokens and for tokens that keep comments, as the source listing reads them.
TEST(TParserTokenTest, WhitespaceAndTokensRebuildTheText) {
  const std::string text = "uses A in 'a.pas' {F}; (* c *)\r\n// d\n\xE9x 12 '' \r";
  for (bool raw : {true, false}) {
    TParser parser(text);
    parser.SetCrIsWhitespace(false);
    parser.SetSkipComments(false);
    std::string rebuilt;
    Token token;
    do {
      raw ? parser.ReadToken(token) : parser.NextToken(token);
      const bool quoted = token.Kind == TokenKind::String;
      rebuilt += std::string(parser.Whitespace()) + (quoted ? "'" + token.Text + "'" : token.Text);
    } while (!token.IsEnd());
    EXPECT_EQ(rebuilt, text) << (raw ? "raw" : "tokens");
  }
  TParser parser("'a'{b}");
  EXPECT_EQ(Tokens(parser, true), (Words{"Quote:'", "Ident:a", "Quote:'", "Sym:{", "Ident:b", "Sym:}"}));
}

// The entries of every uses clause of the text as "Unit section".
Words UsesEntries(TParser& parser) {
  Words entries;
  parser.ForEachUsesEntry([&](const UsesEntry& entry) {
    entries.push_back(entry.UnitName + (entry.Section == UsesSection::Implementation ? " impl" : " intf"));
  });
  return entries;
}

TEST(TParserFindUsesTest, EveryClauseOfATextAndTheSectionOfEachEntry) {
  for (const testing::TestCase& c : testing::ReadCaseFile("analysis/uses_sections.cases")) {
    SCOPED_TRACE(c.Name);
    TParser parser(c.Value("text"));
    EXPECT_EQ(UsesEntries(parser), c.Values("entry"));
    parser.SetPosition(0);  // a second reading starts in the interface again
    EXPECT_EQ(UsesEntries(parser), c.Values("entry"));
  }
}

// Reads entries as the project file parser does, from the start of `clause` (the text after
// "uses") until an entry ends the clause; each entry reads "Unit|Form|Path|Kind" followed by
// "|more" or "|end". `next` gets the token after the clause.
Words ReadClause(std::string clause, std::string& next) {
  static const char* const kinds[] = {"Plain", "Typed", "Unrecognized"};
  TParser parser(std::move(clause));
  Words entries;
  UsesEntry entry;
  for (bool ended = false; !ended && entries.size() < 100;) {
    ended = parser.ReadUsesEntry(entry);
    entries.push_back(entry.UnitName + "|" + entry.FormName + "|" + entry.Path + "|" +
                      kinds[static_cast<int>(entry.Kind)] + (ended ? "|end" : "|more"));
  }
  Token token;
  parser.NextToken(token);
  next = token.Text;
  return entries;
}

TEST(TParserUsesEntryTest, EntriesOfAClause) {
  for (const testing::TestCase& c : testing::ReadCaseFile("analysis/uses_entries.cases")) {
    SCOPED_TRACE(c.Name);
    std::string next;
    EXPECT_EQ(ReadClause(c.Value("clause"), next), c.Values("entry"));
    if (c.Has("next")) {
      EXPECT_EQ(next, c.Value("next"));
    }
  }
}

}  // namespace
}  // namespace tarnwick
