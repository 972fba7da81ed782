#include "report/tree_text.h"

#include <algorithm>
#include <utility>

#include "platform/text_util.h"
#include "views/object_filter.h"

namespace tarnwick {

namespace {

std::span<const std::string> PropertiesOf(const DependencyNode&) { return {}; }

std::span<const std::string> PropertiesOf(const ObjectNode& node) {
  if (!node.Data) return {};
  return node.Data->Properties;
}

template <typename Node>
std::vector<TreeRow> Flatten(const std::vector<std::unique_ptr<Node>>& forest) {
  std::vector<TreeRow> rows;
  // Pending nodes with their levels; children go on in reverse so the first is taken first.
  std::vector<std::pair<const Node*, int>> pending;
  for (auto it = forest.rbegin(); it != forest.rend(); ++it) pending.emplace_back(it->get(), 0);
  while (!pending.empty()) {
    auto [node, level] = pending.back();
    pending.pop_back();
    rows.push_back(TreeRow{level, node->Label, PropertiesOf(*node)});
    for (auto it = node->Children.rbegin(); it != node->Children.rend(); ++it) {
      pending.emplace_back(it->get(), level + 1);
    }
  }
  return rows;
}

bool IsBlank(char c) {
  auto byte = static_cast<unsigned char>(c);
  return byte <= 32 && c != '\r' && c != '\n';
}

int WholeNumberOf(std::string_view text) {
  std::optional<int> number = ParseWholeNumber(text);
  if (!number) throw DocumentError("'" + std::string(text) + "' is not a valid integer value");
  return *number;
}

bool InAnchorList(std::string_view name, const std::vector<std::string>& formAnchorList) {
  for (const std::string& entry : formAnchorList) {
    if (EqualsNoCase(entry, name)) return true;
  }
  return false;
}

}  // namespace

std::vector<TreeRow> TreeRowsOf(const DependencyForest& forest) { return Flatten(forest); }
std::vector<TreeRow> TreeRowsOf(const ObjectForest& forest) { return Flatten(forest); }

const DependencyForest& CurrentDependencyTree(const ProjectModel& model, const DependencyFilter& filter) {
  static const DependencyForest kNoTree;
  switch (filter.CurDependencyTreeView) {
    case CurrentTree::All: return model.DependencyTree;
    case CurrentTree::Filtered: return filter.FilteredTree;
    case CurrentTree::None: break;
  }
  return kNoTree;
}

const ObjectForest& CurrentObjectTree(const ProjectModel& model, const ObjectFilter& filter) {
  static const ObjectForest kNoTree;
  switch (filter.CurObjectTreeView) {
    case CurrentTree::All: return model.ObjectTree;
    case CurrentTree::Filtered: return filter.FilteredTree;
    case CurrentTree::None: break;
  }
  return kNoTree;
}

std::string KeepBlanks(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    bool runGoesOn = i + 1 < text.size() && IsBlank(text[i + 1]);
    if (IsBlank(text[i]) && runGoesOn) {
      result += "&nbsp ";
    } else if (IsBlank(text[i])) {
      result += ' ';
    } else {
      result += text[i];
    }
  }
  return result;
}

std::string IndentPrefix(int indentSpaces, int level) {
  if (indentSpaces <= 0 || level <= 0) return {};
  return KeepBlanks(std::string(static_cast<size_t>(indentSpaces) * static_cast<size_t>(level), ' '));
}

std::string_view FormNameOf(std::string_view label) {
  size_t colon = label.find(':');
  if (colon == std::string_view::npos) return {};
  return TrimBlanks(label.substr(0, colon));
}

int DependencyLevelLimit(const ReportOptions& options) {
  if (!options.DependencyMaxLevel) return 0;
  return std::max(WholeNumberOf(options.DependencyMaxLevelNum), 0);
}

std::vector<TreeRow> DependencyRowsOf(const DependencyForest& tree, const ReportOptions& options) {
  std::vector<TreeRow> rows = TreeRowsOf(tree);
  int limit = DependencyLevelLimit(options);
  if (limit > 0) std::erase_if(rows, [limit](const TreeRow& row) { return row.Level >= limit; });
  return rows;
}

void WriteDependencyText(const DependencyForest& tree, const ReportOptions& options, HtmlWriter& writer) {
  writer.WriteLine("<H3>Dependencies</H3>");
  int maxLevel = DependencyLevelLimit(options);
  int indent = WholeNumberOf(options.IndentSpaces);
  writer.WriteLine("<P>");
  if (maxLevel > 0) writer.WriteLine("(to a max of " + std::to_string(maxLevel) + " levels)<BR>");
  int lastLevel = 0;
  std::string prefix;
  for (const TreeRow& row : DependencyRowsOf(tree, options)) {
    if (row.Level != lastLevel) {
      prefix = IndentPrefix(indent, row.Level);
      lastLevel = row.Level;
    }
    writer.WriteLine(prefix + EscapeHtml(row.Text) + "<BR>");
  }
  writer.WriteLine("</P>");
}

void WriteObjectText(const ObjectForest& tree, const ReportOptions& options,
                     const std::vector<std::string>& formAnchorList, HtmlWriter& writer) {
  if (tree.empty()) return;
  writer.FontOpen(options.ObjectsFont, options.ObjectsFontSize1);
  int indent = WholeNumberOf(options.IndentSpaces);
  int lastLevel = 0;
  std::string prefix;
  writer.WriteLine("<P>");
  for (const TreeRow& row : TreeRowsOf(tree)) {
    std::string_view formName = FormNameOf(row.Text);
    if (InAnchorList(formName, formAnchorList)) {
      writer.WriteText("<A NAME=\"OBJECT" + EscapeHtml(formName) + "\"></A>");
    }
    if (row.Level != lastLevel) {
      prefix = IndentPrefix(indent, row.Level);
      lastLevel = row.Level;
    }
    writer.WriteLine(prefix + EscapeHtml(row.Text) + "<BR>");
    if (!options.ObjectsShowProperties) continue;
    // The raised level makes the next sibling compute its own prefix again, while a child (one
    // level deeper) keeps the property prefix, which is the same text.
    ++lastLevel;
    prefix = IndentPrefix(indent, lastLevel);
    for (const std::string& line : row.Properties) {
      writer.WriteLine(prefix + KeepBlanks(EscapeHtml(line)) + "<BR>");
    }
  }
  writer.WriteLine("</font>");
  writer.WriteLine("<P>");
}

}  // namespace tarnwick
