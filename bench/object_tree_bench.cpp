// Throughput of building the object tree from form text, and of the object filter over the result.
// The generated form holds what real forms hold: nested panels, buttons, labels, dotted font
// properties, string lists, collections with nested items and lines of hex picture data, with CR LF
// line ends. Two sizes of the same text show that the work grows linearly with the input.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <map>
#include <string>
#include <utility>

#include "analysis/form_analysis.h"
#include "analysis/project_model.h"
#include "views/object_filter.h"

namespace {

using tarnwick::ObjectForest;

std::string PanelBlock(const std::string& id) {
  std::string text;
  text += "  object Panel" + id + ": TPanel\r\n    Left = 8\r\n    Top = 16\r\n    Width = 420\r\n"
          "    Height = 120\r\n    Caption = 'Customer " + id + "'\r\n    Font.Charset = DEFAULT_CHARSET\r\n"
          "    Font.Name = 'MS Sans Serif'\r\n    Font.Style = [fsBold]\r\n    TabOrder = 1\r\n";
  text += "    object Label" + id + ": TLabel\r\n      Left = 4\r\n      Caption = '&Name:'\r\n    end\r\n";
  text += "    object List" + id + ": TListBox\r\n      Items.Strings = (\r\n        'Alpha'\r\n"
          "        'Beta'\r\n        'Gamma')\r\n      TabOrder = 0\r\n    end\r\n";
  text += "    object View" + id + ": TListView\r\n      Columns = <\r\n        item\r\n"
          "          Caption = 'Name'\r\n          Width = 120\r\n        end\r\n        item\r\n"
          "          Caption = 'Size'\r\n          Alignment = taRightJustify\r\n        end>\r\n"
          "      ViewStyle = vsReport\r\n    end\r\n";
  text += "    object Image" + id + ": TImage\r\n      Picture.Data = {\r\n";
  for (int line = 0; line < 4; ++line)
    text += "        0954424974D617036030000424D3603000000000000360000002800000010000000\r\n";
  text += "        FFFF00}\r\n      Stretch = True\r\n    end\r\n";
  text += "    object Button" + id + ": TButton\r\n      Caption = 'OK'\r\n      OnClick = ButtonClick\r\n"
          "    end\r\n  end\r\n";
  return text;
}

// One form of about `megabytes` MB.
const std::string& FormText(size_t megabytes) {
  static std::map<size_t, std::string> texts;
  std::string& text = texts[megabytes];
  if (text.empty()) {
    text = "object MainForm: TMainForm\r\n  Left = 232\r\n  Caption = 'Generated'\r\n";
    for (int n = 1; text.size() < (megabytes << 20); ++n) text += PanelBlock(std::to_string(n));
    text += "end\r\n";
  }
  return text;
}

void BM_BuildObjectTree(benchmark::State& state) {
  const std::string& source = FormText(static_cast<size_t>(state.range(0)));
  size_t nodes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    std::string text = source;
    ObjectForest tree;
    state.ResumeTiming();
    tarnwick::ParseFormText(std::move(text), tree);
    state.PauseTiming();
    nodes = tarnwick::CountNodes(tree);
    tree.clear();
    state.ResumeTiming();
  }
  state.counters["nodes"] = static_cast<double>(nodes);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * source.size()));
}

// The filter as a project opening runs it: every type shown, the default exclusions applied.
void BM_ShowFilteredObjects(benchmark::State& state) {
  const std::string& source = FormText(static_cast<size_t>(state.range(0)));
  tarnwick::ProjectModel model;
  tarnwick::ParseFormText(source, model.ObjectTree);
  tarnwick::ObjectFilter filter;
  tarnwick::FillObjectTypeList(model.ObjectTree, filter);
  for (auto _ : state) {
    tarnwick::ShowFilteredObjects(model, filter);
    benchmark::DoNotOptimize(filter.FilteredTree.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * source.size()));
}

BENCHMARK(BM_BuildObjectTree)->Arg(10)->Arg(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShowFilteredObjects)->Arg(10)->Arg(20)->Unit(benchmark::kMillisecond);

}  // namespace
