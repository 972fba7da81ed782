#include "app/cli/project_dump.h"

#include <streambuf>
#include <string>
#include <utility>

#include "app/cli/json_stream.h"
#include "platform/text_encoding.h"

namespace tarnwick {

namespace {

// Project text as JSON strings: in UTF-8, decoded from the project's code page where it is not.
class JsonText {
 public:
  JsonText(JsonStream& json, const TextDecoder& decoder) : json_(json), decoder_(decoder) {}
  void operator()(std::string_view text) {
    json_.String(decoder_.ToUtf8(text, storage_));
  }
  void operator()(const std::vector<std::string>& texts) {
    json_.BeginArray();
    for (const std::string& text : texts) (*this)(text);
    json_.EndArray();
  }

 private:
  JsonStream& json_;
  const TextDecoder& decoder_;
  std::string storage_;
};

void CurrentJson(JsonStream& json, CurrentTree current) {
  switch (current) {
    case CurrentTree::All: return json.String("all");
    case CurrentTree::Filtered: return json.String("filtered");
    case CurrentTree::None: break;
  }
  json.Scalar(nullptr);
}

void NodeFields(JsonStream&, JsonText&, const DependencyNode&) {}

void NodeFields(JsonStream& json, JsonText& text, const ObjectNode& node) {
  json.Key("properties");
  text(node.Data ? node.Data->Properties : std::vector<std::string>());
}

// Each node as {"label", [properties], "children": [...]}, walked with an explicit stack of the
// open child lists, so depth costs no call stack.
template <typename Node>
void TreeJson(JsonStream& json, JsonText& text, const std::vector<std::unique_ptr<Node>>& forest) {
  using Forest = std::vector<std::unique_ptr<Node>>;
  std::vector<std::pair<const Forest*, size_t>> open{{&forest, 0}};
  json.BeginArray();
  while (!open.empty()) {
    auto& [siblings, next] = open.back();
    if (next == siblings->size()) {
      open.pop_back();
      json.EndArray();
      if (!open.empty()) json.EndObject();
      continue;
    }
    const Node& node = *(*siblings)[next++];
    json.BeginObject();
    json.Key("label");
    text(node.Label);
    NodeFields(json, text, node);
    json.Key("children");
    json.BeginArray();
    open.emplace_back(&node.Children, 0);
  }
}

void UnitsJson(JsonStream& json, JsonText& text, const ProjectModel& model) {
  json.BeginArray();
  for (const UnitEntry& unit : model.Units()) {
    json.BeginObject();
    json.Key("unitName");
    text(unit.UnitName);
    json.Key("formName");
    text(unit.FormName);
    json.Key("path");
    text(unit.Path);
    json.EndObject();
  }
  json.EndArray();
}

void CyclesJson(JsonStream& json, JsonText& text, const UsesGraph& graph) {
  json.BeginArray();
  for (const CycleGroup& group : graph.Cycles) {
    json.BeginObject();
    json.Key("units");
    json.BeginArray();
    for (size_t unit : group.Units) text(graph.Units[unit]);
    json.EndArray();
    json.Key("cycle");
    text(CycleText(graph, group));
    json.EndObject();
  }
  json.EndArray();
}

void ImagesJson(JsonStream& json, JsonText& text, const ProjectModel& model) {
  json.BeginArray();
  for (const ImageEntry& image : model.Images) {
    json.BeginObject();
    for (auto [key, value] : {std::pair{"formName", &image.FormName}, {"viewName", &image.ViewName},
                              {"unitName", &image.UnitName}, {"fileName", &image.FileName}}) {
      json.Key(key);
      text(*value);
    }
    json.Key("status");
    json.String(image.Status);
    json.Key("width");
    json.Scalar(image.Image ? image.Image->Width : 0);
    json.Key("height");
    json.Scalar(image.Image ? image.Image->Height : 0);
    json.EndObject();
  }
  json.EndArray();
}

// One tree page: caption, which tree is current, both trees and the filter's two lists.
template <typename Forest>
void PageJson(JsonStream& json, JsonText& text, const std::string& caption, CurrentTree current,
              const Forest& tree, const Forest& filtered, std::pair<const char*, const char*> listKeys,
              const std::vector<std::string>& shown, const std::vector<std::string>& other) {
  json.BeginObject();
  json.Key("caption");
  text(caption);
  json.Key("current");
  CurrentJson(json, current);
  json.Key("tree");
  TreeJson(json, text, tree);
  json.Key("filteredTree");
  TreeJson(json, text, filtered);
  json.Key(listKeys.first);
  text(shown);
  json.Key(listKeys.second);
  text(other);
  json.EndObject();
}

}  // namespace

void DumpProjectJson(const Workspace& workspace, const std::vector<TerminalPrompter::Record>& messages,
                     std::ostream& out, bool pretty) {
  const ProjectModel& model = workspace.Model;
  const TextDecoder decoder(model.CodePage);
  JsonStream json(out, pretty);
  JsonText text(json, decoder);
  json.BeginObject();
  for (auto [key, value] : {std::pair{"projectFile", &model.ProjectFile}, {"projectFolder", &model.ProjectFolder},
                            {"documentationFolder", &model.DocumentationFolder}, {"caption", &workspace.Caption},
                            {"mainFormName", &model.MainFormName}, {"rootUnitName", &model.RootUnitName}}) {
    json.Key(key);
    text(*value);
  }
  json.Key("codePage");
  json.String(model.CodePage);
  json.Key("units");
  UnitsJson(json, text, model);
  json.Key("unusedSources");
  text(model.UnusedSources);
  const DependencyFilter& dependencies = workspace.Dependencies;
  json.Key("dependencies");
  PageJson(json, text, dependencies.Caption, dependencies.CurDependencyTreeView, model.DependencyTree,
           dependencies.FilteredTree, {"showList", "availableList"}, dependencies.ShowList,
           dependencies.SuppressList);
  json.Key("cycles");
  CyclesJson(json, text, model.Uses);
  const ObjectFilter& objects = workspace.Objects;
  json.Key("objects");
  PageJson(json, text, objects.Caption, objects.CurObjectTreeView, model.ObjectTree, objects.FilteredTree,
           {"showList", "suppressList"}, objects.ShowList, objects.SuppressList);
  json.Key("images");
  ImagesJson(json, text, model);
  json.Key("messages");
  json.BeginArray();
  for (const auto& message : messages) {
    json.BeginObject();
    json.Key("kind");
    json.String(TerminalPrompter::KindName(message.Kind));
    json.Key("text");
    json.String(message.Text);
    json.EndObject();
  }
  json.EndArray();
  json.EndObject();
  out << "\n";
}

namespace {

void Blanks(std::ostream& out, size_t count) {
  for (size_t i = 0; i < count; ++i) out.put(' ');
}

void NodeLines(std::ostream&, const DependencyNode&, size_t) {}

void NodeLines(std::ostream& out, const ObjectNode& node, size_t depth) {
  if (!node.Data) return;
  for (const std::string& line : node.Data->Properties) {
    Blanks(out, 6 + 2 * depth);
    out << "| " << line << "\n";
  }
}

// Each node on its own line, indented by its depth, walked with an explicit stack.
template <typename Node>
void WriteTree(std::ostream& out, const std::vector<std::unique_ptr<Node>>& forest) {
  using Forest = std::vector<std::unique_ptr<Node>>;
  std::vector<std::pair<const Forest*, size_t>> open{{&forest, 0}};
  while (!open.empty()) {
    auto& [siblings, next] = open.back();
    if (next == siblings->size()) {
      open.pop_back();
      continue;
    }
    const Node& node = *(*siblings)[next++];
    const size_t depth = open.size() - 1;
    Blanks(out, 4 + 2 * depth);
    out << node.Label << "\n";
    NodeLines(out, node, depth);
    open.emplace_back(&node.Children, 0);
  }
}

void WriteList(std::ostream& out, const char* title, const std::vector<std::string>& items) {
  out << "  " << title << ":";
  for (size_t i = 0; i < items.size(); ++i) out << (i ? ", " : " ") << items[i];
  out << "\n";
}

const char* CurrentText(CurrentTree current) {
  return current == CurrentTree::All ? "all" : current == CurrentTree::Filtered ? "filtered" : "none";
}

// One tree page: its caption, which tree is current, the filter's two lists and both trees.
template <typename Forest>
void WritePage(std::ostream& out, const std::string& caption, CurrentTree current,
               std::pair<const char*, const char*> listTitles, const std::vector<std::string>& shown,
               const std::vector<std::string>& other, const Forest& tree, const Forest& filtered) {
  out << "\n" << caption << " (current: " << CurrentText(current) << ")\n";
  WriteList(out, listTitles.first, shown);
  WriteList(out, listTitles.second, other);
  out << "  Tree:\n";
  WriteTree(out, tree);
  out << "  Filtered tree:\n";
  WriteTree(out, filtered);
}

}  // namespace

namespace {

/// Collects the text dump and hands it on in UTF-8 in pieces of whole lines, so each line is
/// decoded on its own as in every output, and the dump never exists whole in memory.
class DecodingBuffer final : public std::streambuf {
 public:
  DecodingBuffer(std::ostream& out, std::string_view codePage) : out_(out), decoder_(codePage) {}
  ~DecodingBuffer() override { Flush(true); }

 protected:
  int overflow(int c) override {
    if (c != traits_type::eof()) pending_ += static_cast<char>(c);
    if (pending_.size() >= kPiece) Flush(false);
    return traits_type::not_eof(c);
  }
  std::streamsize xsputn(const char* text, std::streamsize count) override {
    pending_.append(text, static_cast<size_t>(count));
    if (pending_.size() >= kPiece) Flush(false);
    return count;
  }
  int sync() override {
    Flush(true);
    return 0;
  }

 private:
  static constexpr size_t kPiece = 1 << 16;

  void Flush(bool all) {
    size_t end = all ? pending_.size() : pending_.rfind('\n');
    if (end == std::string::npos) return;
    if (!all) ++end;
    out_ << decoder_.ToUtf8(std::string_view(pending_).substr(0, end), storage_);
    pending_.erase(0, end);
  }

  std::ostream& out_;
  TextDecoder decoder_;
  std::string pending_;
  std::string storage_;
};

}  // namespace

void DumpProjectText(const Workspace& workspace, const std::vector<TerminalPrompter::Record>& messages,
                     std::ostream& destination) {
  const ProjectModel& model = workspace.Model;
  DecodingBuffer buffer(destination, model.CodePage);
  std::ostream out(&buffer);
  out << "Project:        " << model.ProjectFile << "\n"
      << "Folder:         " << model.ProjectFolder << "\n"
      << "Documentation:  " << model.DocumentationFolder << "\n"
      << "Caption:        " << workspace.Caption << "\n"
      << "Main form:      " << model.MainFormName << "\n"
      << "Root unit:      " << model.RootUnitName << "\n"
      << "Code page:      " << model.CodePage << "\n\n"
      << "Units (" << model.Units().size() << "):\n";
  for (const UnitEntry& unit : model.Units())
    out << "  " << unit.UnitName << (unit.FormName.empty() ? "" : "  {" + unit.FormName + "}")
        << (unit.Path.empty() ? "" : "  in " + unit.Path) << "\n";
  out << "\nUnused sources (" << model.UnusedSources.size() << "):\n";
  for (const std::string& name : model.UnusedSources) out << "  " << name << "\n";
  const DependencyFilter& dependencies = workspace.Dependencies;
  WritePage(out, dependencies.Caption, dependencies.CurDependencyTreeView, {"Show List", "Available List"},
            dependencies.ShowList, dependencies.SuppressList, model.DependencyTree, dependencies.FilteredTree);
  out << "\nCircular references (" << model.Uses.Cycles.size() << "):\n";
  for (const std::string& row : CycleGroupRows(model.Uses)) out << "  " << row << "\n";
  const ObjectFilter& objects = workspace.Objects;
  WritePage(out, objects.Caption, objects.CurObjectTreeView, {"Show Objects", "Suppress Objects"},
            objects.ShowList, objects.SuppressList, model.ObjectTree, objects.FilteredTree);
  out << "\nImages (" << model.Images.size() << "):\n";
  for (const ImageEntry& image : model.Images) {
    out << "  " << image.FileName << "  form " << image.FormName
        << (image.ViewName.empty() ? "" : ", view " + image.ViewName) << ", " << image.Status;
    if (image.Image) out << ", " << image.Image->Width << "x" << image.Image->Height;
    out << "\n";
  }
  out << "\nMessages (" << messages.size() << "):\n";
  for (const auto& message : messages) out << "  " << TerminalPrompter::KindName(message.Kind) << ": " << message.Text << "\n";
  out.flush();
}

}  // namespace tarnwick
