// Speed and memory of the tree pages of the desktop program on Qt's offscreen platform: a tree the
// size of a real 49-unit project's (200 000 nodes), one the size of a 344-unit project's (1.5
// million), and one at the dependency analysis' node budget (2 million); then the generated
// 344-unit project and a densely connected one opened in the main window, as a user opens them.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPixmap>
#include <QScrollBar>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "app/qt/main_form.h"
#include "project_generator.h"
#include "views/qt/dependencies_page.h"

namespace {

using namespace tarnwick;

// The window answers in wall-clock time, so that is what the cases measure.
template <typename Work>
void TimeWall(benchmark::State& state, Work work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
}

// The high-water mark of the process' resident memory, in MB.
double PeakResidentMb() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
  }
  return 0;
}

const char* const kNames[] = {"frmCustomerDetails", "dmStockQueries", "SysUtils", "Classes", "uInvoiceReports",
                              "Forms", "frmOrderEntry", "App.Core.StockTypes", "Controls", "dlgSearchOptions",
                              "Graphics", "frmMain (Circular)", "Vcl.Dialogs", "uPriceRules", "DB"};

// A dependency tree of exactly `nodes` nodes shaped like a real one: every unit node uses a few
// units, most of them outside units (leaves), and the branches run deep.
DependencyForest MakeTree(size_t nodes) {
  std::mt19937_64 random(7);
  DependencyForest forest;
  std::vector<std::pair<DependencyNode*, int>> pending{{AddRoot(forest, "MainForm"), 0}};
  size_t count = 1;
  while (!pending.empty() && count < nodes) {
    auto [node, depth] = pending.back();
    pending.pop_back();
    const size_t children = 3 + random() % 10;
    for (size_t i = 0; i < children && count < nodes; ++i, ++count) {
      DependencyNode* child = node->AddChild(kNames[random() % std::size(kNames)]);
      if (depth < 24 && random() % 100 < 22) pending.emplace_back(child, depth + 1);
    }
    if (pending.empty() && count < nodes) pending.emplace_back(node->Children.front().get(), depth + 1);
  }
  return forest;
}

/// A dependency page in a window of a common screen size over a tree of a given size.
struct PageFixture {
  explicit PageFixture(size_t nodes) : page(model, filter, progress) {
    filter.FilteredTree = MakeTree(nodes);
    filter.CurDependencyTreeView = CurrentTree::Filtered;
    page.Detach();
    page.resize(1280, 760);
    page.show();
  }
  ProjectModel model;
  DependencyFilter filter;
  NullProgressSink progress;
  DependenciesPage page;
};

// Attach, expand and paint, as after an open.
void BM_ShowExpandedTree(benchmark::State& state) {
  PageFixture fixture(static_cast<size_t>(state.range(0)));
  Expansion shown;
  for (auto _ : state) {
    TimeWall(state, [&] {
      shown = fixture.page.ShowOpenedTrees();
      benchmark::DoNotOptimize(fixture.page.grab());
    });
    fixture.page.Detach();
  }
  state.counters["rows"] = static_cast<double>(shown.Rows);
  state.counters["levels"] = shown.Levels;
  state.counters["complete"] = shown.Complete ? 1 : 0;
  state.counters["peak_rss_mb"] = PeakResidentMb();
}

// Scrolling to the end of an expanded tree and painting the page there.
void BM_ScrollToEndAndPaint(benchmark::State& state) {
  PageFixture fixture(static_cast<size_t>(state.range(0)));
  fixture.page.ShowOpenedTrees();
  QScrollBar* bar = fixture.page.CurrentView()->verticalScrollBar();
  for (auto _ : state) {
    TimeWall(state, [&] {
      bar->setValue(bar->value() == bar->maximum() ? 0 : bar->maximum());
      benchmark::DoNotOptimize(fixture.page.grab());
    });
  }
}

class QuietPrompter final : public Prompter {
 public:
  MessageAnswer Show(MessageKind, std::string_view, MessageButtons) override { return MessageAnswer::Ok; }
};

// A generated project opened in the main window: the analyses, the filters, both pages expanded
// and the window painted.
void OpenGenerated(benchmark::State& state, int units, GraphShape shape) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("tarnwick-pages-bench-" + std::to_string(units));
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  GeneratorOptions options;
  options.Units = units;
  options.Seed = 1;
  options.Shape = shape;
  options.OutputFolder = folder.string();
  const GeneratedProject project = GenerateProject(options);
  SettingsStore store((folder / "settings.reg").string());
  QuietPrompter prompter;
  TMainForm form(store, prompter);
  form.resize(1280, 800);
  form.show();
  for (auto _ : state) {
    TimeWall(state, [&] {
      form.OpenProjectFile(QString::fromStdString(project.ProjectFile));
      benchmark::DoNotOptimize(form.grab());
    });
    state.counters["dependency_nodes"] = static_cast<double>(CountNodes(form.Space().Model.DependencyTree));
    state.counters["filtered_nodes"] = static_cast<double>(CountNodes(form.Space().Dependencies.FilteredTree));
    state.counters["peak_rss_mb"] = PeakResidentMb();
    form.CloseProject();
  }
  std::filesystem::remove_all(folder);
}

void BM_OpenLargeProjectInWindow(benchmark::State& state) { OpenGenerated(state, 344, GraphShape::RealLike); }
void BM_OpenDenseProjectInWindow(benchmark::State& state) { OpenGenerated(state, 120, GraphShape::Dense); }

// The whole-window project first, so its peak memory is not another case's.
BENCHMARK(BM_OpenLargeProjectInWindow)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();
BENCHMARK(BM_ShowExpandedTree)
    ->Arg(200'000)
    ->Arg(1'500'000)
    ->Arg(2'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseManualTime();
BENCHMARK(BM_ScrollToEndAndPaint)->Arg(1'500'000)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_OpenDenseProjectInWindow)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
