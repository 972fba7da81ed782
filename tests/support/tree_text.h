#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "analysis/tree_nodes.h"
#include "platform/text_util.h"

namespace tarnwick::testing {

template <typename Forest, typename Name>
void AppendOutline(std::string& out, const Forest& forest, Name name) {
  for (size_t i = 0; i < forest.size(); ++i) {
    out += (i > 0 ? ", " : "") + name(forest[i]->Label);
    if (forest[i]->Children.empty()) continue;
    out += '[';
    AppendOutline(out, forest[i]->Children, name);
    out += ']';
  }
}

/// A forest on one line: each label followed by its children in brackets, siblings split by ", ",
/// e.g. "Main[a[c], SysUtils], Other".
inline std::string Outline(const DependencyForest& forest) {
  std::string out;
  AppendOutline(out, forest, [](const std::string& label) { return label; });
  return out;
}

/// The same for form objects, each by its object name alone (its label up to ':', blanks trimmed).
inline std::string Outline(const ObjectForest& forest) {
  std::string out;
  AppendOutline(out, forest,
                [](std::string_view label) { return std::string(TrimBlanks(label.substr(0, label.find(':')))); });
  return out;
}

/// The dependency forest an outline describes.
inline DependencyForest ParseOutline(std::string_view outline) {
  DependencyForest forest;
  std::vector<DependencyNode*> parents;
  DependencyNode* last = nullptr;
  size_t start = 0;
  for (size_t at = 0; at <= outline.size(); ++at) {
    const char c = at < outline.size() ? outline[at] : ',';
    if (c != '[' && c != ']' && c != ',') continue;
    if (at > start) {
      std::string label(outline.substr(start, at - start));
      last = parents.empty() ? AddRoot(forest, label) : parents.back()->AddChild(label);
    }
    if (c == '[') parents.push_back(last);
    if (c == ']') parents.pop_back();
    start = at + (c == ',' ? 2 : 1);
  }
  return forest;
}

/// Form objects one a line as "+ label" with their property lines as "- line", one level deeper
/// two blanks further in.
inline std::string ObjectTreeText(const ObjectForest& forest, size_t depth = 0) {
  std::string out;
  for (const auto& node : forest) {
    out += std::string(2 * depth, ' ') + "+ " + node->Label + "\n";
    for (const std::string& line : node->Data->Properties) out += std::string(2 * depth + 2, ' ') + "- " + line + "\n";
    out += ObjectTreeText(node->Children, depth + 1);
  }
  return out;
}

}  // namespace tarnwick::testing
