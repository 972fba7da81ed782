#include "analysis/project_file_parser.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <unordered_set>

#include "analysis/pascal_parser.h"
#include "platform/file_system.h"
#include "platform/text_util.h"
#include "platform/win_path.h"

namespace tarnwick {

namespace {

using FormNameSet = std::unordered_set<std::string>;  // lower-cased

struct ColumnWidths {
  int Unit = 0;
  int Form = 0;
};

int Measure(UserInterface& ui, std::string_view text) {
  return ui.Measure.TextWidth(text, kSourceListFont, kSourceListFontSize);
}

/// What reading the uses clauses of the project file fills, and where it goes.
struct UsesClauseReader {
  ProjectModel& Model;
  UnitListSink& Units;
  UserInterface& Ui;
  FormNameSet FormNames;
  ColumnWidths Widths;
  std::vector<std::string> Available;  // offered together at the end

  void Add(const UsesEntry& entry) {
    if (entry.UnitName.empty()) return;  // a clause cut off by the end of the file
    if (entry.Path.empty()) {
      Available.push_back(entry.UnitName);
      return;
    }
    if (Model.ContainsUnit(entry.UnitName)) return;
    if (entry.Kind == UsesFormKind::Plain) FormNames.insert(ToLowerAscii(entry.FormName));
    Units.AppendShown(entry.FormName.empty() ? entry.UnitName : entry.FormName);
    Model.AddUnit({entry.UnitName, entry.FormName, UnitPathColumn(Model.ProjectFile, entry.Path)});
    Widths.Unit = std::max(Widths.Unit, Measure(Ui, entry.UnitName));
    Widths.Form = std::max(Widths.Form, Measure(Ui, entry.FormName));
  }

  void ReadAll(TParser& parser) {
    Widths = {std::max(Measure(Ui, ExtractFileName(Model.ProjectFile)), Measure(Ui, "Unitname")),
              Measure(Ui, "Formname")};
    parser.ForEachUsesEntry([this](const UsesEntry& entry) { Add(entry); });
    Units.AddAvailableUnits(Model, std::move(Available));
  }

  void SetColumnWidths(int sourceListWidth) {
    int third = static_cast<int>(std::lround(sourceListWidth / 3.0));
    SourceColumnWidths& columns = Model.ColumnWidths;
    columns.Unit = std::min(Widths.Unit + 12, third);
    columns.FormName = std::min(Widths.Form + 12, third);
    columns.Path = sourceListWidth - columns.Unit - columns.FormName - 4;
  }
};

bool IsSymbol(const Token& token, std::string_view symbol) {
  return token.Kind == TokenKind::Symbol && token.Text == symbol;
}

// Reads "Application.CreateForm(TClass, Name" after "Application"; the name is stored whenever the
// statement gets that far. True when the name is a form of a plain uses entry.
bool ReadCreateForm(TParser& parser, Token& token, std::string& mainFormName, const FormNameSet& formNames) {
  parser.NextToken(token);
  if (!IsSymbol(token, ".")) return false;
  parser.NextToken(token);
  if (ToLowerAscii(token.Text) != "createform") return false;
  parser.NextToken(token);
  if (!IsSymbol(token, "(")) return false;
  parser.NextToken(token);  // the form class
  parser.NextToken(token);
  if (!IsSymbol(token, ",")) return false;
  parser.NextToken(token);
  mainFormName = token.Text;
  return formNames.count(ToLowerAscii(mainFormName)) != 0;
}

void FindMainForm(TParser& parser, Token& token, std::string& mainFormName, const FormNameSet& formNames) {
  while (!token.IsEnd() && !(token.Kind == TokenKind::Identifier && ToLowerAscii(token.Text) == "begin"))
    parser.NextToken(token);
  parser.NextToken(token);
  while (!token.IsEnd()) {
    if (ToLowerAscii(token.Text) == "application" && ReadCreateForm(parser, token, mainFormName, formNames))
      return;
    while (!token.IsEnd() && !IsSymbol(token, ";")) parser.NextToken(token);
    parser.NextToken(token);
  }
}

void ReadHeaderAndMainBlock(ProjectModel& model, TParser& parser, const FormNameSet& formNames) {
  parser.SetPosition(0);
  Token token;
  parser.NextToken(token);
  if (ToLowerAscii(token.Text) == "library") {
    parser.NextToken(token);
    if (token.Kind == TokenKind::Identifier) model.RootUnitName = token.Text;
    return;
  }
  FindMainForm(parser, token, model.MainFormName, formNames);
}

}  // namespace

std::string UnitPathColumn(std::string_view projectFile, std::string_view writtenPath) {
  std::string folder = ExtractFilePath(writtenPath);
  bool driveLetter = projectFile.size() >= 2 && projectFile[1] == ':' && HasDrivePart(projectFile);
  if (!writtenPath.empty() && writtenPath[0] == '\\' && driveLetter) {
    folder = std::string(1, projectFile[0]) + ":" + folder;
  }
  return folder;
}

bool ParseProjectFile(ProjectModel& model, UnitListSink& units, int sourceListWidth, UserInterface& ui) {
  // Whatever happens, no names of an earlier project survive into this one.
  model.MainFormName.clear();
  model.RootUnitName.clear();
  std::string error;
  std::optional<std::string> text = ReadTextFile(model.ProjectFile, &error);
  if (!text) {
    ui.Messages.Show(MessageKind::Error, "Can not open file: \r\r" + ToHostPath(model.ProjectFile) + "\r\r" + error);
    return false;
  }
  TParser parser(std::move(*text));
  UsesClauseReader reader{model, units, ui, {}, {}, {}};
  reader.ReadAll(parser);
  reader.SetColumnWidths(sourceListWidth);
  ReadHeaderAndMainBlock(model, parser, reader.FormNames);
  if (model.MainFormName.empty() && model.RootUnitName.empty()) {
    ui.Messages.Show(MessageKind::Warning, "Could not determine Main form of project");
  }
  return true;
}

}  // namespace tarnwick
