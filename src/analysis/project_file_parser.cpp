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

void AddUsesEntry(Workspace& workspace, UserInterface& ui, const UsesEntry& entry,
                  FormNameSet& formNames, ColumnWidths& widths) {
  ProjectModel& model = workspace.Model;
  if (entry.UnitName.empty()) return;  // a clause cut off by the end of the file
  if (entry.Path.empty()) {
    workspace.Dependencies.AddAvailableUnit(model, entry.UnitName);
    return;
  }
  if (model.ContainsUnit(entry.UnitName)) return;
  if (entry.Kind == UsesFormKind::Plain) formNames.insert(ToLowerAscii(entry.FormName));
  workspace.Dependencies.AppendShown(entry.FormName.empty() ? entry.UnitName : entry.FormName);
  model.AddUnit({entry.UnitName, entry.FormName, UnitPathColumn(model.ProjectFile, entry.Path)});
  widths.Unit = std::max(widths.Unit, Measure(ui, entry.UnitName));
  widths.Form = std::max(widths.Form, Measure(ui, entry.FormName));
}

void ReadUsesClauses(Workspace& workspace, UserInterface& ui, TParser& parser, FormNameSet& formNames) {
  ColumnWidths widths{std::max(Measure(ui, ExtractFileName(workspace.Model.ProjectFile)),
                               Measure(ui, "Unitname")),
                      Measure(ui, "Formname")};
  Token token;
  parser.NextToken(token);
  while (parser.FindUses(token)) {
    UsesEntry entry;
    bool ended = false;
    while (!ended) {
      ended = parser.ReadUsesEntry(entry);
      AddUsesEntry(workspace, ui, entry, formNames, widths);
    }
    parser.NextToken(token);
  }
  int third = static_cast<int>(std::lround(workspace.SourceListWidth / 3.0));
  SourceColumnWidths& columns = workspace.Model.ColumnWidths;
  columns.Unit = std::min(widths.Unit + 12, third);
  columns.FormName = std::min(widths.Form + 12, third);
  columns.Path = workspace.SourceListWidth - columns.Unit - columns.FormName - 4;
}

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

void ParseProjectFile(Workspace& workspace, UserInterface& ui) {
  ProjectModel& model = workspace.Model;
  // Whatever happens, no names of an earlier project survive into this one.
  model.MainFormName.clear();
  model.RootUnitName.clear();
  std::optional<std::string> text = ReadWholeFile(model.ProjectFile);
  if (!text) {
    ui.Messages.Show(MessageKind::Error, "Can not open file: \r\r" + model.ProjectFile);
    return;
  }
  TParser parser(std::move(*text));
  FormNameSet formNames;
  ReadUsesClauses(workspace, ui, parser, formNames);
  ReadHeaderAndMainBlock(model, parser, formNames);
  if (model.MainFormName.empty() && model.RootUnitName.empty()) {
    ui.Messages.Show(MessageKind::Warning, "Could not determine Main form of project");
  }
}

}  // namespace tarnwick
