#include "capture/qt/capture_platform.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdlib>

#include "platform/detached_process.h"
#include "platform/x11/x11_capture_keys.h"
#include "platform/x11/x11_program_runner.h"
#include "platform/x11/x11_screen_grabber.h"

namespace tarnwick {

namespace {

class UnavailableCaptureKeys final : public CaptureKeys {
 public:
  bool Available() const override { return false; }
  std::vector<KeyCombination> Register(const CaptureKeySet&) override { return {}; }
  void Unregister() override {}
};

class UnavailableScreenGrabber final : public ScreenGrabber {
 public:
  bool Available() const override { return false; }
  std::optional<PixelImage> Grab(CaptureKind) override { return std::nullopt; }
};

// Starting a program needs no desktop; looking at its windows does.
class WindowlessProgramRunner final : public ProgramRunner {
 public:
  bool Start(const std::string& commandLine, std::string& error) override {
    std::optional<DetachedProcess> started = DetachedProcess::Start(commandLine, error);
    if (started) process_ = std::move(started);
    return started.has_value();
  }
  ProgramWindow FindProgramWindow() override {
    return process_ && process_->Running() ? ProgramWindow::Unavailable : ProgramWindow::None;
  }
  void AskToClose() override {}
  void Forget() override { process_.reset(); }

 private:
  std::optional<DetachedProcess> process_;
};

// Hands the events of the toolkit's X connection to the capture keys.
class CaptureKeyEventFilter final : public QAbstractNativeEventFilter {
 public:
  explicit CaptureKeyEventFilter(X11CaptureKeys& keys) : keys_(keys) {}
  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
    return eventType == "xcb_generic_event_t" && keys_.HandleEvent(static_cast<xcb_generic_event_t*>(message));
  }

 private:
  X11CaptureKeys& keys_;
};

struct X11Backing {
  explicit X11Backing(xcb_connection_t* connection, int screen) : Session(connection, screen) {}
  ~X11Backing() {
    if (Filter && QCoreApplication::instance()) QCoreApplication::instance()->removeNativeEventFilter(Filter.get());
  }
  X11Session Session;
  std::unique_ptr<CaptureKeyEventFilter> Filter;
};

int DefaultScreenNumber() {
  int screen = 0;
  char* host = nullptr;
  int display = 0;
  if (xcb_parse_display(nullptr, &host, &display, &screen) == 0) screen = 0;
  std::free(host);
  return screen;
}

}  // namespace

std::unique_ptr<CapturePlatform> CreateUnavailableCapturePlatform() {
  auto platform = std::make_unique<CapturePlatform>();
  platform->Keys = std::make_unique<UnavailableCaptureKeys>();
  platform->Grabber = std::make_unique<UnavailableScreenGrabber>();
  platform->Runner = std::make_unique<WindowlessProgramRunner>();
  return platform;
}

std::unique_ptr<CapturePlatform> CreateCapturePlatform() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (QGuiApplication::platformName() != "xcb" || !x11 || !x11->connection()) return CreateUnavailableCapturePlatform();
  auto backing = std::make_shared<X11Backing>(x11->connection(), DefaultScreenNumber());
  auto keys = std::make_unique<X11CaptureKeys>(backing->Session);
  backing->Filter = std::make_unique<CaptureKeyEventFilter>(*keys);
  QCoreApplication::instance()->installNativeEventFilter(backing->Filter.get());
  auto platform = std::make_unique<CapturePlatform>();
  platform->Grabber = std::make_unique<X11ScreenGrabber>(backing->Session);
  platform->Runner = std::make_unique<X11ProgramRunner>(backing->Session);
  platform->Keys = std::move(keys);
  platform->Backing = std::move(backing);
  return platform;
}

}  // namespace tarnwick
