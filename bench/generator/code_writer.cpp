#include "code_writer.h"

#include "random_source.h"
#include "vocabulary.h"

namespace tarnwick {

namespace {

constexpr std::string_view kLocals[] = {"I", "Count", "Total", "S", "Item", "Found", "Index"};
constexpr std::string_view kLocalTypes[] = {"Integer", "Integer", "Currency", "string", "TObject", "Boolean", "Integer"};
constexpr std::string_view kCalls[] = {"Refresh", "Invalidate", "Clear", "Post", "Open", "Close", "Show", "BeginUpdate"};

}  // namespace

void SourceText::Line(int level, std::string_view text) {
  text_.append(static_cast<size_t>(level) * 2, ' ');
  text_ += text;
  text_ += "\r\n";
  ++lines_;
}

void SourceText::Append(const SourceText& other) {
  text_ += other.text_;
  lines_ += other.lines_;
}

void SourceText::UsesClause(const std::vector<std::string>& names) {
  if (names.empty()) return;
  Line(0, "uses");
  std::string line = " ";
  for (size_t i = 0; i < names.size(); ++i) {
    if (line.size() + names[i].size() + 2 > 78) {
      Line(0, line);
      line.erase(1);  // keep the leading blank
    }
    line.push_back(' ');
    line.append(names[i]);
    line.push_back(i + 1 < names.size() ? ',' : ';');
  }
  Line(0, line);
}

void CodeWriter::WriteRoutine(SourceText& out, const Routine& routine, bool isFunction, bool brief) {
  out.Line(0, routine.Heading);
  const int locals = brief ? 0 : random_.Between(0, 4);
  if (locals > 0) {
    out.Line(0, "var");
    for (int i = 0; i < locals; ++i) {
      out.Line(1, std::string(kLocals[i]) + ": " + std::string(kLocalTypes[i]) + ";");
    }
  }
  out.Line(0, random_.Chance(5) ? "Begin" : "begin");
  if (brief) {
    Call(out, 1);
  } else {
    if (random_.Chance(30)) Comment(out, 1);
    Statements(out, 1, random_.Between(2, 6), 0);
  }
  if (isFunction) out.Line(1, "Result := " + Expression() + ";");
  out.Line(0, "end;");
  out.Blank();
}

void CodeWriter::Statements(SourceText& out, int level, int count, int depth) {
  for (int i = 0; i < count; ++i) Statement(out, level, depth);
}

void CodeWriter::Statement(SourceText& out, int level, int depth) {
  const int roll = random_.Between(0, depth >= 2 ? 3 : 11);
  switch (roll) {
    case 0:
    case 1: Assignment(out, level); break;
    case 2: Call(out, level); break;
    case 3: Comment(out, level); break;
    case 4:
    case 5: IfStatement(out, level, depth); break;
    case 6: ForLoop(out, level, depth); break;
    case 7: WhileLoop(out, level, depth); break;
    case 8: CaseStatement(out, level, depth); break;
    case 9:
    case 10: TryBlock(out, level, depth); break;
    default: Directive(out, level, depth); break;
  }
}

std::string CodeWriter::Field() {
  if (fields_.empty() || random_.Chance(40)) return std::string(random_.Pick(kLocals));
  return random_.Pick(fields_);
}

std::string CodeWriter::Expression() {
  switch (random_.Between(0, 6)) {
    case 0: return Field() + ".Tag + " + std::to_string(random_.Between(1, 99));
    case 1: return "Count * " + std::to_string(random_.Between(2, 9)) + " div 2";
    case 2: return std::string(random_.Chance(50) ? "$FF" : "$7FFF") + " and Index";
    case 3: return "Round(Total * 1.5E" + std::to_string(random_.Between(0, 3)) + ")";
    case 4: return StringLiteral();
    case 5: return "Length(S) > " + std::to_string(random_.Between(0, 80));
    default: return "Assigned(" + Field() + ")";
  }
}

// String literals as they appear in real code: doubled quotes, "#" codes, format strings.
std::string CodeWriter::StringLiteral() {
  const std::string noun(random_.Pick(vocabulary::Nouns()));
  switch (random_.Between(0, 4)) {
    case 0: return "'The " + noun + " can''t be saved: ''' + S + ''''";
    case 1: return "'" + noun + ":'#9 + IntToStr(Count) + #13#10";
    case 2: return "Format('%s of %d " + noun + "s (%.2f%%)', [S, Count, Total])";
    case 3: return "''";
    default: return std::string("'").append(random_.Pick(vocabulary::Remarks())).append(".'");
  }
}

void CodeWriter::Assignment(SourceText& out, int level) {
  switch (random_.Between(0, 3)) {
    case 0: out.Line(level, "Total := Total + " + Field() + ".Tag * 0.25;"); break;
    case 1: out.Line(level, "S := " + StringLiteral() + ";"); break;
    case 2: out.Line(level, Field() + ".Enabled := " + Expression() + ";"); break;
    default: out.Line(level, "Count := " + Expression() + ";  // " + std::string(random_.Pick(vocabulary::Remarks()))); break;
  }
}

void CodeWriter::Call(SourceText& out, int level) {
  switch (random_.Between(0, 2)) {
    case 0: out.Line(level, Field() + "." + std::string(random_.Pick(kCalls)) + ";"); break;
    case 1: out.Line(level, "ShowMessage(" + StringLiteral() + ");"); break;
    default:
      out.Line(level, std::string(random_.Pick(vocabulary::Verbs())) + std::string(random_.Pick(vocabulary::Nouns())) +
                          "(" + Field() + ", " + std::to_string(random_.Between(0, 9)) + ");");
      break;
  }
}

void CodeWriter::IfStatement(SourceText& out, int level, int depth) {
  out.Line(level, "if " + Expression() + " then");
  if (random_.Chance(40)) {
    Assignment(out, level + 1);
    return;
  }
  out.Line(level, "begin");
  Statements(out, level + 1, random_.Between(1, 3), depth + 1);
  if (random_.Chance(40)) {
    out.Line(level, "end");
    out.Line(level, "else");
    out.Line(level, "begin");
    Statements(out, level + 1, random_.Between(1, 2), depth + 1);
  }
  out.Line(level, "end;");
}

void CodeWriter::ForLoop(SourceText& out, int level, int depth) {
  out.Line(level, "for I := 0 to " + Field() + ".ComponentCount - 1 do");
  out.Line(level, "begin");
  Statements(out, level + 1, random_.Between(1, 3), depth + 1);
  out.Line(level, "end;");
}

void CodeWriter::WhileLoop(SourceText& out, int level, int depth) {
  out.Line(level, "while not " + Field() + ".Eof do");
  out.Line(level, "begin");
  Statements(out, level + 1, random_.Between(1, 2), depth + 1);
  out.Line(level + 1, Field() + ".Next;");
  out.Line(level, "end;");
}

void CodeWriter::CaseStatement(SourceText& out, int level, int depth) {
  out.Line(level, "case Index of");
  out.Line(level + 1, "0: S := '';");
  out.Line(level + 1, "1, 2:");
  out.Line(level + 2, "begin");
  Statements(out, level + 3, random_.Between(1, 2), depth + 1);
  out.Line(level + 2, "end;");
  out.Line(level + 1, "$10..$1F: Count := -1;");
  out.Line(level, "else");
  Assignment(out, level + 1);
  out.Line(level, "end;");
}

void CodeWriter::TryBlock(SourceText& out, int level, int depth) {
  const bool finallyBlock = random_.Chance(60);
  if (finallyBlock) out.Line(level, "Item := TStringList.Create;");
  out.Line(level, "try");
  Statements(out, level + 1, random_.Between(1, 3), depth + 1);
  if (finallyBlock) {
    out.Line(level, "finally");
    out.Line(level + 1, "Item.Free;");
  } else {
    out.Line(level, "except");
    out.Line(level + 1, "on E: Exception do");
    out.Line(level + 2, "raise Exception.CreateFmt('Could not %s: %s', ['" +
                            std::string(random_.Pick(vocabulary::Verbs())) + "', E.Message]);");
  }
  out.Line(level, "end;");
}

void CodeWriter::Comment(SourceText& out, int level) {
  const std::string remark(random_.Pick(vocabulary::Remarks()));
  switch (random_.Between(0, 3)) {
    case 0: out.Line(level, "// " + remark + "."); break;
    case 1: out.Line(level, "{ " + remark + ". }"); break;
    case 2: out.Line(level, "(* " + remark + " *)"); break;
    default:
      out.Line(level, "{ " + remark + ";");
      out.Line(level, "  " + std::string(random_.Pick(vocabulary::Remarks())) + ". }");
      break;
  }
}

void CodeWriter::Directive(SourceText& out, int level, int depth) {
  out.Line(0, "{$IFDEF DEBUG}");
  out.Line(level, "OutputDebugString(PChar('" + std::string(random_.Pick(vocabulary::Verbs())) + ": ' + S));");
  out.Line(0, "{$ELSE}");
  Statement(out, level, depth + 1);
  out.Line(0, "{$ENDIF}");
}

}  // namespace tarnwick
