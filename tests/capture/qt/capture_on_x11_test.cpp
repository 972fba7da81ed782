// Capture keys, grabs and the documented program on a real X server (tests/x11/run-under-xvfb).
#include <gtest/gtest.h>

#include <xcb/xcb_keysyms.h>

#include <QAction>
#include <QGuiApplication>
#include <QInputDialog>
#include <QProcess>
#include <QTimer>
#include <csignal>

#include "app/qt/main_form.h"
#include "capture/qt/capture_session.h"
#include "capture/qt/fake_capture_platform.h"
#include "platform/capture_keys.h"
#include "support/qt_modal_closer.h"
#include "support/recording_prompter.h"
#include "support/temp_folder.h"

namespace tarnwick {
namespace {

using testing::WaitUntil;
using testing::WhenModalShows;

constexpr int kPatience = 20000;
const QColor kFixtureColour(18, 196, 86);

QString Xdotool(const QStringList& arguments) {
  QProcess process;
  process.start("xdotool", arguments);
  process.waitForFinished(kPatience);
  return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

QColor PixelAt(const Picture& picture, int x, int y) {
  const uint8_t* p = &picture.Pixels[(static_cast<size_t>(y) * picture.Width + x) * 4];
  return QColor(p[0], p[1], p[2]);
}

class CaptureOnX11 : public ::testing::Test {
 protected:
  void SetUp() override {
    if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "needs an X server: run under tests/x11/run-under-xvfb";
    store_.emplace(folder_.Path() + "settings.reg");
    form_ = std::make_unique<TMainForm>(*store_, prompter_);
    form_->show();
  }
  void TearDown() override {
    // A fixture left running (the modal case) is ended here, by the test, not by the program.
    for (const QString& pid : Xdotool({"search", "--name", token_, "getwindowpid", "%@"}).split('\n'))
      if (pid.toInt() > 0) kill(pid.toInt(), SIGTERM);
    form_.reset();
  }
  void OpenDemo() { form_->OpenProjectFile(QString::fromStdString(testing::CopyDemoProject(folder_))); }
  ProgramRunner& Runner() { return *form_->Capture().Platform().Runner; }
  // Starts the fixture program through "&Run...", as the user would.
  void StartFixture(const char* mode) {
    const std::string command = std::string(TARNWICK_X11_FIXTURE) + " " + mode + " " + token_.toStdString();
    WhenModalShows([&command](QWidget* dialog) {
      auto* input = qobject_cast<QInputDialog*>(dialog);
      input->setTextValue(QString::fromStdString(command));
      input->accept();
    }, kPatience);
    form_->findChild<QAction*>("RunItem")->trigger();
    EXPECT_TRUE(WaitUntil([this] { return Runner().FindProgramWindow() != ProgramWindow::None; }, kPatience));
  }
  bool FixtureShown() { return !Xdotool({"search", "--name", token_}).isEmpty(); }
  // Brings the fixture forward, presses `keys` and names the capture; gives the filed picture.
  std::shared_ptr<Picture> CaptureWithKeys(const QString& keys, const QString& view) {
    Xdotool({"search", "--name", token_, "windowactivate", "--sync"});
    testing::NameCapture("AboutForm", view, kPatience);
    Xdotool({"key", keys});
    const std::vector<ImageEntry>& images = form_->Space().Model.Images;
    const size_t before = images.size();
    WaitUntil([&] { return images.size() > before; }, kPatience);
    for (const ImageEntry& entry : images)
      if (entry.ViewName == view.toStdString()) return entry.Image;
    return nullptr;
  }

  testing::TempFolder folder_;
  std::optional<SettingsStore> store_;
  testing::RecordingPrompter prompter_;
  std::unique_ptr<TMainForm> form_;
  const QString token_ = QString::number(QCoreApplication::applicationPid());
};

TEST_F(CaptureOnX11, KeysGrabTheScreenTheWindowAndItsClientAreaAndClosingTheProjectClosesTheProgram) {
  OpenDemo();
  StartFixture("window");
  std::shared_ptr<Picture> screen = CaptureWithKeys("Print", "Screen");
  ASSERT_TRUE(screen);
  EXPECT_EQ(QSize(screen->Width, screen->Height), QSize(1280, 800));

  std::shared_ptr<Picture> inside = CaptureWithKeys("alt+shift+Print", "Client");
  ASSERT_TRUE(inside);
  EXPECT_EQ(QSize(inside->Width, inside->Height), QSize(300, 200));
  for (auto [x, y] : {std::pair{0, 0}, {299, 0}, {0, 199}, {299, 199}}) EXPECT_EQ(PixelAt(*inside, x, y), kFixtureColour);

  std::shared_ptr<Picture> framed = CaptureWithKeys("alt+Print", "Frame");
  ASSERT_TRUE(framed);
  EXPECT_GT(framed->Width, 300);
  EXPECT_GT(framed->Height, 200);
  EXPECT_NE(PixelAt(*framed, 0, 0), kFixtureColour) << "the frame's corner is the window manager's";

  ASSERT_EQ(Runner().FindProgramWindow(), ProgramWindow::Enabled);
  prompter_.QueueAnswer(MessageAnswer::No);  // "Save new images?"
  prompter_.QueueAnswer(MessageAnswer::Ok);
  form_->CloseProject();
  EXPECT_TRUE(WaitUntil([this] { return !FixtureShown(); }, kPatience)) << "the program closed its window";
}

TEST_F(CaptureOnX11, AHeldKeyGivesOneCapture) {
  OpenDemo();
  int dialogs = 0;
  QTimer canceller;
  QObject::connect(&canceller, &QTimer::timeout, [&dialogs] {
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
      ++dialogs;
      dialog->reject();
    }
  });
  canceller.start(10);
  // Held past the server's repeat delay, so repeated presses arrive after the first capture ended.
  Xdotool({"keydown", "Print"});
  WaitUntil([] { return false; }, 1500);
  Xdotool({"keyup", "Print"});
  WaitUntil([] { return false; }, 300);
  EXPECT_EQ(dialogs, 1);
}

TEST_F(CaptureOnX11, APrintKeyHeldByAnotherProgramIsNamedAndTheOthersWork) {
  // Another X client holds plain Print on the root window, as a desktop's screenshot tool does.
  xcb_connection_t* other = xcb_connect(nullptr, nullptr);
  ASSERT_FALSE(xcb_connection_has_error(other));
  xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(other)).data->root;
  xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(other);
  xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, CaptureKeySym("Print"));
  ASSERT_NE(codes, nullptr);
  xcb_generic_error_t* error =
      xcb_request_check(other, xcb_grab_key_checked(other, 1, root, 0, codes[0], XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
  ASSERT_EQ(error, nullptr);
  std::free(codes);
  xcb_key_symbols_free(symbols);

  OpenDemo();
  ASSERT_EQ(prompter_.Texts().size(), 1u);
  const std::string warning = prompter_.Texts()[0];
  EXPECT_NE(warning.find("Held by another program: Print\r"), std::string::npos) << warning;
  StartFixture("window");
  std::shared_ptr<Picture> framed = CaptureWithKeys("alt+Print", "Frame");
  ASSERT_TRUE(framed);
  EXPECT_GT(framed->Width, 300);
  xcb_disconnect(other);
}

TEST_F(CaptureOnX11, AProgramShowingAModalDialogIsLeftRunning) {
  OpenDemo();
  StartFixture("modal");
  ASSERT_TRUE(WaitUntil([this] { return Runner().FindProgramWindow() == ProgramWindow::Modal; }, kPatience));
  prompter_.QueueAnswer(MessageAnswer::Ok);
  form_->CloseProject();  // the messages are the close flow's own tests
  QApplication::processEvents();
  EXPECT_TRUE(FixtureShown());
}

}  // namespace
}  // namespace tarnwick
