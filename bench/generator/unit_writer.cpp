#include "unit_writer.h"

#include <cctype>
#include <set>
#include <vector>

#include "code_writer.h"
#include "form_builder.h"
#include "random_source.h"
#include "vocabulary.h"

namespace tarnwick {

namespace {

bool HasForm(const UnitPlan& unit) { return !unit.FormName.empty(); }

// The class a service unit declares: "T" and the last part of its dotted name.
std::string ServiceClass(const UnitPlan& unit) {
  const size_t dot = unit.Name.rfind('.');
  return "T" + (dot == std::string::npos ? unit.Name : unit.Name.substr(dot + 1));
}

/// Writes one unit: the implementation is written first, so that the interface can declare
/// every routine it holds.
class UnitWriter {
 public:
  UnitWriter(const ProjectPlan& plan, const UnitPlan& unit, const FormObject* form, int lines, RandomSource& random)
      : plan_(plan), unit_(unit), form_(form), lines_(lines), random_(random),
        className_(HasForm(unit) ? unit.FormClass : unit.Kind == UnitKind::Basic ? "" : ServiceClass(unit)) {}

  std::string Write() {
    if (form_ != nullptr) {
      for (const ComponentField& field : DeclaredComponents(*form_)) fields_.push_back(field.Name);
    }
    for (std::string_view name : {"FModified", "FItems", "FCaption"}) fields_.push_back(std::string(name));
    CodeWriter code(random_, fields_);
    WriteHandlers(code);
    while (body_.LineCount() + 40 + static_cast<int>(fields_.size()) < lines_) WriteMethod(code);
    SourceText out;
    Heading(out);
    Interface(out);
    Implementation(out);
    return out.Text();
  }

 private:
  std::vector<std::string> ProjectNames(const std::vector<int>& indexes) {
    std::vector<std::string> names;
    for (int index : indexes) names.push_back(WrittenUnitName(plan_.Units[index].Name, random_));
    return names;
  }

  void Heading(SourceText& out) {
    out.Line(0, "unit " + unit_.Name + ";");
    out.Blank();
    out.Line(0, "{ " + unit_.Noun + " - part of " + plan_.Title + ".");
    const size_t remark = random_.Below(vocabulary::Remarks().size());
    out.Line(0, "  " + std::string(vocabulary::Remarks()[remark]) + ";");
    out.Line(0, "  " + std::string(vocabulary::Remarks()[(remark + 1) % vocabulary::Remarks().size()]) + ". }");
    out.Blank();
  }

  void Interface(SourceText& out) {
    out.Line(0, "interface");
    out.Blank();
    std::vector<std::string> uses = unit_.InterfaceOutside;
    for (std::string& name : ProjectNames(unit_.InterfaceUses)) uses.push_back(std::move(name));
    out.UsesClause(uses);
    out.Blank();
    if (unit_.Kind == UnitKind::Basic) {
      BasicDeclarations(out);
    } else {
      ClassDeclaration(out);
    }
  }

  void Implementation(SourceText& out) {
    out.Line(0, "implementation");
    out.Blank();
    std::vector<std::string> uses = ProjectNames(unit_.ImplementationUses);
    uses.insert(uses.end(), unit_.ImplementationOutside.begin(), unit_.ImplementationOutside.end());
    if (!uses.empty()) {
      out.UsesClause(uses);
      out.Blank();
    }
    if (HasForm(unit_)) {
      out.Line(0, "{$R *.dfm}");
      out.Blank();
    }
    out.Line(0, "const");
    out.Line(1, "S" + unit_.Noun + "Missing = 'No " + unit_.Noun + " is selected; choose one from the ''" +
                    unit_.Noun + "s'' list.';");
    out.Blank();
    out.Append(body_);
    if (unit_.Kind == UnitKind::Basic && random_.Chance(30)) {
      out.Line(0, "initialization");
      out.Line(1, "Default" + unit_.Noun + "Count := 0;");
      out.Blank();
    }
    out.Line(0, "end.");
  }

  std::string Qualified(const std::string& name) const {
    return className_.empty() ? name : className_ + "." + name;
  }

  void WriteHandlers(CodeWriter& code) {
    if (form_ == nullptr) return;
    for (const std::string& handler : EventHandlers(*form_)) {
      const std::string parameters =
          handler == "FormClose" ? "(Sender: TObject; var Action: TCloseAction);" : "(Sender: TObject);";
      // A form with many events keeps to its size with short handlers, as most of them are.
      const bool brief = body_.LineCount() > lines_ / 2;
      code.WriteRoutine(body_, {"procedure " + Qualified(handler) + parameters, "procedure " + handler + parameters},
                        false, brief);
      handlerDeclarations_.push_back("procedure " + handler + parameters);
      routineNames_.insert(handler);
    }
  }

  void WriteMethod(CodeWriter& code) {
    std::string name;
    do {
      name = std::string(random_.Pick(vocabulary::Verbs())) + std::string(random_.Pick(vocabulary::Nouns()));
    } while (!routineNames_.insert(name).second && routineNames_.size() < 2000);
    const bool isFunction = random_.Chance(40);
    const std::string signature =
        isFunction ? name + "(const " + unit_.Noun + "Name: string; Index: Integer = -1): Integer;"
                   : name + (random_.Chance(50) ? ";" : "(Sender: TObject; var Done: Boolean);");
    const std::string keyword = isFunction ? "function " : "procedure ";
    code.WriteRoutine(body_, {keyword + Qualified(signature), keyword + signature}, isFunction);
    methodDeclarations_.push_back(keyword + signature);
  }

  void BasicDeclarations(SourceText& out) {
    const std::string noun = unit_.Noun;
    const std::string prefix(1, static_cast<char>(std::tolower(static_cast<unsigned char>(noun[0]))));
    out.Line(0, "const");
    out.Line(1, "Max" + noun + "Count = " + std::to_string(random_.Between(10, 5000)) + ";");
    out.Line(1, noun + "Flags = $" + std::to_string(random_.Between(10, 99)) + "FF;");
    out.Line(1, "Default" + noun + "Name = 'New " + noun + "';");
    out.Blank();
    out.Line(0, "resourcestring");
    out.Line(1, "S" + noun + "NotFound = 'The " + noun + " ''%s'' was not found.';");
    out.Blank();
    out.Line(0, "type");
    out.Line(1, "T" + noun + "Kind = (" + prefix + "kNone, " + prefix + "kStandard, " + prefix + "kExtra);");
    out.Line(1, "T" + noun + "Kinds = set of T" + noun + "Kind;");
    out.Blank();
    out.Line(1, "T" + noun + "Record = packed record");
    out.Line(2, "ID: Integer;");
    out.Line(2, "Name: string[40];");
    out.Line(2, "Amount: Currency;");
    out.Line(2, "Kinds: T" + noun + "Kinds;");
    out.Line(1, "end;");
    out.Blank();
    out.Line(0, "var");
    out.Line(1, "Default" + noun + "Count: Integer;");
    out.Blank();
    for (const std::string& declaration : methodDeclarations_) out.Line(0, declaration);
    out.Blank();
  }

  void ClassDeclaration(SourceText& out) {
    out.Line(0, "type");
    if (!HasForm(unit_)) {
      out.Line(1, "T" + unit_.Noun + "State = (ssIdle, ssBusy, ssFailed);");
      out.Blank();
    }
    out.Line(1, className_ + " = class(" + (unit_.BaseClass.empty() ? "TObject" : unit_.BaseClass) + ")");
    if (form_ != nullptr) {
      for (const ComponentField& field : DeclaredComponents(*form_)) out.Line(2, field.Name + ": " + field.ClassName + ";");
    }
    for (const std::string& declaration : handlerDeclarations_) out.Line(2, declaration);
    out.Line(1, "private");
    out.Line(2, "{ Private declarations }");
    out.Line(2, "FModified: Boolean;");
    out.Line(2, "FItems: TStringList;");
    out.Line(2, "FCaption: string;");
    const size_t half = methodDeclarations_.size() / 2;
    for (size_t i = 0; i < half; ++i) out.Line(2, methodDeclarations_[i]);
    out.Line(1, "public");
    out.Line(2, "{ Public declarations }");
    for (size_t i = half; i < methodDeclarations_.size(); ++i) out.Line(2, methodDeclarations_[i]);
    out.Line(2, "property Caption: string read FCaption write FCaption;");
    out.Line(1, "end;");
    out.Blank();
    if (HasForm(unit_) && unit_.Kind != UnitKind::Frame) {
      out.Line(0, "var");
      out.Line(1, unit_.FormName + ": " + unit_.FormClass + ";");
      out.Blank();
    }
  }

  const ProjectPlan& plan_;
  const UnitPlan& unit_;
  const FormObject* form_;
  int lines_;
  RandomSource& random_;
  std::string className_;
  std::vector<std::string> fields_;
  std::vector<std::string> handlerDeclarations_;
  std::vector<std::string> methodDeclarations_;
  std::set<std::string> routineNames_;
  SourceText body_;
};

}  // namespace

std::string WrittenUnitName(const std::string& name, RandomSource& random) {
  std::string written = name;
  const int roll = random.Between(0, 99);
  if (roll >= 12) return written;
  for (char& c : written) {
    const auto byte = static_cast<unsigned char>(c);
    c = static_cast<char>(roll < 7 ? std::tolower(byte) : std::toupper(byte));
  }
  return written;
}

std::string WriteUnitSource(const ProjectPlan& plan, const UnitPlan& unit, const FormObject* form, int lines,
                            RandomSource& random) {
  return UnitWriter(plan, unit, form, lines, random).Write();
}

}  // namespace tarnwick
