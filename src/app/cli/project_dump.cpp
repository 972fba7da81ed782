#include "app/cli/project_dump.h"

#include <sstream>

#include "platform/text_encoding.h"

namespace tarnwick {

namespace {

using Json = nlohmann::ordered_json;

Json CurrentName(CurrentTree current) {
  switch (current) {
    case CurrentTree::All: return "all";
    case CurrentTree::Filtered: return "filtered";
    case CurrentTree::None: break;
  }
  return nullptr;
}

// Project text as JSON strings: in UTF-8, decoded from the project's code page where it is not.
class JsonText {
 public:
  explicit JsonText(const TextDecoder& decoder) : decoder_(decoder) {}
  Json operator()(std::string_view text) const { return decoder_.ToUtf8(text); }
  Json operator()(const std::vector<std::string>& texts) const {
    Json list = Json::array();
    for (const std::string& text : texts) list.push_back((*this)(text));
    return list;
  }

 private:
  const TextDecoder& decoder_;
};

Json TreeJson(const DependencyForest& forest, const JsonText& text) {
  Json nodes = Json::array();
  for (const auto& node : forest)
    nodes.push_back({{"label", text(node->Label)}, {"children", TreeJson(node->Children, text)}});
  return nodes;
}

Json TreeJson(const ObjectForest& forest, const JsonText& text) {
  Json nodes = Json::array();
  for (const auto& node : forest) {
    nodes.push_back({{"label", text(node->Label)},
                     {"properties", text(node->Data ? node->Data->Properties : std::vector<std::string>())},
                     {"children", TreeJson(node->Children, text)}});
  }
  return nodes;
}

Json UnitsJson(const ProjectModel& model, const JsonText& text) {
  Json units = Json::array();
  for (const UnitEntry& unit : model.Units())
    units.push_back({{"unitName", text(unit.UnitName)}, {"formName", text(unit.FormName)}, {"path", text(unit.Path)}});
  return units;
}

Json ImagesJson(const ProjectModel& model, const JsonText& text) {
  Json images = Json::array();
  for (const ImageEntry& image : model.Images) {
    images.push_back({{"formName", text(image.FormName)},
                      {"viewName", text(image.ViewName)},
                      {"unitName", text(image.UnitName)},
                      {"fileName", text(image.FileName)},
                      {"status", image.Status},
                      {"width", image.Image ? image.Image->Width : 0},
                      {"height", image.Image ? image.Image->Height : 0}});
  }
  return images;
}

// Every string is UTF-8 by now; a replacement keeps the dump valid JSON should one not be.
std::string DumpText(const Json& json) { return json.dump(2, ' ', false, Json::error_handler_t::replace); }

}  // namespace

nlohmann::ordered_json DumpProjectJson(const Workspace& workspace,
                                       const std::vector<TerminalPrompter::Record>& messages) {
  const ProjectModel& model = workspace.Model;
  const TextDecoder decoder(model.CodePage);
  const JsonText text(decoder);
  Json json;
  json["projectFile"] = text(model.ProjectFile);
  json["projectFolder"] = text(model.ProjectFolder);
  json["documentationFolder"] = text(model.DocumentationFolder);
  json["caption"] = text(workspace.Caption);
  json["mainFormName"] = text(model.MainFormName);
  json["rootUnitName"] = text(model.RootUnitName);
  json["codePage"] = model.CodePage;
  json["units"] = UnitsJson(model, text);
  json["unusedSources"] = text(model.UnusedSources);
  const DependencyFilter& dependencies = workspace.Dependencies;
  json["dependencies"] = {{"caption", text(dependencies.Caption)},
                          {"current", CurrentName(dependencies.CurDependencyTreeView)},
                          {"tree", TreeJson(model.DependencyTree, text)},
                          {"filteredTree", TreeJson(dependencies.FilteredTree, text)},
                          {"showList", text(dependencies.ShowList)},
                          {"availableList", text(dependencies.SuppressList)}};
  const ObjectFilter& objects = workspace.Objects;
  json["objects"] = {{"caption", text(objects.Caption)},
                     {"current", CurrentName(objects.CurObjectTreeView)},
                     {"tree", TreeJson(model.ObjectTree, text)},
                     {"filteredTree", TreeJson(objects.FilteredTree, text)},
                     {"showList", text(objects.ShowList)},
                     {"suppressList", text(objects.SuppressList)}};
  json["images"] = ImagesJson(model, text);
  Json shown = Json::array();
  for (const auto& message : messages)
    shown.push_back({{"kind", TerminalPrompter::KindName(message.Kind)}, {"text", message.Text}});
  json["messages"] = shown;
  return json;
}

namespace {

void WriteTree(std::ostringstream& out, const DependencyForest& forest, int depth) {
  for (const auto& node : forest) {
    out << std::string(4 + 2 * depth, ' ') << node->Label << "\n";
    WriteTree(out, node->Children, depth + 1);
  }
}

void WriteTree(std::ostringstream& out, const ObjectForest& forest, int depth) {
  for (const auto& node : forest) {
    out << std::string(4 + 2 * depth, ' ') << node->Label << "\n";
    for (const std::string& line : node->Data->Properties)
      out << std::string(6 + 2 * depth, ' ') << "| " << line << "\n";
    WriteTree(out, node->Children, depth + 1);
  }
}

void WriteList(std::ostringstream& out, const char* title, const std::vector<std::string>& items) {
  out << "  " << title << ":";
  for (size_t i = 0; i < items.size(); ++i) out << (i ? ", " : " ") << items[i];
  out << "\n";
}

const char* CurrentText(CurrentTree current) {
  return current == CurrentTree::All ? "all" : current == CurrentTree::Filtered ? "filtered" : "none";
}

// One tree page: its caption, which tree is current, the filter's two lists and both trees.
template <typename Forest>
void WritePage(std::ostringstream& out, const std::string& caption, CurrentTree current,
               std::pair<const char*, const char*> listTitles, const std::vector<std::string>& shown,
               const std::vector<std::string>& other, const Forest& tree, const Forest& filtered) {
  out << "\n" << caption << " (current: " << CurrentText(current) << ")\n";
  WriteList(out, listTitles.first, shown);
  WriteList(out, listTitles.second, other);
  out << "  Tree:\n";
  WriteTree(out, tree, 0);
  out << "  Filtered tree:\n";
  WriteTree(out, filtered, 0);
}

}  // namespace

std::string DumpProjectText(const Workspace& workspace,
                            const std::vector<TerminalPrompter::Record>& messages) {
  const ProjectModel& model = workspace.Model;
  std::ostringstream out;
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
  // Decided line by line, as in every output.
  return TextDecoder(model.CodePage).ToUtf8(out.str());
}

std::string DumpJsonText(const nlohmann::ordered_json& json) { return DumpText(json); }

}  // namespace tarnwick
