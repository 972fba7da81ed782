#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "analysis/tree_nodes.h"

namespace tarnwick::testing {

/// A forest on one line: each label followed by its children in brackets, siblings split by ", ",
/// e.g. "Main[a[c], SysUtils], Other".
std::string Outline(const DependencyForest& forest);
/// The same for form objects, each by its object name alone (its label up to ':', blanks trimmed).
std::string Outline(const ObjectForest& forest);
/// The dependency forest an outline describes.
DependencyForest ParseOutline(std::string_view outline);

/// Form objects one a line as "+ label" with their property lines as "- line", one level deeper
/// two blanks further in.
std::string ObjectTreeText(const ObjectForest& forest);

/// The lines, each ended with CR LF, as form files are written.
std::string Crlf(const std::vector<std::string>& lines);

}  // namespace tarnwick::testing
