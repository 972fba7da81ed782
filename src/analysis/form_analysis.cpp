#include "analysis/form_analysis.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

#include "analysis/form_file_reader.h"
#include "platform/file_system.h"
#include "platform/text_util.h"
#include "platform/win_path.h"

namespace tarnwick {

namespace {

bool IsObjectKeyword(std::string_view word) {
  return word == "object" || word == "inherited" || word == "inline";
}

// " Form1: TForm1" gives " Form1:  TForm1": both parts keep their blanks around ": ".
std::string MakeLabel(const std::string& header) {
  const size_t colon = header.find(':');
  if (colon == std::string::npos) return header;
  return header.substr(0, colon) + ": " + header.substr(colon + 1);
}

// A lone LF ends a line of form text as CR LF does. The scanner's line reader ends lines at CR
// only, so every LF that follows no CR becomes a CR; the length stays the same.
void NormalizeLineEnds(std::string& text) {
  bool afterCr = false;
  for (char& c : text) {
    const bool isCr = c == '\r';
    if (c == '\n' && !afterCr) c = '\r';
    afterCr = isCr;
  }
}

size_t DepthOf(const ObjectNode* node) {
  size_t depth = 0;
  for (; node != nullptr; node = node->Parent) ++depth;
  return depth;
}

/// Reads the lines of one object block into the tree without recursion. A collection value holds
/// no objects, so one counter of open collections serves whichever object is current.
class ObjectBlockReader {
 public:
  ObjectBlockReader(TParser& parser, ObjectNode* first)
      : parser_(parser), first_(first), current_(first), depth_(DepthOf(first)) {}

  void Run() {
    for (parser_.ReadToken(token_); !token_.IsEnd(); parser_.ReadToken(token_)) {
      if (!ReadLineOfBlock()) return;
    }
  }

 private:
  // Handles the line whose first word is in token_; false once the first object's "end" is read.
  bool ReadLineOfBlock() {
    if (collections_ == 0) {
      if (IsObjectKeyword(token_.Text)) {
        if (depth_ < kMaxObjectDepth) return OpenChild();
        ++flattened_;
      } else if (token_.Text == "end") {
        if (flattened_ == 0) return CloseCurrent();
        --flattened_;
      }
    }
    AddPropertyLine();
    return true;
  }

  bool OpenChild() {
    parser_.ReadLine(line_);
    current_ = current_->AddChild(MakeLabel(line_));
    ++depth_;
    return true;
  }

  // Like the keyword, the rest of an "end" line is left for the enclosing object to read.
  bool CloseCurrent() {
    if (current_ == first_) return false;
    current_ = current_->Parent;
    --depth_;
    return true;
  }

  void AddPropertyLine() {
    parser_.ReadLine(line_);
    const std::string_view rest = TrimBlanks(line_);
    std::string property;
    property.reserve(token_.Text.size() + 1 + rest.size());
    property.append(token_.Text).append(1, ' ').append(rest);
    if (collections_ > 0 && token_.Text == "end" && rest.starts_with('>')) {
      --collections_;
    } else if (property.back() == '<') {
      ++collections_;
    }
    current_->Data->Properties.push_back(std::move(property));
  }

  TParser& parser_;
  ObjectNode* const first_;
  ObjectNode* current_;
  size_t depth_;
  size_t collections_ = 0;
  // Objects below the depth limit whose "end" is still to come; their lines are property lines.
  size_t flattened_ = 0;
  Token token_;
  std::string line_;
};

std::string FormFileName(const std::string& projectFolder, const UnitEntry& unit) {
  std::string name = HasDrivePart(unit.Path) ? unit.Path + unit.UnitName
                                             : projectFolder + unit.Path + unit.UnitName;
  return AppendExtensionIfMissing(name, ".dfm");
}

// The form text of a file, or nothing after the failure has been reported.
std::optional<std::string> ReadFormText(const std::string& fileName, Prompter& messages) {
  if (!FileExists(fileName)) {
    messages.Show(MessageKind::Error, "Could not open the form \r\r" + fileName);
    return std::nullopt;
  }
  std::string error;
  std::optional<std::string> bytes = ReadTextFile(fileName, &error);
  if (bytes) {
    FormConversion conversion = ConvertFormFile(*bytes);
    if (conversion.Ok) return std::move(conversion.Text);
    error = std::move(conversion.Error);
  }
  messages.Show(MessageKind::Plain, "Could not convert " + fileName + ".\r\r" + error);
  return std::nullopt;
}

void AnalyzeForm(const std::string& fileName, ObjectForest& tree, Prompter& messages) {
  try {
    std::optional<std::string> text = ReadFormText(fileName, messages);
    if (!text) return;
    if (!ParseFormText(std::move(*text), tree)) {
      messages.Show(MessageKind::Error, "File " + fileName + " has unrecognized format.");
    }
  } catch (const std::exception& failure) {
    // Out of memory on one form: the other forms can still be read.
    messages.Show(MessageKind::Plain, "Could not convert " + fileName + ".\r\r" + failure.what());
  }
}

// Puts the busy cursor back however the analysis ends.
class BusyCursor {
 public:
  explicit BusyCursor(ProgressSink& progress) : progress_(progress) { progress_.SetBusyCursor(true); }
  ~BusyCursor() { progress_.SetBusyCursor(false); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  ProgressSink& progress_;
};

}  // namespace

ObjectNode* ParseObject(TParser& parser, ObjectForest& tree, ObjectNode* parent) {
  std::string header;
  parser.ReadLine(header);
  ObjectNode* node = parent ? parent->AddChild(MakeLabel(header)) : AddRoot(tree, MakeLabel(header));
  ObjectBlockReader(parser, node).Run();
  return node;
}

bool ParseFormText(std::string text, ObjectForest& tree) {
  NormalizeLineEnds(text);
  TParser parser(std::move(text));
  Token token;
  parser.ReadToken(token);
  if (!IsObjectKeyword(token.Text)) return false;
  ParseObject(parser, tree, nullptr);
  return true;
}

void AnalyzeForms(ProjectModel& model, UserInterface& ui) {
  BusyCursor busy(ui.Progress);
  for (const UnitEntry& row : model.Units()) {
    ui.Progress.SetStatusText("Analyzing " + row.UnitName);
    ui.Progress.Step();
    const UnitEntry* unit = model.FindUnitByName(row.UnitName);
    if (unit == nullptr || unit->FormName.empty()) continue;
    AnalyzeForm(ToHostPath(FormFileName(model.ProjectFolder, *unit)), model.ObjectTree, ui.Messages);
  }
}

}  // namespace tarnwick
