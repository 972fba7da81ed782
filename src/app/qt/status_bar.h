#pragma once

#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

#include "app/status_bar_progress.h"
#include "platform/user_interface.h"

namespace tarnwick {

/// Panel 0 of a window's status bar, drawn by the busy indicator: the bar in pure blue, the rest
/// of the panel in the panel's background colour. `MyDrawPanel` paints the indicator's state.
class BusyPanel final : public QWidget {
  Q_OBJECT
 public:
  explicit BusyPanel(QWidget* parent = nullptr);
  void SetIndicator(const TStatusBarProgress* indicator) { indicator_ = indicator; }
  /// Called when painting fails; the window shows its warning and painting goes on.
  void SetPaintFailureHandler(std::function<void()> handler) { onPaintFailure_ = std::move(handler); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void MyDrawPanel(QPainter& painter);

  const TStatusBarProgress* indicator_ = nullptr;
  std::function<void()> onPaintFailure_;
};

/// A window's status bar of two panels, each 50 pixels wide to start with: the busy indicator
/// and the progress text, which takes the rest of the width. It owns the indicator, whose steps
/// repaint panel 0 at once, so the bar moves while long work holds the user-interface thread.
///
/// At once means within one frame: a panel painted less than `kFrameMs` ago is only marked for
/// painting, and the next step after the frame paints it with everything since; a status text
/// that arrives within the frame waits for the next one, or for the event loop. Painting every
/// step and laying out every text made opening a large project much slower than the work itself.
class StatusBar final : public QWidget, public ProgressSink {
  Q_OBJECT
 public:
  static constexpr int kPanelWidth = 50;
  static constexpr int kHeight = 19;
  static constexpr int kFrameMs = 16;

  explicit StatusBar(QWidget* parent = nullptr);

  BusyPanel* Panel0() const { return busyPanel_; }
  QLabel* Panel1() const { return textPanel_; }
  TStatusBarProgress& Indicator() { return *indicator_; }

  void SetStatusText(std::string_view text) override;
  void Step() override { indicator_->Step(); }
  void Reset() override;
  void SetBusyCursor(bool busy) override;

 private:
  /// Paints `panel` now unless it was painted within the frame, and then only marks it.
  static void PaintNow(QWidget* panel, QElapsedTimer& lastPaint, bool always = false);
  /// Shows the text that waits for its frame.
  void ShowPendingText();

  BusyPanel* busyPanel_;
  QLabel* textPanel_;
  std::unique_ptr<TStatusBarProgress> indicator_;
  QElapsedTimer barPainted_;
  QElapsedTimer textPainted_;
  QString pendingText_;
  QTimer pendingTextTimer_;  // shows a waiting text once the event loop runs
  int busyDepth_ = 0;
};

}  // namespace tarnwick
