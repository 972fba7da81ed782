// Opening a project without the analyses: parsing the project file, filling the sorted unit list
// and the filter lists, and searching the documentation folder. Time must grow linearly with the
// number of units. And the detection of a project's code page.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "analysis/code_page_detection.h"
#include "app/open_project.h"
#include "project_generator.h"

namespace tarnwick {
namespace {

/// Answers every message with OK, so a benchmark measures the work and not the questions.
struct SilentPrompter final : Prompter {
  MessageAnswer Show(MessageKind, std::string_view, MessageButtons) override { return MessageAnswer::Ok; }
};

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
  SilentPrompter prompter;
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

// Detecting the code page of a real-shaped 50-unit project that is all UTF-8 (2.5 MB of Pascal):
// every source and form is read and checked once more, which is the whole cost such a project
// pays for detection at each open.
void BM_DetectCodePageOfUtf8Project(benchmark::State& state) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("tarnwick-codepage-" + std::to_string(::getpid()));
  std::filesystem::remove_all(folder);
  GeneratorOptions options;
  options.OutputFolder = folder.string();
  options.LinesPerUnit = 1750;
  const GeneratedProject project = GenerateProject(options);
  NullProgressSink progress;
  EstimatingTextMeasure measure;
  SilentPrompter prompter;
  UserInterface ui{prompter, progress, measure};
  Workspace workspace;
  workspace.Settings.AnalyzeDependencies = false;
  workspace.Settings.AnalyzeForms = false;
  OpenProject(workspace, ui, OpenHooks(), project.ProjectFile);
  for (auto _ : state) benchmark::DoNotOptimize(ProjectCodePage(workspace.Model, "auto"));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * project.SourceBytes));
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_DetectCodePageOfUtf8Project)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarnwick
