#include "report/report_options.h"

#include <algorithm>
#include <charconv>
#include <span>

#include "platform/registry_values.h"
#include "platform/text_util.h"
#include "report/jpeg_settings.h"

namespace tarnwick {

namespace {

enum class FieldKind { Flag, Number, Text, Level, Choice, Order };

// One stored value: its registry name, how it is held and its default for a missing value.
// `ReadOnlyWhenOff` names the "All" box of a pair whose "Selected" box is read only when "All" is
// off. The table's order is the order of reading and writing.
struct StoredField {
  constexpr StoredField(std::string_view name, FieldKind kind) : Name(name), Kind(kind) {}

  std::string_view Name;
  FieldKind Kind;
  bool ReportOptions::*Flag = nullptr;
  int ReportOptions::*Number = nullptr;
  std::string ReportOptions::*Text = nullptr;
  int DefaultNumber = 0;
  std::string_view DefaultText;
  bool ReportOptions::*ReadOnlyWhenOff = nullptr;
};

using RO = ReportOptions;
constexpr std::string_view kTimes = "Times New Roman";

constexpr StoredField Flag(std::string_view name, bool RO::*flag, bool defaultValue,
                           bool RO::*readOnlyWhenOff = nullptr) {
  StoredField field{name, FieldKind::Flag};
  field.Flag = flag;
  field.DefaultNumber = defaultValue ? 1 : 0;
  field.ReadOnlyWhenOff = readOnlyWhenOff;
  return field;
}

constexpr StoredField Number(std::string_view name, FieldKind kind, int RO::*number, int defaultValue) {
  StoredField field{name, kind};
  field.Number = number;
  field.DefaultNumber = defaultValue;
  return field;
}

constexpr StoredField Text(std::string_view name, FieldKind kind, std::string RO::*text,
                           std::string_view defaultValue) {
  StoredField field{name, kind};
  field.Text = text;
  field.DefaultText = defaultValue;
  return field;
}

const StoredField kStoredFields[] = {
    Flag("SourceAll", &RO::SourceAll, true),
    Flag("SourceSelected", &RO::SourceSelected, false, &RO::SourceAll),
    Flag("SourceLineNumbers", &RO::SourceLineNumbers, true),
    Flag("SyntaxPrint", &RO::SyntaxPrint, true),
    Text("SourceFont", FieldKind::Text, &RO::SourceFont, kTimes),
    Number("SourceCodeFontSize", FieldKind::Number, &RO::SourceCodeFontSize, 12),
    Flag("DependencyAll", &RO::DependencyAll, true),
    Flag("DependencyMaxLevel", &RO::DependencyMaxLevel, true),
    Text("DependencyMaxLevelNum", FieldKind::Level, &RO::DependencyMaxLevelNum, "0"),
    Number("DependencyOutput", FieldKind::Choice, &RO::DependencyOutput, kOutputAsJpeg),
    Text("DependencyFont", FieldKind::Text, &RO::DependencyFont, kTimes),
    Number("DependencyFontSize", FieldKind::Number, &RO::DependencyFontSize, 12),
    Flag("DependencyCycles", &RO::DependencyCycles, false),
    Flag("DependencyGraph", &RO::DependencyGraph, false),
    Flag("ObjectsAll", &RO::ObjectsAll, true),
    Flag("ObjectsShowProperties", &RO::ObjectsShowProperties, true),
    Number("ObjectsOutput", FieldKind::Choice, &RO::ObjectsOutput, kOutputAsText),
    Text("ObjectsFont", FieldKind::Text, &RO::ObjectsFont, kTimes),
    Number("ObjectsFontSize1", FieldKind::Number, &RO::ObjectsFontSize1, 12),
    Flag("ImagesAll", &RO::ImagesAll, true),
    Flag("ImagesSelected", &RO::ImagesSelected, false, &RO::ImagesAll),
    Flag("UnusedSourceAll", &RO::UnusedSourceAll, true),
    Text("TabSpaces", FieldKind::Text, &RO::TabSpaces, "3"),
    Text("IndentSpaces", FieldKind::Text, &RO::IndentSpaces, "3"),
    StoredField{"PrintOrder", FieldKind::Order},
};

// A list shows no entry for an index outside its choices.
int ChoiceFromIndex(int index) {
  return index == kOutputAsText || index == kOutputAsJpeg ? index : kOutputNone;
}

bool IsNumericText(const StoredField& field) {
  return field.Kind == FieldKind::Level || field.Text == &RO::TabSpaces || field.Text == &RO::IndentSpaces;
}

std::optional<int> ParseAtLeast(std::string_view value, int least) {
  std::optional<int> number = ParseWholeNumber(value);
  if (!number || *number < least) return std::nullopt;
  return number;
}

// A field whose text must be a whole number: a number that is stored as text or as a number is
// taken; anything else gives the default with one warning, so no document run trips over it later.
void LoadNumericText(const RegistryKey& key, const StoredField& field, ReportOptions& options, Prompter& messages) {
  std::string& text = options.*field.Text;
  text = std::string(field.DefaultText);
  if (std::optional<int32_t> number = key.ReadInteger(field.Name)) {
    text = std::to_string(*number);
    return;
  }
  std::optional<std::string> stored = key.ReadString(field.Name);
  if (stored && ParseAtLeast(*stored, 0)) {
    text = std::string(TrimBlanks(*stored));
    return;
  }
  if (!stored && !key.ValueExists(field.Name)) return;
  messages.Show(MessageKind::Warning, "The stored value " + std::string(field.Name) + " (\"" +
                                          stored.value_or("not a text") + "\") is not a whole number; " +
                                          text + " is used instead.");
}

void LoadField(const RegistryKey& key, const StoredField& field, ReportOptions& options, Prompter& messages) {
  if (field.ReadOnlyWhenOff != nullptr && options.*field.ReadOnlyWhenOff) {
    options.*field.Flag = false;
    return;
  }
  if (IsNumericText(field)) {
    LoadNumericText(key, field, options, messages);
    return;
  }
  switch (field.Kind) {
    case FieldKind::Flag:
      options.*field.Flag = ReadBoolDefault(key, field.Name, field.DefaultNumber != 0);
      break;
    case FieldKind::Number:
      options.*field.Number = ReadIntegerDefault(key, field.Name, field.DefaultNumber);
      break;
    case FieldKind::Text: options.*field.Text = ReadStringDefault(key, field.Name, field.DefaultText); break;
    case FieldKind::Level: break;  // a numeric text
    case FieldKind::Choice:
      options.*field.Number = ChoiceFromIndex(ReadIntegerDefault(key, field.Name, field.DefaultNumber));
      break;
    case FieldKind::Order:
      ApplyPrintOrder(options.PrintOrder,
                      ReadStringDefault(key, field.Name, JoinPrintOrder(DefaultPrintOrder())));
      break;
  }
}

// False when the value cannot be written, as a level field that holds no whole number.
bool SaveField(RegistryKey& key, const StoredField& field, const ReportOptions& options) {
  switch (field.Kind) {
    case FieldKind::Flag: return key.WriteInteger(field.Name, options.*field.Flag ? 1 : 0);
    case FieldKind::Number:
    case FieldKind::Choice: return key.WriteInteger(field.Name, options.*field.Number);
    case FieldKind::Text: return key.WriteString(field.Name, options.*field.Text);
    case FieldKind::Level: {
      std::optional<int> level = ParseWholeNumber(options.*field.Text);
      return level && key.WriteInteger(field.Name, *level);
    }
    case FieldKind::Order: return key.WriteString(field.Name, JoinPrintOrder(options.PrintOrder));
  }
  return false;
}

const StoredField* FindStoredField(std::string_view name) {
  for (const StoredField& field : kStoredFields) {
    if (EqualsNoCase(field.Name, name)) return &field;
  }
  return nullptr;
}

std::optional<bool> ParseFlag(std::string_view value) {
  value = TrimBlanks(value);
  if (value == "0") return false;
  if (value == "1") return true;
  return std::nullopt;
}


std::optional<int> ParseChoice(std::string_view value) {
  value = TrimBlanks(value);
  for (int choice : {kOutputAsText, kOutputAsJpeg}) {
    if (value == std::to_string(choice) || EqualsNoCase(value, OutputChoiceText(choice))) return choice;
  }
  return std::nullopt;
}

// The category names in the given order, each at most once, followed by the missing ones in their
// usual order; nothing for an unknown or repeated name.
std::optional<std::vector<std::string>> ParsePrintOrder(std::string_view value) {
  std::vector<std::string> order;
  std::vector<std::string> remaining = DefaultPrintOrder();
  size_t start = 0;
  while (start <= value.size()) {
    size_t comma = std::min(value.find(',', start), value.size());
    std::string_view name = TrimBlanks(value.substr(start, comma - start));
    auto found = std::find_if(remaining.begin(), remaining.end(),
                              [&](const std::string& entry) { return EqualsNoCase(entry, name); });
    if (found == remaining.end()) return std::nullopt;
    order.push_back(std::move(*found));
    remaining.erase(found);
    start = comma + 1;
  }
  for (std::string& name : remaining) order.push_back(std::move(name));
  return order;
}

// Sets a flag the way its check box does: checking one box of a pair unchecks the other.
void SetFlag(const StoredField& field, bool checked, ReportOptions& options) {
  options.*field.Flag = checked;
  if (!checked) return;
  if (field.ReadOnlyWhenOff != nullptr) options.*field.ReadOnlyWhenOff = false;
  for (const StoredField& other : kStoredFields) {
    if (other.ReadOnlyWhenOff == field.Flag) options.*other.Flag = false;
  }
}

bool OverrideField(const StoredField& field, std::string_view value, ReportOptions& options) {
  switch (field.Kind) {
    case FieldKind::Flag: {
      std::optional<bool> flag = ParseFlag(value);
      if (flag) SetFlag(field, *flag, options);
      return flag.has_value();
    }
    case FieldKind::Number: {
      std::optional<int> size = ParseAtLeast(value, 1);
      if (size) options.*field.Number = *size;
      return size.has_value();
    }
    case FieldKind::Text: {
      bool numeric = IsNumericText(field);
      if (numeric ? !ParseAtLeast(value, 0) : TrimBlanks(value).empty()) return false;
      options.*field.Text = std::string(numeric ? TrimBlanks(value) : value);
      return true;
    }
    case FieldKind::Level: {
      std::optional<int> level = ParseAtLeast(value, 0);
      if (level) options.*field.Text = std::to_string(*level);
      return level.has_value();
    }
    case FieldKind::Choice: {
      std::optional<int> choice = ParseChoice(value);
      if (choice) options.*field.Number = *choice;
      return choice.has_value();
    }
    case FieldKind::Order: {
      auto order = ParsePrintOrder(value);
      if (order) options.PrintOrder = std::move(*order);
      return order.has_value();
    }
  }
  return false;
}

std::string InvalidValue(std::string_view label) {
  return "Invalid value for \"" + std::string(label) + "\"";
}

}  // namespace

std::vector<std::string> DefaultPrintOrder() {
  return {std::string(kFormImages), std::string(kSourceCode), std::string(kDependencies),
          std::string(kUnusedUnits), std::string(kFormObjects)};
}

std::string_view OutputChoiceText(int choice) {
  if (choice == kOutputAsText) return "As Text";
  if (choice == kOutputAsJpeg) return "As JPeg";
  return "";
}

bool IsTextOutput(int choice) { return OutputChoiceText(choice) == "As Text"; }

std::optional<int> ParseWholeNumber(std::string_view text) {
  text = TrimBlanks(text);
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && text.front() == '-') return std::nullopt;
  }
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

void LoadReportOptions(SettingsStore& store, ReportOptions& options, UserInterface& ui) {
  RegistryKey key(store);
  if (!key.OpenKey(kRegistryKey, false)) return;
  for (const StoredField& field : kStoredFields) LoadField(key, field, options, ui.Messages);
  key.CloseKey();
}

bool SaveReportOptions(SettingsStore& store, const ReportOptions& options, UserInterface& ui) {
  RegistryKey key(store);
  if (!key.OpenKey(kRegistryKey, true)) {
    ui.Messages.Show(MessageKind::Error, kSaveOpenFailed);
    return false;
  }
  bool complete = true;
  for (const StoredField& field : kStoredFields) {
    if (!SaveField(key, field, options)) {
      complete = false;
      break;
    }
  }
  key.CloseKey();
  // What was written before a failure is kept, as the registry would keep it.
  bool saved = store.Save();
  if (!complete || !saved) {
    ui.Messages.Show(MessageKind::Error, kSaveWriteFailed);
    return false;
  }
  return true;
}

void ApplyPrintOrder(std::vector<std::string>& order, std::string_view stored) {
  size_t position = 0;
  while (position < order.size()) {
    size_t comma = stored.find(',');
    std::string_view name = stored.substr(0, comma);
    auto found = std::find_if(order.begin(), order.end(),
                              [&](const std::string& entry) { return EqualsNoCase(entry, name); });
    if (found != order.end()) {
      std::string entry = std::move(*found);
      order.erase(found);
      order.insert(order.begin() + static_cast<std::ptrdiff_t>(position), std::move(entry));
    }
    if (comma == std::string_view::npos) break;
    stored.remove_prefix(comma + 1);
    ++position;
  }
}

std::string JoinPrintOrder(const std::vector<std::string>& order) {
  std::string joined;
  for (const std::string& name : order) {
    if (!joined.empty()) joined += ',';
    joined += name;
  }
  return joined;
}

int MovePrintOrderUp(std::vector<std::string>& order, int selected) {
  if (selected <= 0 || selected >= static_cast<int>(order.size())) return selected;
  std::swap(order[selected], order[selected - 1]);
  return selected - 1;
}

int MovePrintOrderDown(std::vector<std::string>& order, int selected) {
  if (selected < 0 || selected + 1 >= static_cast<int>(order.size())) return selected;
  std::swap(order[selected], order[selected + 1]);
  return selected + 1;
}

void SourceAllCheckBoxClick(ReportOptions& options, bool checked) {
  options.SourceAll = checked;
  if (checked) options.SourceSelected = false;
}

void SourceSelectedCheckBoxClick(ReportOptions& options, bool checked) {
  options.SourceSelected = checked;
  if (checked) options.SourceAll = false;
}

void ImagesAllCheckBoxClick(ReportOptions& options, bool checked) {
  options.ImagesAll = checked;
  if (checked) options.ImagesSelected = false;
}

void ImagesSelectedCheckBoxClick(ReportOptions& options, bool checked) {
  options.ImagesSelected = checked;
  if (checked) options.ImagesAll = false;
}

bool ValidateInteger(std::string& fieldText, Prompter& prompter) {
  if (ParseWholeNumber(fieldText)) return true;
  fieldText = "0";
  prompter.Show(MessageKind::Information, "Non integer value changed to 0");
  return false;
}

bool OverrideReportOption(ReportOptions& options, std::string_view name, std::string_view value,
                          std::string& error) {
  if (EqualsNoCase(name, "LinesPerImage")) {
    std::optional<int> lines = ParseAtLeast(value, 1);
    if (!lines) {
      error = kInvalidLinesPerImage;
      return false;
    }
    options.LinesPerImage = *lines;
    return true;
  }
  if (EqualsNoCase(name, "ProgressiveDisplay")) {
    std::optional<bool> flag = ParseFlag(value);
    if (!flag) {
      error = InvalidValue("Progressive Display");
      return false;
    }
    options.ProgressiveDisplay = *flag;
    return true;
  }
  const StoredField* field = FindStoredField(name);
  if (field == nullptr) {
    error = "Unknown report option \"" + std::string(name) + "\"";
    return false;
  }
  if (!OverrideField(*field, value, options)) {
    error = InvalidValue(field->Name);
    return false;
  }
  return true;
}

}  // namespace tarnwick
