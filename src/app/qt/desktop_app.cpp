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
#include "platform/qt/project_text.h"

namespace tarnwick {

namespace {

// The usage text; it is made before the application object exists, which would name the program.
QString Usage(const QCommandLineParser& parser) {
  return parser.helpText().replace("<executable_name>", "tarnwick");
}

}  // namespace

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
    std::fprintf(stderr, "tarnwick: %s\n%s", qPrintable(parser.errorText()), qPrintable(Usage(parser)));
    exitCode = 1;
    return std::nullopt;
  }
  if (parser.isSet(help)) {
    std::fputs(qPrintable(Usage(parser)), stdout);
    return std::nullopt;
  }
  if (parser.isSet(version)) {
    std::printf("tarnwick %s\n", kFileVersion);
    return std::nullopt;
  }
  if (parser.positionalArguments().size() > 1) {
    std::fprintf(stderr, "tarnwick: one project at most\n%s", qPrintable(Usage(parser)));
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
      store_(options.SettingsFile.isEmpty() ? SettingsStore::DefaultFilePath() : QStringToUtf8(options.SettingsFile)),
      prompter_(std::make_unique<MessageBoxPrompter>()) {
  // No display name: Qt would append it to every window title.
  QApplication::setApplicationName("Tarnwick");
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
  // The arguments are read before the application object, so --help and --version work without
  // a display.
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments.append(QString::fromLocal8Bit(argv[i]));
  int exitCode = 0;
  std::optional<DesktopOptions> options = ParseDesktopArguments(arguments, exitCode);
  if (!options) return exitCode;
  QApplication application(argc, argv);
  DesktopApp app(*options);
  app.Start();
  return QApplication::exec();
}

}  // namespace tarnwick
