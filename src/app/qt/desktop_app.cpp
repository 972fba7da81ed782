#include "app/qt/desktop_app.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>
#include <cstdio>

#include "app/qt/about_dialog.h"
#include "app/qt/main_form.h"
#include "app/qt/message_box_prompter.h"
#include "app/version_text.h"
#include "version.h"

namespace tarnwick {

std::optional<DesktopOptions> ParseDesktopArguments(const QStringList& arguments, int& exitCode) {
  QCommandLineParser parser;
  parser.setApplicationDescription("Shows a Delphi project's units, dependencies, forms and pictures, "
                                   "and writes its HTML documentation.");
  const QCommandLineOption help({"h", "help"}, "Show this help.");
  const QCommandLineOption version("version", "Show the version.");
  const QCommandLineOption settings("settings",
                                    "Settings file (default: $TARNWICK_SETTINGS, else "
                                    "$XDG_CONFIG_HOME/Merrowind/Tarnwick.reg).",
                                    "FILE");
  parser.addOptions({help, version, settings});
  parser.addPositionalArgument("project", "The Delphi project file (.dpr) to open.", "[PROJECT.dpr]");
  exitCode = 0;
  if (!parser.parse(arguments)) {
    std::fprintf(stderr, "tarnwick: %s\n%s", qPrintable(parser.errorText()), qPrintable(parser.helpText()));
    exitCode = 1;
    return std::nullopt;
  }
  if (parser.isSet(help)) {
    std::fputs(qPrintable(parser.helpText()), stdout);
    return std::nullopt;
  }
  if (parser.isSet(version)) {
    std::printf("tarnwick %s\n", kFileVersion);
    return std::nullopt;
  }
  if (parser.positionalArguments().size() > 1) {
    std::fprintf(stderr, "tarnwick: one project at most\n%s", qPrintable(parser.helpText()));
    exitCode = 1;
    return std::nullopt;
  }
  DesktopOptions options;
  options.SettingsFile = parser.value(settings);
  if (!parser.positionalArguments().isEmpty()) options.Project = parser.positionalArguments().front();
  return options;
}

DesktopApp::DesktopApp(const DesktopOptions& options, int splashMilliseconds)
    : options_(options),
      store_(options.SettingsFile.isEmpty() ? SettingsStore::DefaultFilePath() : FromQString(options.SettingsFile)),
      prompter_(std::make_unique<MessageBoxPrompter>()) {
  QApplication::setApplicationName("Tarnwick");
  QApplication::setApplicationDisplayName("Tarnwick");
  about_ = std::make_unique<TAboutDlg>(ProgramFileVersion());
  about_->ShowAsSplash();
  store_.Load();
  mainForm_ = std::make_unique<TMainForm>(store_, *prompter_);
  mainForm_->SetAboutBox(about_.get());
  prompter_->SetParent(mainForm_.get());
  about_->ArmSplash(splashMilliseconds);
}

DesktopApp::~DesktopApp() = default;

void DesktopApp::Start() {
  mainForm_->show();
  about_->raise();
  if (!options_.Project.isEmpty()) {
    QTimer::singleShot(0, mainForm_.get(), [this] { mainForm_->OpenProjectFile(options_.Project); });
  }
}

int RunDesktop(int argc, char** argv) {
  QApplication application(argc, argv);
  int exitCode = 0;
  std::optional<DesktopOptions> options = ParseDesktopArguments(QApplication::arguments(), exitCode);
  if (!options) return exitCode;
  DesktopApp app(*options);
  app.Start();
  return QApplication::exec();
}

}  // namespace tarnwick
