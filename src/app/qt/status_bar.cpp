#include "app/qt/status_bar.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPainter>
#include <exception>

#include "platform/qt/project_text.h"
#include "platform/text_encoding.h"

namespace tarnwick {

namespace {

QRect ToQRect(const BarRectangle& r) { return QRect(QPoint(r.Left, r.Top), QPoint(r.Right - 1, r.Bottom - 1)); }

}  // namespace

BusyPanel::BusyPanel(QWidget* parent) : QWidget(parent) {
  setObjectName("BusyPanel");
  setFixedSize(StatusBar::kPanelWidth, StatusBar::kHeight);
}

void BusyPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  try {
    MyDrawPanel(painter);
  } catch (const std::exception&) {
    if (onPaintFailure_) onPaintFailure_();
  }
}

void BusyPanel::MyDrawPanel(QPainter& painter) {
  // The whole panel is painted from the indicator's state: the background first, the erase strip
  // in that same colour, then the bar. On screen this is what painting only the strips shows, and
  // it stays right when the window system asks for a full repaint.
  const QColor background = palette().color(QPalette::Window);
  painter.fillRect(rect(), background);
  if (!indicator_) return;
  const QRect bar = ToQRect(indicator_->BarRect);
  const QRect erase = ToQRect(indicator_->EraseRect);
  if (erase.isValid()) painter.fillRect(erase, background);
  if (bar.isValid()) painter.fillRect(bar, QColor(0, 0, 255));
}

StatusBar::StatusBar(QWidget* parent) : QWidget(parent) {
  setObjectName("StatusBar");
  setFixedHeight(kHeight);
  busyPanel_ = new BusyPanel(this);
  textPanel_ = new QLabel(this);
  textPanel_->setObjectName("StatusText");
  textPanel_->setMinimumWidth(kPanelWidth);
  textPanel_->setFrameShape(QFrame::StyledPanel);
  textPanel_->setFrameShadow(QFrame::Sunken);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  layout->addWidget(busyPanel_);
  layout->addWidget(textPanel_, 1);
  indicator_ = std::make_unique<TStatusBarProgress>(kPanelWidth, kHeight,
                                                    [this] { PaintNow(busyPanel_, barPainted_); });
  busyPanel_->SetIndicator(indicator_.get());
  pendingTextTimer_.setSingleShot(true);
  pendingTextTimer_.setInterval(0);
  connect(&pendingTextTimer_, &QTimer::timeout, this, &StatusBar::ShowPendingText);
}

void StatusBar::PaintNow(QWidget* panel, QElapsedTimer& lastPaint, bool always) {
  if (always || !lastPaint.isValid() || lastPaint.elapsed() >= kFrameMs) {
    panel->repaint();
    lastPaint.start();
  } else {
    panel->update();
  }
}

void StatusBar::SetStatusText(std::string_view text) {
  pendingText_ = ProjectQString(text, kFallbackCodePage);  // may name a unit before its code page is known
  if (textPainted_.isValid() && textPainted_.elapsed() < kFrameMs) {
    pendingTextTimer_.start();
    return;
  }
  ShowPendingText();
}

void StatusBar::ShowPendingText() {
  pendingTextTimer_.stop();
  textPanel_->setText(pendingText_);
  PaintNow(textPanel_, textPainted_, true);
}

void StatusBar::Reset() {
  // The end of the work: the cleared panel shows at once whatever the frame.
  indicator_->Reset();
  PaintNow(busyPanel_, barPainted_, true);
  ShowPendingText();
}

void StatusBar::SetBusyCursor(bool busy) {
  // Calls may nest (the open flow and the analyses it runs); only the outermost pair counts.
  if (busy) {
    if (busyDepth_++ == 0) QApplication::setOverrideCursor(Qt::WaitCursor);
  } else if (busyDepth_ > 0 && --busyDepth_ == 0) {
    QApplication::restoreOverrideCursor();
  }
}

}  // namespace tarnwick
