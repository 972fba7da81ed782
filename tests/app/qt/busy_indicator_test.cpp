#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QThread>
#include <QWindow>

#include "app/qt/main_form.h"
#include "app/qt/status_bar.h"
#include "support/qt_modal_closer.h"
#include "support/recording_prompter.h"
#include "support/temp_folder.h"

namespace tarnwick {
namespace {

// What the screen shows of the busy panel now: the X server's pixels, not the widget's own
// backing store, so a paint that was only queued would not be seen.
// The panel is read from its top-level window, so where the window manager put the window does
// not matter.
QImage PanelOnScreen(QWidget* panel) {
  QWidget* window = panel->window();
  const QPoint origin = panel->mapTo(window, QPoint(0, 0));
  return QGuiApplication::primaryScreen()
      ->grabWindow(window->winId(), origin.x(), origin.y(), panel->width(), panel->height())
      .toImage();
}

bool IsBlue(QRgb pixel) { return qRed(pixel) == 0 && qGreen(pixel) == 0 && qBlue(pixel) == 255; }

TEST(BusyIndicatorOnX11, EveryStepReachesTheScreenWhileTheWorkHoldsTheThread) {
  if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "needs an X server (run under Xvfb)";
  testing::TempFolder folder;
  SettingsStore store(folder.Path() + "settings.reg");
  testing::RecordingPrompter prompter;
  TMainForm form(store, prompter);
  form.show();
  ASSERT_TRUE(testing::WaitUntil([&] { return form.isVisible() && form.windowHandle()->isExposed(); }, 15000));
  testing::WaitUntil([] { return false; }, 300);  // let the window manager settle the frame

  // From here on the event loop does not run, as during an open of a big project; each unit of
  // work takes longer than a frame, the most often the bar is painted.
  StatusBar& bar = *form.StatusPanels();
  QWidget* panel = bar.Panel0();
  const int middleRow = panel->height() / 2;
  auto step = [&bar] {
    QThread::msleep(StatusBar::kFrameMs + 4);
    bar.Step();
  };
  step();  // (0, 5)
  QImage shown = PanelOnScreen(panel);
  EXPECT_TRUE(IsBlue(shown.pixel(2, middleRow)));
  EXPECT_FALSE(IsBlue(shown.pixel(7, middleRow)));
  for (int i = 0; i < 5; ++i) step();  // (5, 30)
  shown = PanelOnScreen(panel);
  EXPECT_FALSE(IsBlue(shown.pixel(2, middleRow))) << "the strip the bar left is erased";
  EXPECT_TRUE(IsBlue(shown.pixel(27, middleRow)));
  bar.Reset();
  shown = PanelOnScreen(panel);
  for (int x = 0; x < panel->width(); x += 5) EXPECT_FALSE(IsBlue(shown.pixel(x, middleRow))) << x;
}

}  // namespace
}  // namespace tarnwick
