// Opening a project without the analyses: parsing the project file, filling the sorted unit list
// and the filter lists, and searching the documentation folder. Time must grow linearly with the
// number of units.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/open_project.h"

namespace tarnwick {
namespace {

std::string WriteProject(int units) {
  std::string folder = (std::filesystem::temp_directory_path() / ("tarnwick-open-" + std::to_string(units))).string();
  std::filesystem::create_directories(folder);
  std::string text = "program Big;\r\nuses\r\n  Forms,\r\n";
  for (int i = 0; i < units; ++i) {
    // Names in a scattered order, as real projects list them.
    int n = (i * 7919) % units;
    text += "  Unit" + std::to_string(n) + " in 'Src\\Unit" + std::to_string(n) + ".pas' {Form" +
            std::to_string(n) + "}" + (i + 1 < units ? ",\r\n" : ";\r\n");
  }
  text += "begin\r\n  Application.CreateForm(TForm0, Form0);\r\nend.\r\n";
  std::ofstream(folder + "/Big.dpr", std::ios::binary) << text;
  return folder + "/Big.dpr";
}

void BM_OpenProjectWithoutAnalyses(benchmark::State& state) {
  std::string path = WriteProject(static_cast<int>(state.range(0)));
  NullProgressSink progress;
  EstimatingTextMeasure measure;
  struct Silent : Prompter {
    MessageAnswer Show(MessageKind, std::string_view, MessageButtons) override { return MessageAnswer::Ok; }
  } prompter;
  UserInterface ui{prompter, progress, measure};
  for (auto _ : state) {
    Workspace workspace;
    workspace.Settings.AnalyzeDependencies = false;
    workspace.Settings.AnalyzeForms = false;
    OpenProject(workspace, ui, OpenHooks(), path);
    benchmark::DoNotOptimize(workspace.Model.Units().size());
  }
  state.SetComplexityN(state.range(0));
  state.counters["units/s"] = benchmark::Counter(static_cast<double>(state.range(0)), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_OpenProjectWithoutAnalyses)->Arg(500)->Arg(1000)->Arg(2000)->Arg(4000)->Complexity(benchmark::oN);

}  // namespace
}  // namespace tarnwick
