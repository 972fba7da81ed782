// Builds object trees from arbitrary form text, the way the form analysis does, and runs the object
// filter over them. Besides memory errors it catches nesting that escapes the depth limit (which
// would let a deep tree exhaust the stack of the recursive walks elsewhere) and a filtered tree
// that is not a part of the full tree.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "analysis/form_analysis.h"
#include "analysis/project_model.h"
#include "views/object_filter.h"

namespace {

using tarnwick::ObjectForest;
using tarnwick::ObjectNode;

void Require(bool condition) {
  if (!condition) std::abort();
}

size_t MaxDepth(const ObjectForest& tree) {
  size_t deepest = 0;
  std::vector<std::pair<const ObjectNode*, size_t>> pending;
  for (const auto& root : tree) pending.emplace_back(root.get(), 1);
  while (!pending.empty()) {
    auto [node, depth] = pending.back();
    pending.pop_back();
    deepest = std::max(deepest, depth);
    for (const auto& child : node->Children) pending.emplace_back(child.get(), depth + 1);
  }
  return deepest;
}

// The text as a form file's body and as the lines after a header that the parser reads itself.
void BuildTrees(const std::string& text, tarnwick::ProjectModel& model) {
  tarnwick::ParseFormText(text, model.ObjectTree);
  tarnwick::ParseFormText("object Form1: TForm1\r\n" + text, model.ObjectTree);
  tarnwick::TParser parser(text);
  const ObjectNode* node = tarnwick::ParseObject(parser, model.ObjectTree, nullptr);
  Require(node == model.ObjectTree.back().get());
  Require(MaxDepth(model.ObjectTree) <= tarnwick::kMaxObjectDepth);
}

// Filters with every combination of the options; the first bytes choose types to suppress.
void FilterTrees(const std::string& text, const tarnwick::ProjectModel& model) {
  tarnwick::ObjectFilter filter;
  tarnwick::FillObjectTypeList(model.ObjectTree, filter);
  filter.Options.Exclusions().Add("TForm1", "Left");
  filter.Options.Exclusions().Add("TPanel", "");
  std::vector<size_t> rows;
  for (size_t i = 0; i < text.size() && i < 8; ++i) rows.push_back(static_cast<unsigned char>(text[i]));
  filter.ExcludeBtnClick(rows);
  for (int options = 0; options < 3; ++options) {
    filter.Options.SetShowChild(options == 1);
    filter.Options.SetShowAllDescendants(options == 2);
    tarnwick::ShowFilteredObjects(model, filter);
    Require(tarnwick::CountNodes(filter.FilteredTree) <= tarnwick::CountNodes(model.ObjectTree));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  tarnwick::ProjectModel model;
  BuildTrees(text, model);
  FilterTrees(text, model);
  return 0;
}
