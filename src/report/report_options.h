#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/settings_store.h"
#include "platform/user_interface.h"

namespace tarnwick {

/// The five documentation categories: the entries of the print order and the tests of the writer.
inline constexpr std::string_view kFormImages = "Form Images";
inline constexpr std::string_view kSourceCode = "Source Code";
inline constexpr std::string_view kDependencies = "Dependencies";
inline constexpr std::string_view kUnusedUnits = "Unused Units";
inline constexpr std::string_view kFormObjects = "Form Objects";

/// The print order as it stands before anything is read.
std::vector<std::string> DefaultPrintOrder();

/// The choices of the two tree output lists; -1 is a list that shows no entry yet.
inline constexpr int kOutputNone = -1;
inline constexpr int kOutputAsText = 0;
inline constexpr int kOutputAsJpeg = 1;

/// A font face with its size in points.
struct FontChoice {
  std::string Face = "Times New Roman";
  int Size = 12;
};

/// What goes into the HTML documentation and how. One instance lives as long as the report
/// options window that edits it; the fields named like registry values are stored under the
/// program's key, the others last until the program ends.
///
/// The start values are the window's state before anything is read, which stays when the key does
/// not exist: `DependencyMaxLevel` off and both output choices without an entry (the writer then
/// draws pictures), unlike the defaults used for a single missing value.
/// `DependencyMaxLevelNum`, `TabSpaces` and `IndentSpaces` hold the text of their edit fields, so
/// a text that is not a whole number survives until a save or a document run trips over it.
struct ReportOptions {
  bool SourceAll = true;
  bool SourceSelected = false;
  bool SourceLineNumbers = true;
  bool SyntaxPrint = true;
  std::string SourceFont = "Times New Roman";
  int SourceCodeFontSize = 12;
  bool DependencyAll = true;
  bool DependencyMaxLevel = false;
  std::string DependencyMaxLevelNum = "0";
  int DependencyOutput = kOutputNone;
  std::string DependencyFont = "Times New Roman";
  int DependencyFontSize = 12;
  bool DependencyCycles = false;  // the "Circular References" part of the dependency section
  bool DependencyGraph = false;   // the uses graph drawn as "DependencyGraph.svg"
  bool ObjectsAll = true;
  bool ObjectsShowProperties = true;
  int ObjectsOutput = kOutputNone;
  std::string ObjectsFont = "Times New Roman";
  int ObjectsFontSize1 = 12;
  bool ImagesAll = true;
  bool ImagesSelected = false;
  bool UnusedSourceAll = true;
  std::string TabSpaces = "3";
  std::string IndentSpaces = "3";
  std::vector<std::string> PrintOrder = DefaultPrintOrder();

  // Not stored.
  FontChoice UnusedFont;
  int LinesPerImage = 100;
  bool ProgressiveDisplay = false;
};

/// The caption an output choice shows: "As Text", "As JPeg", or "" for no entry.
std::string_view OutputChoiceText(int choice);
/// True when the tree is printed as text; every other choice, no entry included, draws pictures.
bool IsTextOutput(int choice);

/// Reads a whole decimal number (optional sign, digits, within 32 bits, blanks around allowed).
std::optional<int> ParseWholeNumber(std::string_view text);

/// Reads the stored options. A missing key leaves `options` as it is; the "Selected" values are
/// read only when their "All" came out false. A stored `DependencyMaxLevelNum`, `TabSpaces` or
/// `IndentSpaces` that is no whole number of at least 0 is read as its default with one warning.
void LoadReportOptions(SettingsStore& store, ReportOptions& options, UserInterface& ui);
/// Writes every stored field in table order and saves the store. Reports the two failures of
/// saving through `ui`; values written before a failure stay written. True when all was saved.
bool SaveReportOptions(SettingsStore& store, const ReportOptions& options, UserInterface& ui);

/// Arranges `order` by a stored comma list: the k-th name found (without regard to case) moves to
/// position k; a name that is not found is skipped but still counts.
void ApplyPrintOrder(std::vector<std::string>& order, std::string_view stored);
/// The names in list order joined by "," with no blanks.
std::string JoinPrintOrder(const std::vector<std::string>& order);
/// The move buttons under the print order list: swap the selected entry with its neighbour and
/// give the new selection. Nothing moves at either end or with no selection (-1).
int MovePrintOrderUp(std::vector<std::string>& order, int selected);
int MovePrintOrderDown(std::vector<std::string>& order, int selected);

/// The check box pairs: checking one of a pair unchecks the other; unchecking changes nothing else.
void SourceAllCheckBoxClick(ReportOptions& options, bool checked);
void SourceSelectedCheckBoxClick(ReportOptions& options, bool checked);
void ImagesAllCheckBoxClick(ReportOptions& options, bool checked);
void ImagesSelectedCheckBoxClick(ReportOptions& options, bool checked);

/// The check of the "Max Levels" field on every change: a text that is not a whole number becomes
/// "0" and "Non integer value changed to 0" is shown. False when the text was reset.
bool ValidateInteger(std::string& fieldText, Prompter& prompter);

/// Sets one option by its stored value name for the command line's "-o NAME=VALUE", plus the
/// run-time values `LinesPerImage` and `ProgressiveDisplay`. Booleans take 0 or 1, the output
/// choices 0, 1, "As Text" or "As JPeg", the print order the five names at most once each (the
/// missing ones follow in their usual order, as a stored order with fewer names is read). On a bad name
/// or value gives false with `error` set and `options` unchanged.
bool OverrideReportOption(ReportOptions& options, std::string_view name, std::string_view value,
                          std::string& error);

}  // namespace tarnwick
