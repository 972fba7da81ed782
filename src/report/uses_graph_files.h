#pragma once

#include <string>
#include <string_view>

#include "analysis/uses_graph.h"

namespace tarnwick {

/// The file formats the uses graph is exported in, chosen by the file's extension.
enum class GraphFileFormat { Dot, GraphMl, Unknown };

/// ".dot" and ".gv" give Dot, ".graphml" GraphMl (any letter case); anything else Unknown.
GraphFileFormat GraphFileFormatOf(std::string_view path);

/// The graph as Graphviz DOT: one node per project unit (and per outside unit when
/// `includeOutside`), each edge with its `section` ("interface" or "implementation"); edges from
/// implementation sections are dashed, edges inside a cycle group red. Names are written in UTF-8,
/// decoded from `codePage` (the project's) where they are not.
std::string UsesGraphDot(const UsesGraph& graph, bool includeOutside, std::string_view codePage);
/// The same as GraphML, with the node keys `label` and `outside` and the edge keys `section` and
/// `cycle`.
std::string UsesGraphGraphMl(const UsesGraph& graph, bool includeOutside, std::string_view codePage);

/// Writes the graph in the format of the file's extension, atomically. False with `error` set
/// when the extension is not known or the file cannot be written. This is what an export
/// command calls.
bool WriteUsesGraphFile(const UsesGraph& graph, const std::string& path, bool includeOutside,
                        std::string_view codePage, std::string& error);

/// Draws the project units' graph with Graphviz's dot layout as SVG, cycle group edges in red, and
/// writes it atomically to `path`. False with `error` set when drawing or writing fails.
bool WriteUsesGraphSvg(const UsesGraph& graph, const std::string& path, std::string_view codePage,
                       std::string& error);

}  // namespace tarnwick
