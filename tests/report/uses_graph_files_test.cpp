#include "report/uses_graph_files.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstdlib>
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

// Names that need quoting in both formats, and one byte of the project's code page that must
// become UTF-8 (0xE9 is U+0439 in windows-1251).
constexpr std::string_view kCodePage = "windows-1251";

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
    EXPECT_TRUE(WriteUsesGraphFile(graph_, path, outside, kCodePage, error)) << error;
    return path;
  }

  TempFolder folder_;
  UsesGraph graph_ = SampleGraph();
};

// The DOT file as the fixture shows it, read back by the dot program; the library draws the same
// graph without the outside unit, the edges of the two cycle groups red.
TEST_F(UsesGraphFilesTest, DotIsAsTheFixtureShowsAndTheLibraryDrawsTheSame) {
  const std::string dot = Write("uses.dot", true);
  EXPECT_EQ(ReadFileText(dot), ReadFileText(TARNWICK_FIXTURES_DIR "/graphs/uses_outside.dot"));
  EXPECT_EQ(std::system(("dot -Tsvg '" + dot + "' -o /dev/null 2>/dev/null").c_str()), 0);
  const std::string svg = folder_.Path() + "uses.svg";
  std::string error;
  ASSERT_TRUE(WriteUsesGraphSvg(graph_, svg, kCodePage, error)) << error;
  const std::string drawn = ReadFileText(svg);
  EXPECT_EQ(Count(drawn, "class=\"node\""), 4u);
  EXPECT_EQ(Count(drawn, "class=\"edge\""), 4u);
  EXPECT_EQ(Count(drawn, "<path fill=\"none\" stroke=\"red\""), 3u);
  EXPECT_NE(drawn.find("Edit &quot;x&quot; \\ &amp; &lt;y&gt;"), std::string::npos);
  EXPECT_NE(drawn.find("Caf\xd0\xb9"), std::string::npos);
}

// Whole-file comparison: names escaped and decoded to UTF-8, the outside unit marked, each edge
// with its section and whether it lies in a cycle group. An XML reader reads the file back.
TEST_F(UsesGraphFilesTest, GraphMlIsWellFormedAndAsTheFixtureShows) {
  const std::string path = Write("uses.GraphML", true);
  xmlDocPtr document = xmlReadFile(path.c_str(), nullptr, XML_PARSE_NONET);
  EXPECT_NE(document, nullptr) << "not well-formed";
  xmlFreeDoc(document);
  EXPECT_EQ(ReadFileText(path), ReadFileText(TARNWICK_FIXTURES_DIR "/graphs/uses_outside.graphml"));
}

}  // namespace
}  // namespace tarnwick
