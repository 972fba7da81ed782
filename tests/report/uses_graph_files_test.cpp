#include "report/uses_graph_files.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace tarnwick {
namespace {

using testing::ReadFileText;
using testing::TempFolder;

size_t Count(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

// Names that need quoting in both formats, and one Latin-1 byte that must become UTF-8.
UsesGraph SampleGraph() {
  UsesGraph graph;
  graph.Units = {"Main", "Edit \"x\" \\ & <y>", "Caf\xe9", "Lone"};
  graph.OutsideUnits = {"SysUtils"};
  graph.Edges = {{0, 1, UsesSection::Interface},
                 {1, 0, UsesSection::Implementation},
                 {1, 2, UsesSection::Interface},
                 {2, 2, UsesSection::Implementation}};
  graph.OutsideEdges = {{0, 0, UsesSection::Interface}, {2, 0, UsesSection::Implementation}};
  graph.Cycles = FindCycleGroups(graph);
  return graph;
}

class UsesGraphFilesTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, bool outside) {
    const std::string path = folder_.Path() + name;
    std::string error;
    EXPECT_TRUE(WriteUsesGraphFile(graph_, path, outside, error)) << error;
    return path;
  }

  TempFolder folder_;
  UsesGraph graph_ = SampleGraph();
};

// The DOT files drawn by the dot program and the picture drawn through the library show the same.
TEST_F(UsesGraphFilesTest, DotIsReadBackByGraphvizAndTheLibraryDrawsTheSame) {
  for (int drawing = 0; drawing < 3; ++drawing) {
    SCOPED_TRACE(drawing);
    const bool outside = drawing == 1;
    const std::string svg = folder_.Path() + "uses.svg";
    std::string error;
    if (drawing < 2) {
      const std::string dot = Write("uses.dot", outside);
      ASSERT_EQ(std::system(("dot -Tsvg '" + dot + "' -o '" + svg + "' 2>/dev/null").c_str()), 0);
    } else {
      ASSERT_TRUE(WriteUsesGraphSvg(graph_, svg, error)) << error;
    }
    const std::string drawn = ReadFileText(svg);
    EXPECT_EQ(Count(drawn, "class=\"node\""), outside ? 5u : 4u);
    EXPECT_EQ(Count(drawn, "class=\"edge\""), outside ? 6u : 4u);
    // The three edges inside the two cycle groups are red.
    EXPECT_EQ(Count(drawn, "<path fill=\"none\" stroke=\"red\""), 3u);
    EXPECT_NE(drawn.find("Edit &quot;x&quot; \\ &amp; &lt;y&gt;"), std::string::npos);
    EXPECT_NE(drawn.find("Caf\xc3\xa9"), std::string::npos);
  }
}

// The edges of a GraphML file as "source>target section", read with libxml2.
std::vector<std::string> GraphMlEdges(const std::string& path, std::map<std::string, std::string>& labels) {
  std::vector<std::string> edges;
  xmlDocPtr document = xmlReadFile(path.c_str(), nullptr, XML_PARSE_NONET);
  if (document == nullptr) return edges;
  auto attribute = [](xmlNodePtr node, const char* name) {
    xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
    std::string text = value ? reinterpret_cast<const char*>(value) : "";
    xmlFree(value);
    return text;
  };
  auto content = [](xmlNodePtr node) {
    xmlChar* value = xmlNodeGetContent(node);
    std::string text = reinterpret_cast<const char*>(value);
    xmlFree(value);
    return text;
  };
  xmlNodePtr graph = xmlDocGetRootElement(document)->children;
  while (graph != nullptr && xmlStrcmp(graph->name, reinterpret_cast<const xmlChar*>("graph")) != 0) graph = graph->next;
  for (xmlNodePtr item = graph ? graph->children : nullptr; item != nullptr; item = item->next) {
    if (item->type != XML_ELEMENT_NODE) continue;
    std::map<std::string, std::string> data;
    for (xmlNodePtr d = item->children; d != nullptr; d = d->next) data[attribute(d, "key")] = content(d);
    if (xmlStrcmp(item->name, reinterpret_cast<const xmlChar*>("node")) == 0) {
      labels[attribute(item, "id")] = data["label"] + (data.count("outside") ? " (outside)" : "");
    } else {
      edges.push_back(attribute(item, "source") + ">" + attribute(item, "target") + " " + data["section"] +
                      (data.count("cycle") ? " cycle" : ""));
    }
  }
  xmlFreeDoc(document);
  return edges;
}

TEST_F(UsesGraphFilesTest, GraphMlIsReadBackByAnXmlReader) {
  std::map<std::string, std::string> labels;
  EXPECT_EQ(GraphMlEdges(Write("uses.GraphML", true), labels),
            (std::vector<std::string>{"u0>u1 interface cycle", "u1>u0 implementation cycle", "u1>u2 interface",
                                      "u2>u2 implementation cycle", "u0>o0 interface", "u2>o0 implementation"}));
  EXPECT_EQ(labels, (std::map<std::string, std::string>{{"u0", "Main"},
                                                        {"u1", "Edit \"x\" \\ & <y>"},
                                                        {"u2", "Caf\xc3\xa9"},
                                                        {"u3", "Lone"},
                                                        {"o0", "SysUtils (outside)"}}));
}

TEST_F(UsesGraphFilesTest, FailuresAreReported) {
  std::string error;
  EXPECT_FALSE(WriteUsesGraphFile(graph_, folder_.Path() + "uses.txt", false, error));
  EXPECT_NE(error.find(".graphml"), std::string::npos);
  EXPECT_FALSE(WriteUsesGraphFile(graph_, folder_.Path() + "no/uses.dot", false, error));
  EXPECT_FALSE(WriteUsesGraphSvg(graph_, folder_.Path() + "no/graph.svg", error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace tarnwick
