// The inputs of extreme size and shape that once took quadratic time or unbounded memory: large
// settings files, text forms of a million lines, long property lists drawn as pictures, projects
// of 20,000 units, uses clauses naming 100,000 missing units and long chains of units. Each row
// must stay linear in its input; scripts/run-benchmarks checks the goals.
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <filesystem>
#include <ostream>
#include <streambuf>
#include <string>

#include "app/cli/project_dump.h"
#include "app/open_project.h"
#include "large_shapes.h"
#include "platform/settings_store.h"
#include "report/tree_images.h"
#include "report/tree_text.h"

namespace tarnwick {
namespace {

/// A folder of its own under the temporary folder, removed at the end.
class Scratch {
 public:
  explicit Scratch(const std::string& name)
      : path_((std::filesystem::temp_directory_path() / ("tarnwick-large-" + name)).string()) {
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~Scratch() { std::filesystem::remove_all(path_); }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

struct Discard final : std::streambuf {
  int overflow(int c) override { return c; }
  std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
};

struct Silent final : Prompter {
  MessageAnswer Show(MessageKind, std::string_view, MessageButtons) override { return MessageAnswer::Ok; }
};

struct Session {
  Silent prompter;
  NullProgressSink progress;
  EstimatingTextMeasure measure;
  UserInterface ui{prompter, progress, measure};

  void Open(Workspace& workspace, const std::string& project) {
    workspace.Settings.AnalyzeDependencies = true;
    workspace.Settings.AnalyzeForms = true;
    OpenProject(workspace, ui, OpenHooks(), project);
  }
};

double PeakResidentMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void SetBytes(benchmark::State& state, const std::string& file) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(std::filesystem::file_size(file)));
}

void BM_LoadSettings(benchmark::State& state) {
  Scratch scratch("settings");
  std::string file = WriteLargeSettings(scratch.Path(), static_cast<size_t>(state.range(0)), state.range(1) != 0);
  for (auto _ : state) {
    SettingsStore store(file);
    benchmark::DoNotOptimize(store.Load());
  }
  SetBytes(state, file);
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_LoadSettings)
    ->ArgNames({"bytes", "oneLine"})
    ->Args({1 << 20, 0})->Args({2 << 20, 0})->Args({4 << 20, 0})->Args({16 << 20, 0})
    ->Args({20 << 20, 1})
    ->Unit(benchmark::kMillisecond);

// Opening a project of one text form: reading the form, the object tree and its filtered copy.
void BM_OpenTextForm(benchmark::State& state) {
  Scratch scratch("form");
  std::string project = WriteLargeTextFormProject(scratch.Path(), static_cast<int>(state.range(0)), state.range(1) != 0);
  Session session;
  for (auto _ : state) {
    Workspace workspace;
    session.Open(workspace, project);
    benchmark::DoNotOptimize(workspace.Model.ObjectTree.size());
  }
  SetBytes(state, scratch.Path() + "/U0.dfm");
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_OpenTextForm)
    ->ArgNames({"lines", "openCollections"})
    ->Args({250'000, 0})->Args({500'000, 0})->Args({1'000'000, 0})->Args({100'000, 1})
    ->Unit(benchmark::kMillisecond);

// One object with a long list: its object section as text must stay within a small factor of the
// project's JSON dump.
struct LongList {
  Scratch scratch{"list"};
  Session session;
  Workspace workspace;
  explicit LongList(int items) { session.Open(workspace, WriteLongListFormProject(scratch.Path(), items)); }
};

// The object section as text, as a document run writes it by default.
void BM_DocumentLongPropertyList(benchmark::State& state) {
  LongList list(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    HtmlWriter writer;
    WriteObjectText(list.workspace.Model.ObjectTree, ReportOptions(), {}, writer);
    benchmark::DoNotOptimize(writer);
  }
}
BENCHMARK(BM_DocumentLongPropertyList)->Arg(200'000)->Unit(benchmark::kMillisecond);

void BM_DumpLongPropertyList(benchmark::State& state) {
  LongList list(static_cast<int>(state.range(0)));
  Discard discard;
  std::ostream out(&discard);
  for (auto _ : state) DumpProjectJson(list.workspace, {}, out, false);
}
BENCHMARK(BM_DumpLongPropertyList)->Arg(200'000)->Unit(benchmark::kMillisecond);

// The same list drawn as pictures with its property lines: one JPEG page per 100 lines, so the
// time per item must not grow with the list.
void BM_DrawLongPropertyList(benchmark::State& state) {
  LongList list(static_cast<int>(state.range(0)));
  std::vector<TreeRow> rows = TreeRowsOf(list.workspace.Model.ObjectTree);
  TreeImageRequest request;
  request.BaseName = "Objects";
  request.Rows = &rows;
  request.ShowProperties = true;
  request.DocumentationFolder = list.scratch.Path() + "/";
  for (auto _ : state) benchmark::DoNotOptimize(DrawTreeImages(request, list.session.ui).size());
  state.counters["items/s"] = benchmark::Counter(static_cast<double>(state.range(0)),
                                                 benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_DrawLongPropertyList)->Arg(10'000)->Arg(40'000)->Unit(benchmark::kMillisecond);

// Opening a project of many units with both analyses and dumping it as JSON.
void BM_OpenAndDumpUnits(benchmark::State& state) {
  Scratch scratch("units");
  std::string project = WriteManyUnitsProject(scratch.Path(), static_cast<int>(state.range(0)));
  Session session;
  Discard discard;
  std::ostream out(&discard);
  for (auto _ : state) {
    Workspace workspace;
    session.Open(workspace, project);
    DumpProjectJson(workspace, {}, out, false);
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_OpenAndDumpUnits)
    ->Arg(1000)->Arg(2000)->Arg(4000)->Arg(20'000)
    ->Unit(benchmark::kMillisecond);

void BM_OpenMissingUses(benchmark::State& state) {
  Scratch scratch("missing");
  std::string project = WriteMissingUsesProject(scratch.Path(), static_cast<int>(state.range(0)));
  Session session;
  for (auto _ : state) {
    Workspace workspace;
    session.Open(workspace, project);
    benchmark::DoNotOptimize(workspace.Dependencies.SuppressList.size());
  }
}
BENCHMARK(BM_OpenMissingUses)->Arg(100'000)->Unit(benchmark::kMillisecond);

// A chain of units: the tree is as deep as the chain is long. Opening, the JSON dump indented and
// the dependency text must all stay bounded in memory.
void BM_UnitChain(benchmark::State& state) {
  Scratch scratch("chain");
  std::string project = WriteUnitChainProject(scratch.Path(), static_cast<int>(state.range(0)));
  Session session;
  Discard discard;
  std::ostream out(&discard);
  for (auto _ : state) {
    Workspace workspace;
    session.Open(workspace, project);
    DumpProjectJson(workspace, {}, out, true);
    HtmlWriter writer;
    WriteDependencyText(workspace.Model.DependencyTree, ReportOptions(), writer);
  }
  state.counters["peak_rss_MB"] = PeakResidentMegabytes();
}
BENCHMARK(BM_UnitChain)->Arg(5000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarnwick
