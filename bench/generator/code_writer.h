#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

class RandomSource;

/// Pascal source text under construction: lines with two blanks of indentation per level and
/// CR LF line ends.
class SourceText {
 public:
  void Line(int level, std::string_view text);
  void Blank() { Line(0, ""); }
  /// Appends another text's lines.
  void Append(const SourceText& other);
  /// A uses clause ("uses", the names separated by commas and wrapped before 78 columns, ";"),
  /// nothing when `names` is empty.
  void UsesClause(const std::vector<std::string>& names);

  int LineCount() const { return lines_; }
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
  int lines_ = 0;
};

/// A routine that a unit implements: its heading as the implementation writes it ("procedure
/// TForm1.SaveClick(Sender: TObject);") and as the declaration writes it ("procedure
/// SaveClick(Sender: TObject);").
struct Routine {
  std::string Heading;
  std::string Declaration;
};

/// Writes routine bodies that read like hand-written Delphi code: local variables, assignments,
/// calls with string literals holding doubled quotes and "#" character codes, if, case, for and
/// while statements, try blocks, compiler directives, and comments of all three kinds.
class CodeWriter {
 public:
  /// `fields` are names the code may refer to (components, fields of the class).
  CodeWriter(RandomSource& random, std::vector<std::string> fields) : random_(random), fields_(std::move(fields)) {}

  /// Writes the routine with a body of several statements, or of one when `brief`.
  void WriteRoutine(SourceText& out, const Routine& routine, bool isFunction, bool brief = false);

 private:
  void Statements(SourceText& out, int level, int count, int depth);
  void Statement(SourceText& out, int level, int depth);
  void Assignment(SourceText& out, int level);
  void Call(SourceText& out, int level);
  void IfStatement(SourceText& out, int level, int depth);
  void ForLoop(SourceText& out, int level, int depth);
  void WhileLoop(SourceText& out, int level, int depth);
  void CaseStatement(SourceText& out, int level, int depth);
  void TryBlock(SourceText& out, int level, int depth);
  void Comment(SourceText& out, int level);
  void Directive(SourceText& out, int level, int depth);

  std::string Field();
  std::string Expression();
  std::string StringLiteral();

  RandomSource& random_;
  std::vector<std::string> fields_;
};

}  // namespace tarnwick
