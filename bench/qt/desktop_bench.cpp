// Speed of the desktop program: from creating the windows to the painted main window with the demo
// project open, and what opening a large generated project costs in the window compared with the
// same open without one (the window must not add work per unit).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <filesystem>

#include "app/open_project.h"
#include "app/qt/desktop_app.h"
#include "app/qt/main_form.h"
#include "project_generator.h"

namespace tarnwick {
namespace {

namespace fs = std::filesystem;

struct SilentPrompter final : Prompter {
  MessageAnswer Show(MessageKind, std::string_view, MessageButtons) override { return MessageAnswer::Ok; }
};

/// A folder under the system's temporary folder, removed at the end.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& name) : path_(fs::temp_directory_path() / name) {
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~ScratchFolder() { fs::remove_all(path_); }
  std::string Path() const { return path_.string() + "/"; }

 private:
  fs::path path_;
};

const std::string& LargeProject() {
  static ScratchFolder folder("tarnwick-desktop-bench");
  static const std::string path = [] {
    GeneratorOptions options;
    options.Units = 344;
    options.Seed = 7;
    options.OutputFolder = folder.Path();
    return GenerateProject(options).ProjectFile;
  }();
  return path;
}

void BM_StartUpToPaintedWindowWithDemo(benchmark::State& state) {
  ScratchFolder folder("tarnwick-startup-bench");
  fs::copy(TARNWICK_SOURCE_DIR "/examples/Demo", folder.Path() + "Demo", fs::copy_options::recursive);
  DesktopOptions options;
  options.SettingsFile = QString::fromStdString(folder.Path() + "settings.reg");
  options.Project = QString::fromStdString(folder.Path() + "Demo/Demo.dpr");
  for (auto _ : state) {
    DesktopApp app(options);
    app.Start();
    while (app.MainForm().Space().Model.ProjectFile.empty()) QApplication::processEvents();
    benchmark::DoNotOptimize(app.MainForm().grab());  // the window painted with the project
  }
}
BENCHMARK(BM_StartUpToPaintedWindowWithDemo)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OpenLargeProjectWithoutWindow(benchmark::State& state) {
  const std::string& path = LargeProject();
  SilentPrompter prompter;
  NullProgressSink progress;
  EstimatingTextMeasure measure;
  UserInterface ui{prompter, progress, measure};
  for (auto _ : state) {
    Workspace workspace;
    OpenProject(workspace, ui, OpenHooks(), path);
    benchmark::DoNotOptimize(workspace.Model.Units().size());
  }
}
BENCHMARK(BM_OpenLargeProjectWithoutWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OpenLargeProjectInWindow(benchmark::State& state) {
  const std::string& path = LargeProject();
  ScratchFolder folder("tarnwick-window-bench");
  SettingsStore store(folder.Path() + "settings.reg");
  SilentPrompter prompter;
  TMainForm form(store, prompter);
  form.show();
  for (auto _ : state) {
    form.OpenProjectFile(QString::fromStdString(path));
    QApplication::processEvents();
    benchmark::DoNotOptimize(form.Space().Model.Units().size());
  }
}
BENCHMARK(BM_OpenLargeProjectInWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace tarnwick

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QElapsedTimer started;
  started.start();
  QApplication application(argc, argv);
  const qint64 applicationMs = started.elapsed();
  benchmark::Initialize(&argc, argv);
  benchmark::AddCustomContext("application_object_ms", std::to_string(applicationMs));
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
