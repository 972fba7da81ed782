#include "app/cli/command_line.h"

#include <unistd.h>

#include <charconv>
#include <filesystem>
#include <cstdio>
#include <iostream>
#include <set>

#include <CLI/CLI.hpp>

#include "analysis/open_project.h"
#include "app/app_settings.h"
#include "app/cli/project_dump.h"
#include "app/cli/terminal_progress.h"
#include "app/cli/terminal_prompter.h"
#include "platform/settings_store.h"
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
};

// The stored value names that "-o NAME=VALUE" may override.
const std::set<std::string>& OverridableNames() {
  static const std::set<std::string> names = {
      "BitmapImages",     "JPegCompressionQuality", "BuiltInBrowser",      "DefaultBrowser",
      "AlternateBrowser", "AlternateBrowserPath",   "AnalyzeDependencies", "AnalyzeForms"};
  return names;
}

// Puts one "NAME=VALUE" into the in-memory store, as a number when the value is one. The store is
// never saved by the command line, so an override lasts for this run only.
bool ApplyOverride(SettingsStore& store, const std::string& assignment, std::string& error) {
  size_t equals = assignment.find('=');
  std::string name = assignment.substr(0, equals);
  if (equals == std::string::npos || !OverridableNames().count(name)) {
    error = "unknown setting in -o " + assignment;
    return false;
  }
  std::string value = assignment.substr(equals + 1);
  int32_t number = 0;
  auto [end, failure] = std::from_chars(value.data(), value.data() + value.size(), number);
  RegValue regValue;
  if (failure == std::errc() && end == value.data() + value.size() && !value.empty()) {
    regValue.Type = RegType::Dword;
    regValue.Number = static_cast<uint32_t>(number);
  } else {
    regValue.Text = value;
  }
  store.SetValue(kRegistryKey, name, regValue);
  return true;
}

void DefineOptions(CLI::App& app, CommandLineOptions& options) {
  app.set_version_flag("--version", std::string("tarnwick-doc ") + kVersion);
  app.add_option("project", options.Project, "The Delphi project file (.dpr) to document")->required();
  app.add_option("--settings", options.SettingsFile,
                 "Settings file to use (default: $TARNWICK_SETTINGS, else "
                 "$XDG_CONFIG_HOME/Merrowind/Tarnwick.reg)");
  app.add_option("-o", options.Overrides, "Override a stored setting for this run: NAME=VALUE")
      ->take_all();
  app.add_flag("-y,--yes", options.Yes, "Answer OK to every confirmation");
  app.add_flag("-q,--quiet", options.Quiet, "Show no progress");
  app.add_option("--dump", options.Dump, "Print the opened project and exit")
      ->check(CLI::IsMember({"json", "text"}));
}

int Run(const CommandLineOptions& options) {
  SettingsStore store(options.SettingsFile.empty() ? SettingsStore::DefaultFilePath()
                                                   : options.SettingsFile);
  store.Load();
  for (const std::string& assignment : options.Overrides) {
    std::string error;
    if (!ApplyOverride(store, assignment, error)) {
      std::cerr << "tarnwick-doc: " << error << "\n";
      return 1;
    }
  }
  Workspace workspace;
  LoadSettings(store, workspace.Settings);
  TerminalPrompter prompter(options.Yes, ::isatty(STDIN_FILENO) != 0);
  TerminalProgress progress(!options.Quiet && ::isatty(STDERR_FILENO) != 0);
  EstimatingTextMeasure measure;
  UserInterface ui{prompter, progress, measure};
  std::error_code ignored;
  std::string project = std::filesystem::absolute(options.Project, ignored).string();
  OpenProject(workspace, ui, OpenHooks(), project);
  progress.Reset();
  if (options.Dump == "json") {
    std::cout << DumpJsonText(DumpProjectJson(workspace, prompter.Records())) << "\n";
    return 0;
  }
  if (options.Dump == "text") {
    std::cout << DumpProjectText(workspace, prompter.Records());
    return 0;
  }
  std::cout << "tarnwick-doc " << kVersion << "\n"
            << "Opened " << workspace.Model.ProjectFile << ": " << workspace.Model.Units().size()
            << " units, " << workspace.Model.Images.size() << " images\n";
  return 0;
}

}  // namespace

int RunCommandLine(int argc, char** argv) {
  CLI::App app{"Writes the HTML documentation of a Delphi project.", "tarnwick-doc"};
  CommandLineOptions options;
  DefineOptions(app, options);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& failure) {
    // Bad usage exits 1 with the usage; --help and --version exit 0.
    int status = app.exit(failure);
    return status == 0 ? 0 : 1;
  }
  return Run(options);
}

}  // namespace tarnwick
