// Speed of the dependency analysis on generated projects: one shaped like a typical application
// (50 units), one like a large one (344 units), and a densely connected one that reaches the node
// budget. The typical project is also analysed with the file cache off, which reads and scans a
// unit's file at every visit, to show what the cache saves.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "analysis/dependency_analysis.h"
#include "analysis/uses_graph.h"
#include "app/workspace.h"
#include "report/uses_graph_files.h"

namespace {

using tarnwick::AnalyzeDependencies;
using tarnwick::CountNodes;
using tarnwick::DependencyAnalysisOptions;
using tarnwick::UserInterface;
using tarnwick::Workspace;

/// How a generated project's units use each other. Unit0 is the main form's unit; the others sit
/// in layers below it, as forms, then helpers, then shared utilities do. Most uses go from a unit
/// to one in a deeper layer, in the interface part; the rest go to a unit of the same or a
/// shallower layer, in the implementation part, and close circles as forms and their helpers do.
struct ProjectShape {
  int Units;
  int ProjectEdges;
  int Layers;
  int BackEdgePercent;
  int MainUses;  // units the main form's unit uses directly
  uint64_t Seed;
};

const ProjectShape kTypical{50, 270, 4, 2, 12, 8};
const ProjectShape kLarge{344, 1500, 6, 1, 30, 12};
const ProjectShape kDense{40, 900, 2, 50, 39, 3};

const char* const kOutsideUnits[] = {"Windows",  "Messages", "SysUtils", "Variants", "Classes",  "Graphics",
                                     "Controls", "Forms",    "Dialogs",  "StdCtrls", "ExtCtrls", "ComCtrls",
                                     "DB",       "ADODB",    "Grids",    "DBGrids",  "Menus",    "ActnList"};

std::string UnitName(int index) { return "Unit" + std::to_string(index); }

// A unit's text: the uses clauses, then a body of declarations and routines of typical length, so
// that reading and scanning a file costs what it costs in a real project.
std::string UnitText(int index, const std::vector<int>& forward, const std::vector<int>& back,
                     std::mt19937_64& random) {
  std::string text = "unit " + UnitName(index) + ";\r\n\r\ninterface\r\n\r\nuses\r\n  ";
  const size_t outside = 6 + random() % 6;
  for (size_t i = 0; i < outside; ++i) text += std::string(kOutsideUnits[(index + i * 5) % 18]) + ", ";
  for (int target : forward) text += UnitName(target) + ", ";
  text += "Types;\r\n\r\ntype\r\n  TForm" + std::to_string(index) + " = class(TForm)\r\n";
  for (int i = 0; i < 40; ++i)
    text += "    Control" + std::to_string(i) + ": TButton; // placed by the designer\r\n";
  text += "  end;\r\n\r\nimplementation\r\n\r\n";
  if (!back.empty()) {
    text += "uses ";
    for (size_t i = 0; i < back.size(); ++i)
      text += UnitName(back[i]) + (i + 1 < back.size() ? ", " : ";\r\n\r\n");
  }
  text += "{$R *.dfm}\r\n\r\n";
  for (int i = 0; i < 30; ++i) {
    text += "procedure TForm" + std::to_string(index) + ".Handler" + std::to_string(i) +
            "(Sender: TObject);\r\nvar\r\n  Count: Integer;\r\nbegin\r\n  { Refresh the view. }\r\n"
            "  Count := Control1.Tag + " +
            std::to_string(i) +
            ";\r\n  Caption := 'Items: ' + IntToStr(Count);\r\n"
            "end;\r\n\r\n";
  }
  return text + "end.\r\n";
}

/// A generated project on disk and a workspace whose unit list names its units, as the project file
/// parser would leave it. The folder is removed again at the end.
class GeneratedProject {
 public:
  explicit GeneratedProject(const ProjectShape& shape) {
    std::string pattern = (std::filesystem::temp_directory_path() / "tarnwick-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    folder_ = pattern + "/";
    workspace_.Model.ProjectFolder = folder_;
    workspace_.Model.RootUnitName = UnitName(0);
    Write(shape);
  }
  ~GeneratedProject() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  Workspace& Space() { return workspace_; }

 private:
  void Write(const ProjectShape& shape) {
    std::mt19937_64 random(shape.Seed);
    std::vector<std::vector<int>> forward(shape.Units), back(shape.Units);
    std::set<std::pair<int, int>> edges;
    auto add = [&](int from, int to) {
      if (from == to || !edges.insert({from, to}).second) return;
      (to > from ? forward : back)[from].push_back(to);
    };
    auto layer = [&](int unit) { return unit == 0 ? 0 : 1 + (unit - 1) * shape.Layers / (shape.Units - 1); };
    auto pick = [&](int lowest, int highest) {  // a unit whose layer lies in [lowest, highest]
      for (;;) {
        const int unit = static_cast<int>(random() % shape.Units);
        if (layer(unit) >= lowest && layer(unit) <= highest) return unit;
      }
    };
    for (int i = 1; i <= shape.MainUses && i < shape.Units; ++i) add(0, pick(1, 1));
    while (static_cast<int>(edges.size()) < shape.ProjectEdges) {
      const int from = 1 + static_cast<int>(random() % (shape.Units - 1));
      const bool goesBack = static_cast<int>(random() % 100) < shape.BackEdgePercent;
      if (goesBack) {
        add(from, pick(0, layer(from)));
      } else if (layer(from) < shape.Layers) {
        add(from, pick(layer(from) + 1, shape.Layers));
      }
    }
    for (int i = 0; i < shape.Units; ++i) {
      workspace_.Model.AddUnit({UnitName(i), i % 2 == 0 ? "Form" + std::to_string(i) : "", ""});
      std::ofstream(folder_ + UnitName(i) + ".pas", std::ios::binary)
          << UnitText(i, forward[i], back[i], random);
    }
  }

  std::string folder_;
  Workspace workspace_;
};

class QuietPrompter final : public tarnwick::Prompter {
 public:
  tarnwick::MessageAnswer Show(tarnwick::MessageKind, std::string_view, tarnwick::MessageButtons) override {
    return tarnwick::MessageAnswer::Ok;
  }
};

void RunAnalysis(benchmark::State& state, const ProjectShape& shape, DependencyAnalysisOptions options) {
  GeneratedProject project(shape);
  QuietPrompter prompter;
  tarnwick::NullProgressSink progress;
  tarnwick::EstimatingTextMeasure measure;
  UserInterface ui{prompter, progress, measure};
  size_t nodes = 0;
  for (auto _ : state) {
    AnalyzeDependencies(project.Space().Model, project.Space().Dependencies, ui, options);
    state.PauseTiming();
    nodes = CountNodes(project.Space().Model.DependencyTree);
    project.Space().Model.DependencyTree.clear();
    state.ResumeTiming();
  }
  state.counters["nodes"] = static_cast<double>(nodes);
  state.counters["nodes_per_s"] = benchmark::Counter(
      static_cast<double>(nodes) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_TypicalProject(benchmark::State& state) { RunAnalysis(state, kTypical, {}); }
void BM_TypicalProjectRereadingFiles(benchmark::State& state) {
  RunAnalysis(state, kTypical, {.CacheSources = false});
}
void BM_LargeProject(benchmark::State& state) { RunAnalysis(state, kLarge, {}); }
void BM_DenseProjectUpToBudget(benchmark::State& state) { RunAnalysis(state, kDense, {}); }

// What the dependency insight costs on the large project: the compact tree, the uses graph with
// its cycle groups (which reads every unit file once more) and the graph as DOT text.
void BM_LargeProjectCompactTreeCyclesAndGraph(benchmark::State& state) {
  GeneratedProject project(kLarge);
  QuietPrompter prompter;
  tarnwick::NullProgressSink progress;
  tarnwick::EstimatingTextMeasure measure;
  UserInterface ui{prompter, progress, measure};
  tarnwick::ProjectModel& model = project.Space().Model;
  size_t nodes = 0, groups = 0, dotBytes = 0;
  for (auto _ : state) {
    AnalyzeDependencies(model, project.Space().Dependencies, ui, {.Compact = true});
    model.Uses = tarnwick::BuildUsesGraph(model);
    dotBytes = tarnwick::UsesGraphDot(model.Uses, true, model.CodePage).size();
    state.PauseTiming();
    nodes = CountNodes(model.DependencyTree);
    groups = model.Uses.Cycles.size();
    model.DependencyTree.clear();
    state.ResumeTiming();
  }
  state.counters["nodes"] = static_cast<double>(nodes);
  state.counters["cycle_groups"] = static_cast<double>(groups);
  state.counters["dot_bytes"] = static_cast<double>(dotBytes);
}

// The large project's graph laid out by Graphviz and written as SVG.
void BM_LargeProjectGraphPicture(benchmark::State& state) {
  GeneratedProject project(kLarge);
  tarnwick::ProjectModel& model = project.Space().Model;
  model.Uses = tarnwick::BuildUsesGraph(model);
  const std::string path = model.ProjectFolder + "DependencyGraph.svg";
  for (auto _ : state) {
    std::string error;
    if (!tarnwick::WriteUsesGraphSvg(model.Uses, path, model.CodePage, error)) state.SkipWithError(error.c_str());
  }
  state.counters["edges"] = static_cast<double>(model.Uses.Edges.size());
}

BENCHMARK(BM_TypicalProject)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypicalProjectRereadingFiles)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LargeProject)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DenseProjectUpToBudget)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LargeProjectCompactTreeCyclesAndGraph)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LargeProjectGraphPicture)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(1);

}  // namespace
