#include "report/uses_graph_files.h"

#include <graphviz/cgraph.h>
#include <graphviz/gvc.h>

#include <limits>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/file_system.h"
#include "platform/text_util.h"
#include "platform/win_path.h"
#include "platform/text_encoding.h"

namespace tarnwick {

namespace {

constexpr size_t kNone = std::numeric_limits<size_t>::max();

// The graph's names as graph files hold them: UTF-8, decoded from the project's code page where
// they are not, and without control characters, which cannot stand in XML.
struct Utf8Names {
  std::vector<std::string> Units;
  std::vector<std::string> Outside;

  Utf8Names(const UsesGraph& graph, std::string_view codePage) {
    const TextDecoder decoder(codePage);
    for (const std::string& name : graph.Units) Units.push_back(Clean(decoder.ToUtf8(name)));
    for (const std::string& name : graph.OutsideUnits) Outside.push_back(Clean(decoder.ToUtf8(name)));
  }

  static std::string Clean(std::string text) {
    std::erase_if(text, [](char c) { return static_cast<unsigned char>(c) < 0x20; });
    return text;
  }
};

// Graphviz reads a backslash in a label as the start of an escape ("\N", "\l"), so a plain one is
// doubled, in a DOT file and through the library alike.
std::string LabelText(std::string_view name) {
  std::string text;
  for (char c : name) {
    if (c == '\\') text += '\\';
    text += c;
  }
  return text;
}

std::string DotQuoted(std::string_view name) {
  std::string text = "\"";
  for (char c : LabelText(name)) {
    if (c == '"') text += '\\';
    text += c;
  }
  return text + "\"";
}

std::string XmlText(std::string_view name) {
  std::string text;
  for (char c : name) {
    switch (c) {
      case '&': text += "&amp;"; break;
      case '<': text += "&lt;"; break;
      case '>': text += "&gt;"; break;
      case '"': text += "&quot;"; break;
      default: text += c;
    }
  }
  return text;
}

const char* SectionName(UsesSection section) {
  return section == UsesSection::Implementation ? "implementation" : "interface";
}

// The cycle group of each unit, or kNone.
std::vector<size_t> GroupOfUnits(const UsesGraph& graph) {
  std::vector<size_t> group(graph.Units.size(), kNone);
  for (size_t g = 0; g < graph.Cycles.size(); ++g)
    for (size_t unit : graph.Cycles[g].Units) group[unit] = g;
  return group;
}

bool InCycleGroup(const std::vector<size_t>& groupOf, const UsesEdge& edge) {
  return groupOf[edge.From] != kNone && groupOf[edge.From] == groupOf[edge.To];
}

// dot's crossing minimisation and curve routing grow far faster than the graph: a project of a few
// hundred units with curved edges takes a minute. Above this many edges the layout gives up some
// crossings and draws straight edges, which takes seconds; DOT files carry the same settings.
constexpr size_t kQuickLayoutEdges = 300;

std::vector<std::pair<const char*, const char*>> QuickLayout(const UsesGraph& graph) {
  if (graph.Edges.size() <= kQuickLayoutEdges) return {};
  return {{"mclimit", "0.1"}, {"nslimit", "2"}, {"nslimit1", "2"}, {"remincross", "false"}, {"splines", "line"}};
}

std::string UnitId(size_t unit) { return "u" + std::to_string(unit); }
std::string OutsideId(size_t unit) { return "o" + std::to_string(unit); }

std::string DotEdge(const UsesEdge& edge, const std::string& target, bool inCycle) {
  std::string line = "  " + UnitId(edge.From) + " -> " + target + " [section=" + SectionName(edge.Section);
  if (edge.Section == UsesSection::Implementation) line += ", style=dashed";
  if (inCycle) line += ", color=red";
  return line + "];\n";
}

std::string GraphMlNode(const std::string& id, std::string_view name, bool outside) {
  return "    <node id=\"" + id + "\"><data key=\"label\">" + XmlText(name) + "</data>" +
         (outside ? "<data key=\"outside\">true</data>" : "") + "</node>\n";
}

std::string GraphMlEdge(size_t number, const UsesEdge& edge, const std::string& target, bool inCycle) {
  return "    <edge id=\"e" + std::to_string(number) + "\" source=\"" + UnitId(edge.From) + "\" target=\"" + target +
         "\"><data key=\"section\">" + SectionName(edge.Section) + "</data>" +
         (inCycle ? "<data key=\"cycle\">true</data>" : "") + "</edge>\n";
}

// Graphviz reports through a function of its own; the last message explains a failed layout, and
// the core never prints.
std::string& GraphvizMessage() {
  static std::string message;
  return message;
}

int KeepGraphvizMessage(char* message) {
  GraphvizMessage() = message;
  return 0;
}

// One Graphviz context for the whole process: its text layout plugin keeps a pointer to the last
// font name, which lives in the context's font table, so freeing a context and drawing with a new
// one reads freed memory.
GVC_t* SharedContext() {
  static GVC_t* const context = gvContext();
  return context;
}

// A graph and its layout, released when the drawing is done.
struct GraphvizGraph {
  GVC_t* Context = SharedContext();
  Agraph_t* Graph = nullptr;
  bool LaidOut = false;
  ~GraphvizGraph() {
    if (LaidOut) gvFreeLayout(Context, Graph);
    if (Graph != nullptr) agclose(Graph);
  }
};

char* Chars(const char* text) { return const_cast<char*>(text); }

void BuildGraphvizGraph(const UsesGraph& graph, const Utf8Names& names, Agraph_t* g) {
  for (const auto& [name, value] : QuickLayout(graph)) agattr(g, AGRAPH, Chars(name), Chars(value));
  agattr(g, AGNODE, Chars("shape"), Chars("box"));
  agattr(g, AGNODE, Chars("fontname"), Chars("Helvetica"));
  agattr(g, AGNODE, Chars("label"), Chars("\\N"));
  agattr(g, AGEDGE, Chars("color"), Chars("black"));
  agattr(g, AGEDGE, Chars("style"), Chars("solid"));
  std::vector<Agnode_t*> nodes;
  for (size_t unit = 0; unit < graph.Units.size(); ++unit) {
    nodes.push_back(agnode(g, Chars(UnitId(unit).c_str()), 1));
    agset(nodes.back(), Chars("label"), Chars(LabelText(names.Units[unit]).c_str()));
  }
  const std::vector<size_t> groupOf = GroupOfUnits(graph);
  for (const UsesEdge& edge : graph.Edges) {
    Agedge_t* drawn = agedge(g, nodes[edge.From], nodes[edge.To], nullptr, 1);
    if (edge.Section == UsesSection::Implementation) agset(drawn, Chars("style"), Chars("dashed"));
    if (InCycleGroup(groupOf, edge)) agset(drawn, Chars("color"), Chars("red"));
  }
}

}  // namespace

GraphFileFormat GraphFileFormatOf(std::string_view path) {
  const std::string extension = ToLowerAscii(ExtractFileExt(path));
  if (extension == ".dot" || extension == ".gv") return GraphFileFormat::Dot;
  if (extension == ".graphml") return GraphFileFormat::GraphMl;
  return GraphFileFormat::Unknown;
}

std::string UsesGraphDot(const UsesGraph& graph, bool includeOutside, std::string_view codePage) {
  const Utf8Names names(graph, codePage);
  std::string text = "digraph uses {\n";
  for (const auto& [name, value] : QuickLayout(graph)) text += std::string("  ") + name + "=" + value + ";\n";
  text += "  node [shape=box];\n";
  for (size_t unit = 0; unit < graph.Units.size(); ++unit)
    text += "  " + UnitId(unit) + " [label=" + DotQuoted(names.Units[unit]) + "];\n";
  if (includeOutside) {
    for (size_t unit = 0; unit < graph.OutsideUnits.size(); ++unit)
      text += "  " + OutsideId(unit) + " [label=" + DotQuoted(names.Outside[unit]) + ", outside=true, style=dashed];\n";
  }
  const std::vector<size_t> groupOf = GroupOfUnits(graph);
  for (const UsesEdge& edge : graph.Edges) text += DotEdge(edge, UnitId(edge.To), InCycleGroup(groupOf, edge));
  if (includeOutside) {
    for (const UsesEdge& edge : graph.OutsideEdges) text += DotEdge(edge, OutsideId(edge.To), false);
  }
  return text + "}\n";
}

std::string UsesGraphGraphMl(const UsesGraph& graph, bool includeOutside, std::string_view codePage) {
  const Utf8Names names(graph, codePage);
  std::string text =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<graphml xmlns=\"http://graphml.graphdrawing.org/xmlns\">\n"
      "  <key id=\"label\" for=\"node\" attr.name=\"label\" attr.type=\"string\"/>\n"
      "  <key id=\"outside\" for=\"node\" attr.name=\"outside\" attr.type=\"boolean\"><default>false</default></key>\n"
      "  <key id=\"section\" for=\"edge\" attr.name=\"section\" attr.type=\"string\"/>\n"
      "  <key id=\"cycle\" for=\"edge\" attr.name=\"cycle\" attr.type=\"boolean\"><default>false</default></key>\n"
      "  <graph id=\"uses\" edgedefault=\"directed\">\n";
  for (size_t unit = 0; unit < graph.Units.size(); ++unit) text += GraphMlNode(UnitId(unit), names.Units[unit], false);
  if (includeOutside) {
    for (size_t unit = 0; unit < graph.OutsideUnits.size(); ++unit)
      text += GraphMlNode(OutsideId(unit), names.Outside[unit], true);
  }
  const std::vector<size_t> groupOf = GroupOfUnits(graph);
  size_t number = 0;
  for (const UsesEdge& edge : graph.Edges)
    text += GraphMlEdge(number++, edge, UnitId(edge.To), InCycleGroup(groupOf, edge));
  if (includeOutside) {
    for (const UsesEdge& edge : graph.OutsideEdges) text += GraphMlEdge(number++, edge, OutsideId(edge.To), false);
  }
  return text + "  </graph>\n</graphml>\n";
}

bool WriteUsesGraphFile(const UsesGraph& graph, const std::string& path, bool includeOutside,
                        std::string_view codePage, std::string& error) {
  std::string text;
  switch (GraphFileFormatOf(path)) {
    case GraphFileFormat::Dot: text = UsesGraphDot(graph, includeOutside, codePage); break;
    case GraphFileFormat::GraphMl: text = UsesGraphGraphMl(graph, includeOutside, codePage); break;
    case GraphFileFormat::Unknown:
      error = "A graph file must end in .dot, .gv or .graphml: " + path;
      return false;
  }
  return WriteFileAtomic(ToHostPath(path), text, &error, Durability::Plain);
}

bool WriteUsesGraphSvg(const UsesGraph& graph, const std::string& path, std::string_view codePage,
                       std::string& error) {
  GraphvizMessage().clear();
  agseterrf(KeepGraphvizMessage);
  GraphvizGraph graphviz;
  if (graphviz.Context == nullptr) {
    error = "Graphviz could not be started.";
    return false;
  }
  graphviz.Graph = agopen(Chars("uses"), Agdirected, nullptr);
  BuildGraphvizGraph(graph, Utf8Names(graph, codePage), graphviz.Graph);
  if (gvLayout(graphviz.Context, graphviz.Graph, "dot") != 0) {
    error = "Graphviz could not lay out the graph. " + GraphvizMessage();
    return false;
  }
  graphviz.LaidOut = true;
  char* data = nullptr;
  unsigned int length = 0;
  if (gvRenderData(graphviz.Context, graphviz.Graph, "svg", &data, &length) != 0 || data == nullptr) {
    error = "Graphviz could not draw the graph. " + GraphvizMessage();
    return false;
  }
  std::string svg(data, length);
  gvFreeRenderData(data);
  return WriteFileAtomic(ToHostPath(path), svg, &error, Durability::Plain);
}

}  // namespace tarnwick
