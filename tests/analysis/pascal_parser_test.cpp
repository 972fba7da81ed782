#include "analysis/pascal_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarnwick {
namespace {

const char* KindName(TokenKind kind) {
  static const char* const names[] = {"Ident", "Num",     "Str",     "Sym",
                                      "Quote", "Comment", "LineEnd", "Other"};
  return names[static_cast<int>(kind)];
}

// All tokens up to the end, as "Kind:text" words; the end token shows as "<end>".
std::vector<std::string> Tokens(TParser& parser, bool raw = false) {
  std::vector<std::string> words;
  Token token;
  do {
    raw ? parser.ReadToken(token) : parser.NextToken(token);
    words.push_back(token.IsEnd() ? "<end>" : KindName(token.Kind) + (":" + token.Text));
  } while (!token.IsEnd());
  return words;
}

std::vector<std::string> Tokens(std::string text, bool crIsWhitespace = true,
                                bool skipComments = true) {
  TParser parser(std::move(text));
  parser.SetCrIsWhitespace(crIsWhitespace);
  parser.SetSkipComments(skipComments);
  return Tokens(parser);
}

using Words = std::vector<std::string>;

TEST(CharClassTest, BoundariesOfEachClass) {
  // Each byte is checked against its neighbours' classes: L letter, D digit, S symbol, Q quote,
  // U underscore, C carriage return, O other.
  const std::string bytes = " !&'(/09:@AZ[^_`az{~\x7F\r\n\xE9";
  const std::string classes = "OSSQSSDDSSLLSSUOLLSSOCOO";
  const std::string letters = "LDSQUCO";
  ASSERT_EQ(bytes.size(), classes.size());
  for (size_t i = 0; i < bytes.size(); ++i)
    EXPECT_EQ(letters[static_cast<int>(CharClassOf(bytes[i]))], classes[i]) << "byte " << i;
}

TEST(TParserTokenTest, BasicTokensAndTheEndToken) {
  EXPECT_EQ(Tokens("Unit1,Unit2"), (Words{"Ident:Unit1", "Sym:,", "Ident:Unit2", "<end>"}));
  EXPECT_EQ(Tokens("1.5 12ab _x1"),
            (Words{"Num:1", "Sym:.", "Num:5", "Num:12", "Ident:ab", "Ident:_x1", "<end>"}));
  EXPECT_EQ(Tokens("caf\xE9s`"),
            (Words{"Ident:caf", "Other:\xE9", "Ident:s", "Other:`", "<end>"}));
  EXPECT_EQ(Tokens(""), (Words{"<end>"}));
  EXPECT_EQ(Tokens(" \t\r\n\x01"), (Words{"<end>"}));
}

TEST(TParserTokenTest, LinesAreWhitespaceByDefault) {
  EXPECT_EQ(Tokens("a :=\r\n  b;"), Tokens("a := b;"));
  TParser parser("a\r\n\t b");
  Token token;
  parser.NextToken(token);
  EXPECT_EQ(parser.Whitespace(), "");
  parser.NextToken(token);
  EXPECT_EQ(token.Text, "b");
  EXPECT_EQ(parser.Whitespace(), "\r\n\t ");
}

TEST(TParserTokenTest, CarriageReturnStartsLineEndWhenNotWhitespace) {
  TParser parser("a\r\nb\nc\r\r\n");
  parser.SetCrIsWhitespace(false);
  Token token;
  parser.NextToken(token);
  parser.NextToken(token);
  EXPECT_EQ(token.Kind, TokenKind::LineEnd);
  EXPECT_EQ(token.Text, "\r\n");
  EXPECT_EQ(parser.Whitespace(), "");
  parser.NextToken(token);
  EXPECT_EQ(token.Text, "b");
  EXPECT_EQ(Tokens(parser), (Words{"Ident:c", "LineEnd:\r", "LineEnd:\r\n", "<end>"}));
}

TEST(TParserTokenTest, CommentsAreTokensWhenNotSkipped) {
  EXPECT_EQ(Tokens("(* a) b *)x", true, false), (Words{"Comment:(* a) b *)", "Ident:x", "<end>"}));
  EXPECT_EQ(Tokens("{ x }(a)", true, false),
            (Words{"Comment:{ x }", "Sym:(", "Ident:a", "Sym:)", "<end>"}));
  EXPECT_EQ(Tokens("// x\r\ny", false, false),
            (Words{"Comment:// x", "LineEnd:\r\n", "Ident:y", "<end>"}));
  EXPECT_EQ(Tokens("//x\ny", true, false), (Words{"Comment://x", "Ident:y", "<end>"}));
  EXPECT_EQ(Tokens("(**)(*) x *)", true, false),
            (Words{"Comment:(**)", "Comment:(*) x *)", "<end>"}));
  EXPECT_EQ(Tokens("/ /", true, false), (Words{"Sym:/", "Sym:/", "<end>"}));
}

TEST(TParserTokenTest, UnclosedCommentsTakeTheRestOfTheInput) {
  EXPECT_EQ(Tokens("{ a\r\nb", true, false), (Words{"Comment:{ a\r\nb", "<end>"}));
  EXPECT_EQ(Tokens("(* a *", true, false), (Words{"Comment:(* a *", "<end>"}));
  EXPECT_EQ(Tokens("(", true, false), (Words{"Sym:(", "<end>"}));
}

TEST(TParserTokenTest, SkippedCommentsLeaveOnlyTheLastWhitespace) {
  TParser parser("a {c} (* d *) // e\r\n b");
  Token token;
  parser.NextToken(token);
  parser.NextToken(token);
  EXPECT_EQ(token.Text, "b");
  EXPECT_EQ(parser.Whitespace(), "\r\n ");
}

TEST(TParserTokenTest, StringLiterals) {
  EXPECT_EQ(Tokens("'It''s'"), (Words{"Str:It", "Str:s", "<end>"}));
  EXPECT_EQ(Tokens("x := '';"), (Words{"Ident:x", "Sym::", "Sym:=", "Str:", "Sym:;", "<end>"}));
  EXPECT_EQ(Tokens("'a {b}\r\nc' d"), (Words{"Str:a {b}\r\nc", "Ident:d", "<end>"}));
  EXPECT_EQ(Tokens("'open to the end"), (Words{"Str:open to the end", "<end>"}));
  EXPECT_EQ(Tokens("x '"), (Words{"Ident:x", "Str:", "<end>"}));
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
  EXPECT_EQ(Tokens(parser, true),
            (Words{"Quote:'", "Ident:a", "Quote:'", "Sym:{", "Ident:b", "Sym:}", "<end>"}));
}

TEST(TParserLineTest, ReadLineEndsAtCarriageReturnOnly) {
  TParser parser("ab\ncd\r\nef\rgh");
  std::string line;
  parser.ReadLine(line);
  EXPECT_EQ(line, "ab\ncd");
  parser.ReadLine(line);
  EXPECT_EQ(line, "ef");
  parser.ReadLine(line);
  EXPECT_EQ(line, "gh");
  EXPECT_TRUE(parser.AtEnd());
  parser.ReadLine(line);
  EXPECT_EQ(line, "");
}

TEST(TParserLineTest, ReadRestOfLineLeavesTheLineEnd) {
  TParser parser("ab\ncd\r\n");
  std::string line;
  parser.ReadRestOfLine(line);
  EXPECT_EQ(line, "ab");
  EXPECT_EQ(parser.PeekChar(), '\n');
  parser.SetPosition(3);
  parser.ReadRestOfLine(line);
  EXPECT_EQ(line, "cd");
  EXPECT_EQ(parser.PeekChar(), '\r');
}

TEST(TParserPositionTest, PeekAtEndAndRewind) {
  TParser parser("ab cd");
  EXPECT_EQ(parser.PeekChar(), 'a');
  const Words all = Tokens(parser);
  EXPECT_TRUE(parser.AtEnd());
  EXPECT_EQ(parser.PeekChar(), '\0');
  EXPECT_EQ(parser.Position(), 5u);
  parser.SetPosition(0);
  EXPECT_EQ(Tokens(parser), all);
  parser.SetPosition(3);
  EXPECT_EQ(Tokens(parser), (Words{"Ident:cd", "<end>"}));
  parser.SetPosition(99);
  EXPECT_TRUE(parser.AtEnd());
  EXPECT_EQ(Tokens(parser), (Words{"<end>"}));
}

TEST(TParserPositionTest, ByteOrderMarkIsDroppedOnce) {
  TParser parser("\xEF\xBB\xBFprogram P;");
  EXPECT_EQ(parser.Text(), "program P;");
  EXPECT_EQ(Tokens(parser).front(), "Ident:program");
  parser.SetPosition(0);
  EXPECT_EQ(parser.PeekChar(), 'p');
  EXPECT_EQ(Tokens("\xEF\xBBx"), (Words{"Other:\xEF", "Other:\xBB", "Ident:x", "<end>"}));
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

// Reads entries as the project file parser does, from the start of `clause` (the text after
// "uses") until an entry ends the clause; each entry reads "Unit|Form|Path|Kind" followed by
// "|more" or "|end". `next` gets the token after the clause.
Words ReadClause(std::string clause, std::string* next = nullptr) {
  static const char* const kinds[] = {"Plain", "Typed", "Unrecognized"};
  TParser parser(std::move(clause));
  Words entries;
  UsesEntry entry;
  bool ended = false;
  while (!ended && entries.size() < 100) {
    ended = parser.ReadUsesEntry(entry);
    entries.push_back(entry.UnitName + "|" + entry.FormName + "|" + entry.Path + "|" +
                      kinds[static_cast<int>(entry.Kind)] + (ended ? "|end" : "|more"));
  }
  Token token;
  parser.NextToken(token);
  if (next) *next = token.Text;
  return entries;
}

TEST(TParserUsesEntryTest, EntriesAsWritten) {
  EXPECT_EQ(ReadClause("Unit1 in 'Unit1.pas' {Form1},"),
            (Words{"Unit1|Form1|Unit1.pas|Plain|more", "|||Plain|end"}));
  EXPECT_EQ(ReadClause("Forms;"), (Words{"Forms|||Plain|end"}));
  EXPECT_EQ(ReadClause("DM in 'DM.pas' {DM1: TDataModule};"),
            (Words{"DM|DM1|DM.pas|Typed|end"}));
  EXPECT_EQ(ReadClause("Forms, Unit1 in 'Unit1.pas' {Form1}, Unit2 in '..\\Common\\Unit2.pas' "
                       "{DataModule2: TDataModule}, Unit3 in 'Unit3.pas'; {$R *.RES} begin"),
            (Words{"Forms|||Plain|more", "Unit1|Form1|Unit1.pas|Plain|more",
                   "Unit2|DataModule2|..\\Common\\Unit2.pas|Typed|more",
                   "Unit3||Unit3.pas|Plain|end"}));
  EXPECT_EQ(ReadClause("F in 'f.pas' { Frame3 :\r\n TFrame }, G;"),
            (Words{"F|Frame3|f.pas|Typed|more", "G|||Plain|end"}));
}

TEST(TParserUsesEntryTest, QuirksKeptFromTheScanner) {
  std::string next;
  EXPECT_EQ(ReadClause("U IN 'u.pas', V;", &next), (Words{"U|||Plain|end"}));
  EXPECT_EQ(next, "u.pas");
  EXPECT_EQ(ReadClause("U in 'u.pas' (* c *), V;"), (Words{"U||u.pas|Unrecognized|end"}));
  EXPECT_EQ(ReadClause("U in 'u.pas' // c\r\n, V;"), (Words{"U||u.pas|Unrecognized|end"}));
  EXPECT_EQ(ReadClause("U in 'u.pas' {Form1} {x}, V;"), (Words{"U|Form1|u.pas|Plain|end"}));
  EXPECT_EQ(ReadClause("U in 'it''s.pas', V;"), (Words{"U||it|Unrecognized|end"}));
}

TEST(TParserUsesEntryTest, SecondBraceAfterTypedCommentIsPassedOver) {
  EXPECT_EQ(ReadClause("D in 'd.pas' {D: TDataModule} {x y}, E;"),
            (Words{"D|D|d.pas|Typed|more", "E|||Plain|end"}));
  EXPECT_EQ(ReadClause("D in 'd.pas' {D: TDataModule} {x; y}, E;"), (Words{"D|D|d.pas|Typed|end"}));
  EXPECT_EQ(ReadClause("D in 'd.pas' {D: TDataModule} {x"), (Words{"D|D|d.pas|Typed|end"}));
  EXPECT_EQ(ReadClause("D in 'd.pas' {D: TDataModule} x, E;"), (Words{"D|D|d.pas|Typed|end"}));
}

TEST(TParserUsesEntryTest, DottedUnitNamesAreReadWhole) {
  EXPECT_EQ(ReadClause("Vcl.Forms, System . SysUtils, Data.{c}DB;"),
            (Words{"Vcl.Forms|||Plain|more", "System.SysUtils|||Plain|more",
                   "Data.DB|||Plain|end"}));
  EXPECT_EQ(ReadClause("dbstructures.mysql in '..\\x.pas' {F}, Y;"),
            (Words{"dbstructures.mysql|F|..\\x.pas|Plain|more", "Y|||Plain|end"}));
  EXPECT_EQ(ReadClause("A.B.C in 'c.pas';"), (Words{"A.B.C||c.pas|Plain|end"}));
  EXPECT_EQ(ReadClause("Vcl.;"), (Words{"Vcl|||Plain|end"}));
  EXPECT_EQ(ReadClause("Vcl., X;"), (Words{"Vcl|||Plain|more", "X|||Plain|end"}));
}

TEST(TParserUsesEntryTest, OtherBraceCommentsAreOrdinaryComments) {
  EXPECT_EQ(ReadClause("A in 'a.pas' {About box}, B;"),
            (Words{"A||a.pas|Plain|more", "B|||Plain|end"}));
  std::string next;
  EXPECT_EQ(ReadClause("A in 'a.pas' {, X in 'x.pas'}; begin", &next),
            (Words{"A||a.pas|Plain|end"}));
  EXPECT_EQ(next, "begin");
  EXPECT_EQ(ReadClause("A in 'a.pas' {F: 12} {G}, B;"),
            (Words{"A||a.pas|Plain|more", "B|||Plain|end"}));
  EXPECT_EQ(ReadClause("A in 'a.pas' {Form1 extra} B, C;"), (Words{"A||a.pas|Plain|end"}));
  EXPECT_EQ(ReadClause("A in 'a.pas' {Form1"), (Words{"A||a.pas|Plain|end"}));
}

TEST(TParserUsesEntryTest, EveryClauseEndsAtTheEndOfTheInput) {
  EXPECT_EQ(ReadClause(""), (Words{"|||Plain|end"}));
  EXPECT_EQ(ReadClause("U in"), (Words{"U|||Unrecognized|end"}));
  EXPECT_EQ(ReadClause("U in 'u.pas' {"), (Words{"U||u.pas|Plain|end"}));
  EXPECT_EQ(ReadClause("'', X,"), (Words{"|||Plain|more", "X|||Plain|more", "|||Plain|end"}));
}

TEST(TParserUsesEntryTest, ProjectFileReadTwice) {
  TParser parser("\xEF\xBB\xBFprogram P;\r\nuses\r\n  Forms,\r\n  Unit1 in 'Unit1.pas' {Form1};\r\n"
                 "begin uses := ''; end.\r\nuses X;");
  Token token;
  parser.NextToken(token);
  Words names;
  UsesEntry entry;
  while (parser.FindUses(token)) {
    while (true) {
      const bool ended = parser.ReadUsesEntry(entry);
      names.push_back(entry.UnitName);
      if (ended) break;
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
