#include "app/cli/project_dump.h"

#include <sstream>

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

Json TreeJson(const DependencyForest& forest) {
  Json nodes = Json::array();
  for (const auto& node : forest) nodes.push_back({{"label", node->Label}, {"children", TreeJson(node->Children)}});
  return nodes;
}

Json TreeJson(const ObjectForest& forest) {
  Json nodes = Json::array();
  for (const auto& node : forest) {
    nodes.push_back({{"label", node->Label},
                     {"properties", node->Data ? node->Data->Properties : std::vector<std::string>()},
                     {"children", TreeJson(node->Children)}});
  }
  return nodes;
}

Json UnitsJson(const ProjectModel& model) {
  Json units = Json::array();
  for (const UnitEntry& unit : model.Units())
    units.push_back({{"unitName", unit.UnitName}, {"formName", unit.FormName}, {"path", unit.Path}});
  return units;
}

Json ImagesJson(const ProjectModel& model) {
  Json images = Json::array();
  for (const ImageEntry& image : model.Images) {
    images.push_back({{"formName", image.FormName},
                      {"viewName", image.ViewName},
                      {"unitName", image.UnitName},
                      {"fileName", image.FileName},
                      {"status", image.Status},
                      {"width", image.Image ? image.Image->Width : 0},
                      {"height", image.Image ? image.Image->Height : 0}});
  }
  return images;
}

// Project text is 8-bit; bytes that are not valid UTF-8 are replaced so the dump stays valid JSON.
std::string JsonText(const Json& json) {
  return json.dump(2, ' ', false, Json::error_handler_t::replace);
}

}  // namespace

nlohmann::ordered_json DumpProjectJson(const Workspace& workspace,
                                       const std::vector<TerminalPrompter::Record>& messages) {
  const ProjectModel& model = workspace.Model;
  Json json;
  json["projectFile"] = model.ProjectFile;
  json["projectFolder"] = model.ProjectFolder;
  json["documentationFolder"] = model.DocumentationFolder;
  json["caption"] = workspace.Caption;
  json["mainFormName"] = model.MainFormName;
  json["rootUnitName"] = model.RootUnitName;
  json["units"] = UnitsJson(model);
  json["unusedSources"] = model.UnusedSources;
  const DependencyFilter& dependencies = workspace.Dependencies;
  json["dependencies"] = {{"caption", dependencies.Caption},
                          {"current", CurrentName(dependencies.CurDependencyTreeView)},
                          {"tree", TreeJson(model.DependencyTree)},
                          {"filteredTree", TreeJson(dependencies.FilteredTree)},
                          {"showList", dependencies.ShowList},
                          {"availableList", dependencies.SuppressList}};
  const ObjectFilter& objects = workspace.Objects;
  json["objects"] = {{"caption", objects.Caption},
                     {"current", CurrentName(objects.CurObjectTreeView)},
                     {"tree", TreeJson(model.ObjectTree)},
                     {"filteredTree", TreeJson(objects.FilteredTree)},
                     {"showList", objects.ShowList},
                     {"suppressList", objects.SuppressList}};
  json["images"] = ImagesJson(model);
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
      << "Root unit:      " << model.RootUnitName << "\n\n"
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
  return out.str();
}

std::string DumpJsonText(const nlohmann::ordered_json& json) { return JsonText(json); }

}  // namespace tarnwick
