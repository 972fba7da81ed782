#include "analysis/pascal_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

TEST(CharClassTest, BoundariesOfEachClass) {
  // Each byte is checked against its neighbours' classes: L letter, D digit, S symbol, Q quote,
  // U underscore, C carriage return, O other.
  const std::string bytes = " !&'(/09:@AZ[^_`az{~\x7F\r\n\xE9";
  const std::string classes = "OSSQSSDDSSLLSSUOLLSSOCOO";
  ASSERT_EQ(bytes.size(), classes.size());
  for (size_t i = 0; i < bytes.size(); ++i)
    EXPECT_EQ(std::string("LDSQUCO")[static_cast<int>(CharClassOf(bytes[i]))], classes[i]) << "byte " << i;
}

TEST(TParserTokenTest, TokensOfEachKind) {
  const struct {
    const char* text;
    bool crIsWhitespace, skipComments;
    Words tokens;
  } cases[] = {
      {"Unit1,Unit2", true, true, {"Ident:Unit1", "Sym:,", "Ident:Unit2"}},
      {"1.5 12ab _x1", true, true, {"Num:1", "Sym:.", "Num:5", "Num:12", "Ident:ab", "Ident:_x1"}},
      {"caf\xE9s`", true, true, {"Ident:caf", "Other:\xE9", "Ident:s", "Other:`"}},
      {"", true, true, {}},
      {" \t\r\n\x01", true, true, {}},
      {"a\r\nb\nc\r\r\n", false, true, {"Ident:a", "LineEnd:\r\n", "Ident:b", "Ident:c", "LineEnd:\r", "LineEnd:\r\n"}},
      // Comments, when not skipped; an unclosed one takes the rest of the input.
      {"(* a) b *)x", true, false, {"Comment:(* a) b *)", "Ident:x"}},
      {"{ x }(a)", true, false, {"Comment:{ x }", "Sym:(", "Ident:a", "Sym:)"}},
      {"// x\r\ny", false, false, {"Comment:// x", "LineEnd:\r\n", "Ident:y"}},
      {"//x\ny", true, false, {"Comment://x", "Ident:y"}},
      {"(**)(*) x *)", true, false, {"Comment:(**)", "Comment:(*) x *)"}},
      {"/ /", true, false, {"Sym:/", "Sym:/"}},
      {"{ a\r\nb", true, false, {"Comment:{ a\r\nb"}},
      {"(* a *", true, false, {"Comment:(* a *"}},
      {"(", true, false, {"Sym:("}},
      // String literals: '' is no quote inside, and an unclosed one takes the rest of the input.
      {"'It''s'", true, true, {"Str:It", "Str:s"}},
      {"x := '';", true, true, {"Ident:x", "Sym::", "Sym:=", "Str:", "Sym:;"}},
      {"'a {b}\r\nc' d", true, true, {"Str:a {b}\r\nc", "Ident:d"}},
      {"'open to the end", true, true, {"Str:open to the end"}},
      {"x '", true, true, {"Ident:x", "Str:"}},
      // Only a whole byte order mark at the start is dropped.
      {"\xEF\xBBx", true, true, {"Other:\xEF", "Other:\xBB", "Ident:x"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Tokens(c.text, c.crIsWhitespace, c.skipComments), c.tokens) << c.text;
  EXPECT_EQ(Tokens("a :=\r\n  b;"), Tokens("a := b;"));
}

TEST(TParserTokenTest, WhitespaceBeforeTheLastToken) {
  TParser parser("a\r\n\t b");
  Token token;
  parser.NextToken(token);
  EXPECT_EQ(parser.Whitespace(), "");
  parser.NextToken(token);
  EXPECT_EQ(parser.Whitespace(), "\r\n\t ");
  // Skipped comments leave only the whitespace after the last of them.
  TParser comments("a {c} (* d *) // e\r\n b");
  comments.NextToken(token);
  comments.NextToken(token);
  EXPECT_EQ(token.Text, "b");
  EXPECT_EQ(comments.Whitespace(), "\r\n ");
}

TEST(TParserTokenTest, RawTokensRebuildTheText) {
  const std::string text = "uses A in 'a.pas' {F}; (* c *)\r\n// d\n\xE9x 12 '' \r";
  for (bool cr : {true, false}) {
    TParser parser(text);
    parser.SetCrIsWhitespace(cr);
    std::string rebuilt;
    Token token;
    do {
      parser.ReadToken(token);
      rebuilt += std::string(parser.Whitespace()) + token.Text;
    } while (!token.IsEnd());
    EXPECT_EQ(rebuilt, text);
  }
  TParser parser("'a'{b}");
  EXPECT_EQ(Tokens(parser, true), (Words{"Quote:'", "Ident:a", "Quote:'", "Sym:{", "Ident:b", "Sym:}"}));
}

TEST(TParserLineTest, ReadLineEndsAtCarriageReturnOnlyAndRestOfLineLeavesTheLineEnd) {
  TParser parser("ab\ncd\r\nef\rgh");
  std::string line;
  for (const char* expected : {"ab\ncd", "ef", "gh", ""}) {
    parser.ReadLine(line);
    EXPECT_EQ(line, expected);
  }
  EXPECT_TRUE(parser.AtEnd());
  TParser rest("ab\ncd\r\n");
  rest.ReadRestOfLine(line);
  EXPECT_EQ(line, "ab");
  EXPECT_EQ(rest.PeekChar(), '\n');
  rest.SetPosition(3);
  rest.ReadRestOfLine(line);
  EXPECT_EQ(line, "cd");
  EXPECT_EQ(rest.PeekChar(), '\r');
}

TEST(TParserPositionTest, PeekAtEndRewindAndByteOrderMark) {
  TParser parser("ab cd");
  EXPECT_EQ(parser.PeekChar(), 'a');
  const Words all = Tokens(parser);
  EXPECT_TRUE(parser.AtEnd());
  EXPECT_EQ(parser.PeekChar(), '\0');
  EXPECT_EQ(parser.Position(), 5u);
  parser.SetPosition(0);
  EXPECT_EQ(Tokens(parser), all);
  parser.SetPosition(3);
  EXPECT_EQ(Tokens(parser), Words{"Ident:cd"});
  parser.SetPosition(99);
  EXPECT_TRUE(parser.AtEnd());
  EXPECT_EQ(Tokens(parser), Words{});

  TParser marked("\xEF\xBB\xBFprogram P;");
  EXPECT_EQ(marked.Text(), "program P;");
  EXPECT_EQ(Tokens(marked).front(), "Ident:program");
  marked.SetPosition(0);
  EXPECT_EQ(marked.PeekChar(), 'p');
}

TEST(TParserFindUsesTest, StopsAtUsesOrAtTheEnd) {
  TParser parser("program P; {uses} // uses\r\n 'uses' x := ''; USES Forms;");
  Token token;
  parser.NextToken(token);
  ASSERT_TRUE(parser.FindUses(token));
  EXPECT_EQ(token.Text, "USES");
  parser.NextToken(token);
  EXPECT_EQ(token.Text, "Forms");
  EXPECT_FALSE(parser.FindUses(token));
  EXPECT_TRUE(token.IsEnd());

  TParser noUses("usesX := '' + ''; y");
  noUses.NextToken(token);
  EXPECT_FALSE(noUses.FindUses(token));
}

TEST(TParserFindUsesTest, EntriesAfterTheImplementationKeywordBelongToThatSection) {
  TParser parser("unit U; interface uses A; {implementation} const S = 'implementation';\r\n"
                 "IMPLEMENTATION uses B, C; end.");
  Token token;
  UsesEntry entry;
  std::string sections;
  for (int pass = 0; pass < 2; ++pass) {
    parser.NextToken(token);
    while (parser.FindUses(token)) {
      for (bool ended = false; !ended;) {
        ended = parser.ReadUsesEntry(entry);
        sections += entry.UnitName + (entry.Section == UsesSection::Implementation ? ":impl " : ":intf ");
      }
      parser.NextToken(token);
    }
    parser.SetPosition(0);  // a second reading starts in the interface again
  }
  EXPECT_EQ(sections, "A:intf B:impl C:impl A:intf B:impl C:impl ");
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
  const struct {
    const char* clause;
    Words entries;
    const char* next = nullptr;  // the token after the clause, when it matters
  } cases[] = {
      // As written in project files.
      {"Unit1 in 'Unit1.pas' {Form1},", {"Unit1|Form1|Unit1.pas|Plain|more", "|||Plain|end"}},
      {"Forms;", {"Forms|||Plain|end"}},
      {"DM in 'DM.pas' {DM1: TDataModule};", {"DM|DM1|DM.pas|Typed|end"}},
      {"Forms, Unit1 in 'Unit1.pas' {Form1}, Unit2 in '..\\Common\\Unit2.pas' {DataModule2: TDataModule}, "
       "Unit3 in 'Unit3.pas'; {$R *.RES} begin",
       {"Forms|||Plain|more", "Unit1|Form1|Unit1.pas|Plain|more", "Unit2|DataModule2|..\\Common\\Unit2.pas|Typed|more",
        "Unit3||Unit3.pas|Plain|end"}},
      {"F in 'f.pas' { Frame3 :\r\n TFrame }, G;", {"F|Frame3|f.pas|Typed|more", "G|||Plain|end"}},
      // Quirks kept from the scanner.
      {"U IN 'u.pas', V;", {"U|||Plain|end"}, "u.pas"},
      {"U in 'u.pas' (* c *), V;", {"U||u.pas|Unrecognized|end"}},
      {"U in 'u.pas' // c\r\n, V;", {"U||u.pas|Unrecognized|end"}},
      {"U in 'u.pas' {Form1} {x}, V;", {"U|Form1|u.pas|Plain|end"}},
      {"U in 'it''s.pas', V;", {"U||it|Unrecognized|end"}},
      // A second brace comment after a typed form comment is passed over.
      {"D in 'd.pas' {D: TDataModule} {x y}, E;", {"D|D|d.pas|Typed|more", "E|||Plain|end"}},
      {"D in 'd.pas' {D: TDataModule} {x; y}, E;", {"D|D|d.pas|Typed|end"}},
      {"D in 'd.pas' {D: TDataModule} {x", {"D|D|d.pas|Typed|end"}},
      {"D in 'd.pas' {D: TDataModule} x, E;", {"D|D|d.pas|Typed|end"}},
      // Dotted unit names are read whole.
      {"Vcl.Forms, System . SysUtils, Data.{c}DB;",
       {"Vcl.Forms|||Plain|more", "System.SysUtils|||Plain|more", "Data.DB|||Plain|end"}},
      {"dbstructures.mysql in '..\\x.pas' {F}, Y;", {"dbstructures.mysql|F|..\\x.pas|Plain|more", "Y|||Plain|end"}},
      {"A.B.C in 'c.pas';", {"A.B.C||c.pas|Plain|end"}},
      {"Vcl.;", {"Vcl|||Plain|end"}},
      {"Vcl., X;", {"Vcl|||Plain|more", "X|||Plain|end"}},
      // Other brace comments are ordinary comments.
      {"A in 'a.pas' {About box}, B;", {"A||a.pas|Plain|more", "B|||Plain|end"}},
      {"A in 'a.pas' {, X in 'x.pas'}; begin", {"A||a.pas|Plain|end"}, "begin"},
      {"A in 'a.pas' {F: 12} {G}, B;", {"A||a.pas|Plain|more", "B|||Plain|end"}},
      {"A in 'a.pas' {Form1 extra} B, C;", {"A||a.pas|Plain|end"}},
      {"A in 'a.pas' {Form1", {"A||a.pas|Plain|end"}},
      // Every clause ends at the end of the input; '' does not end it early.
      {"", {"|||Plain|end"}},
      {"U in", {"U|||Unrecognized|end"}},
      {"U in 'u.pas' {", {"U||u.pas|Plain|end"}},
      {"'', X,", {"|||Plain|more", "X|||Plain|more", "|||Plain|end"}},
  };
  for (const auto& c : cases) {
    std::string next;
    EXPECT_EQ(ReadClause(c.clause, next), c.entries) << c.clause;
    if (c.next) {
      EXPECT_EQ(next, c.next) << c.clause;
    }
  }
}

TEST(TParserUsesEntryTest, ProjectFileReadTwice) {
  TParser parser("\xEF\xBB\xBFprogram P;\r\nuses\r\n  Forms,\r\n  Unit1 in 'Unit1.pas' {Form1};\r\n"
                 "begin uses := ''; end.\r\nuses X;");
  Token token;
  parser.NextToken(token);
  Words names;
  UsesEntry entry;
  while (parser.FindUses(token)) {
    for (bool ended = false; !ended;) {
      ended = parser.ReadUsesEntry(entry);
      names.push_back(entry.UnitName);
    }
    parser.NextToken(token);
  }
  EXPECT_EQ(names, (Words{"Forms", "Unit1", ":", "X"}));
  parser.SetPosition(0);
  parser.NextToken(token);
  EXPECT_EQ(token.Text, "program");
}

}  // namespace
}  // namespace tarnwick
