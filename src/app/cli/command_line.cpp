#include "app/cli/command_line.h"

#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <set>

#include <CLI/CLI.hpp>

#include "app/open_project.h"
#include "app/app_settings.h"
#include "app/cli/project_dump.h"
#include "app/cli/terminal_progress.h"
#include "app/cli/terminal_prompter.h"
#include "platform/file_system.h"
#include "platform/settings_store.h"
#include "platform/text_encoding.h"
#include "platform/text_util.h"
#include "report/documentation_writer.h"
#include "report/report_options.h"
#include "report/uses_graph_files.h"
#include "version.h"

namespace tarnwick {

namespace {

struct CommandLineOptions {
  std::string Project;
  std::string SettingsFile;
  std::vector<std::string> Overrides;
  bool Yes = false;
  bool Quiet = false;
  std::string Dump;
  bool Pretty = false;
  std::vector<std::string> SelectUnits;
  std::vector<std::string> SelectImages;
  std::optional<std::vector<std::string>> DependencyShow;
  bool DependencyAll = false;
  std::optional<std::vector<std::string>> ObjectShow;
  bool ObjectAll = false;
  bool Cycles = false;
  std::string Graph;
  bool GraphOutside = false;
};

/// Exit statuses of a run; the usage text lists them.
enum ExitStatus {
  kWritten = 0,
  kFailure = 1,
  kNothingSelected = 2,
  kDeclined = 3,
  kNoFolder = 4,
  kWrittenWithErrors = 5
};

constexpr const char* kExitStatusHelp =
    "Exit status: 0 written; 1 failed, nothing usable written; 2 nothing selected to print;\n"
    "3 an existing document was kept; 4 the documentation folder could not be created;\n"
    "5 written, with errors (each one was shown).";

const std::set<std::string>& AppSettingNames() {
  static const std::set<std::string> names = {
      "BitmapImages",     "JPegCompressionQuality", "BuiltInBrowser",      "DefaultBrowser",
      "AlternateBrowser", "AlternateBrowserPath",   "AnalyzeDependencies", "AnalyzeForms",
      "SourceCodePage",   "DependencyCompact"};
  return names;
}

// Puts one application setting into the in-memory store, as a number when the value is one. The
// command line never saves the store, so an override lasts for this run only.
void OverrideAppSetting(SettingsStore& store, const std::string& name, const std::string& value) {
  int32_t number = 0;
  auto [end, failure] = std::from_chars(value.data(), value.data() + value.size(), number);
  RegValue regValue;
  const bool text = name == "SourceCodePage";  // "1251" is a code page's name, not a number
  if (!text && failure == std::errc() && end == value.data() + value.size() && !value.empty()) {
    regValue.Type = RegType::Dword;
    regValue.Number = static_cast<uint32_t>(number);
  } else {
    regValue.Text = value;
  }
  store.SetValue(kRegistryKey, name, regValue);
}

// Applies every "-o NAME=VALUE": application settings before they are loaded, report options
// after. Gives false with `error` set on the first one that is refused.
bool ApplyOverrides(const std::vector<std::string>& overrides, SettingsStore& store,
                    ReportOptions* reportOptions, std::string& error) {
  for (const std::string& assignment : overrides) {
    size_t equals = assignment.find('=');
    if (equals == std::string::npos) {
      error = "-o needs NAME=VALUE, got \"" + assignment + "\"";
      return false;
    }
    std::string name = assignment.substr(0, equals);
    std::string value = assignment.substr(equals + 1);
    if (AppSettingNames().count(name)) {
      if (!reportOptions) OverrideAppSetting(store, name, value);
      if (name == "SourceCodePage" && !CanonicalCodePage(value)) {
        error = "SourceCodePage must be auto, utf-8, windows-1250 to windows-1258, cp866, koi8-r, "
                "iso-8859-N or a code page number, got \"" + value + "\"";
        return false;
      }
    } else if (reportOptions && !OverrideReportOption(*reportOptions, name, value, error)) {
      return false;
    }
  }
  return true;
}

void DefineOptions(CLI::App& app, CommandLineOptions& options) {
  app.set_version_flag("--version", std::string("tarnwick-doc ") + kVersion);
  app.add_option("project", options.Project, "The Delphi project file (.dpr) to document")->required();
  app.add_option("--settings", options.SettingsFile,
                 "Settings file (default: $TARNWICK_SETTINGS, else $XDG_CONFIG_HOME/Merrowind/Tarnwick.reg)");
  app.add_option("-o", options.Overrides, "Override a stored setting or report option for this run: NAME=VALUE");
  app.add_flag("-y,--yes", options.Yes, "Answer OK to every confirmation");
  app.add_flag("-q,--quiet", options.Quiet, "Show no progress");
  app.add_option("--dump", options.Dump, "Print the opened project instead of documenting it")
      ->check(CLI::IsMember({"json", "text"}));
  app.add_flag("--pretty", options.Pretty, "Indent the --dump json output (compact without it)");
  app.add_option("--select-units", options.SelectUnits, "Units selected in the Source list (comma-separated)")
      ->delimiter(',');
  app.add_option("--select-images", options.SelectImages, "Image files selected in the Images list (comma-separated)")
      ->delimiter(',');
  app.add_option("--dependency-show", options.DependencyShow, "Replace the dependency filter's Show List, then filter")
      ->delimiter(',');
  app.add_flag("--dependency-all", options.DependencyAll, "Show the full dependency tree");
  app.add_option("--object-show", options.ObjectShow, "Replace the object filter's shown types, then filter")
      ->delimiter(',');
  app.add_flag("--object-all", options.ObjectAll, "Show the full object tree");
  app.add_flag("--cycles", options.Cycles, "Print the circular reference groups instead of documenting");
  app.add_option("--graph", options.Graph, "Write the units' uses graph (FILE.dot or FILE.graphml) instead of documenting")
      ->check([](const std::string& path) {
        return GraphFileFormatOf(path) == GraphFileFormat::Unknown ? "the graph file must end in .dot, .gv or .graphml"
                                                                   : "";
      });
  app.add_flag("--graph-outside", options.GraphOutside, "Put the units outside the project into the graph too");
}

void ApplyViewChoices(const CommandLineOptions& options, Workspace& workspace) {
  if (options.DependencyShow)
    workspace.Dependencies.ReplaceShowList(*options.DependencyShow, workspace.Model.DependencyTree);
  if (options.DependencyAll) workspace.Dependencies.ShowAllDependencies();
  if (options.ObjectShow) {
    workspace.Objects.ReplaceObjectShowList(*options.ObjectShow);
    ShowFilteredObjects(workspace.Model, workspace.Objects);
  }
  if (options.ObjectAll) ShowAllObjects(workspace.Objects);
  if (!options.SelectImages.empty()) {
    for (ImageEntry& image : workspace.Model.Images) {
      image.Selected = false;
      for (const std::string& name : options.SelectImages)
        if (EqualsNoCase(image.FileName, name)) image.Selected = true;
    }
  }
}

std::string ProgramFolder() {
  std::error_code error;
  std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : self.parent_path().string() + "/";
}

int WriteDocs(const CommandLineOptions& options, Workspace& workspace, ReportOptions& reportOptions,
              UserInterface& ui) {
  DocumentationRequest request;
  request.SelectedUnits.insert(options.SelectUnits.begin(), options.SelectUnits.end());
  request.ProgramFolder = ProgramFolder();
  switch (DocResult result = WriteDocumentation(workspace.Subject(), reportOptions, ui, request)) {
    case DocResult::Written:
    case DocResult::WrittenWithErrors:
      // The file as the host names it: the folder may differ in letter case from the one asked for.
      std::cout << ToHostPath(DocumentationFilePath(workspace.Model)) << "\n";
      return result == DocResult::Written ? kWritten : kWrittenWithErrors;
    case DocResult::NothingSelected:
      ui.Messages.Show(MessageKind::Information, "You have not selected anything to print.");
      return kNothingSelected;
    case DocResult::Declined: return kDeclined;
    case DocResult::NoFolder: return kNoFolder;
    case DocResult::NoFile: break;
  }
  return kFailure;
}

// --graph and --cycles: the uses graph is built here when the open flow did not analyse dependencies.
int WriteDependencyInsight(const CommandLineOptions& options, Workspace& workspace, Prompter& prompter) {
  if (!workspace.Settings.AnalyzeDependencies) workspace.Model.Uses = BuildUsesGraph(workspace.Model);
  const UsesGraph& graph = workspace.Model.Uses;
  if (!options.Graph.empty()) {
    std::string error;
    if (!WriteUsesGraphFile(graph, options.Graph, options.GraphOutside, workspace.Model.CodePage, error)) {
      prompter.Show(MessageKind::Error, "Could not write the graph file " + options.Graph + ".\r\r" + error,
                    MessageButtons::Ok);
      return kFailure;
    }
  }
  if (options.Cycles) {
    std::cout << "Circular references (" << graph.Cycles.size() << "):\n";
    const TextDecoder decoder(workspace.Model.CodePage);
    for (const std::string& row : CycleGroupRows(graph)) std::cout << "  " << decoder.ToUtf8(row) << "\n";
  }
  return kWritten;
}

int Run(const CommandLineOptions& options) {
  TerminalPrompter prompter(options.Yes, ::isatty(STDIN_FILENO) != 0);
  SettingsStore store(options.SettingsFile.empty() ? SettingsStore::DefaultFilePath() : options.SettingsFile);
  std::string error;
  if (!store.Load(&error)) {
    prompter.Show(MessageKind::Warning, "The settings file could not be read; the defaults are used.\r\r" +
                                            store.FilePath() + "\r\r" + error,
                  MessageButtons::Ok);
  }
  ApplyOverrides(options.Overrides, store, nullptr, error);
  Workspace workspace;
  LoadSettings(store, workspace.Settings);
  TerminalProgress progress(!options.Quiet && ::isatty(STDERR_FILENO) != 0);
  EstimatingTextMeasure measure;
  UserInterface ui{prompter, progress, measure};
  ReportOptions reportOptions;
  LoadReportOptions(store, reportOptions, ui);
  if (!ApplyOverrides(options.Overrides, store, &reportOptions, error)) {
    prompter.Show(MessageKind::Error, error, MessageButtons::Ok);
    return kFailure;
  }
  // Messages of the open meet project text before its code page is detected.
  if (workspace.Settings.SourceCodePage != kAutoCodePage) prompter.SetCodePage(workspace.Settings.SourceCodePage);
  std::error_code ignored;
  if (!OpenProject(workspace, ui, OpenHooks(), std::filesystem::absolute(options.Project, ignored).string())) {
    return kFailure;
  }
  prompter.SetCodePage(workspace.Model.CodePage);
  ApplyViewChoices(options, workspace);
  progress.Reset();
  if (options.Cycles || !options.Graph.empty()) {
    const int status = WriteDependencyInsight(options, workspace, prompter);
    if (status != kWritten || options.Dump.empty()) return status;
  }
  if (!options.Dump.empty()) {
    if (options.Dump == "json") {
      DumpProjectJson(workspace, prompter.Records(), std::cout, options.Pretty);
    } else {
      DumpProjectText(workspace, prompter.Records(), std::cout);
    }
    std::cout.flush();
    if (!std::cout) {
      prompter.Show(MessageKind::Error, "The dump could not be written to standard output.", MessageButtons::Ok);
      return kFailure;
    }
    return kWritten;
  }
  return WriteDocs(options, workspace, reportOptions, ui);
}

}  // namespace

int RunCommandLine(int argc, char** argv) {
  CLI::App app{"Opens a Delphi project and writes its HTML documentation.", "tarnwick-doc"};
  CommandLineOptions options;
  DefineOptions(app, options);
  app.footer(kExitStatusHelp);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& failure) {
    // Bad usage exits 1 with the usage; --help and --version exit 0.
    return app.exit(failure) == 0 ? 0 : kFailure;
  }
  try {
    return Run(options);
  } catch (const std::exception& failure) {
    // Whatever was not caught on the way (memory running out) ends the run, reported.
    std::fprintf(stderr, "error: %s\n", failure.what());
    return kFailure;
  }
}

}  // namespace tarnwick
