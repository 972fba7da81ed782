#include "app/qt/status_bar.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPainter>
#include <exception>

#include "app/qt/message_box_prompter.h"

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
  indicator_ = std::make_unique<TStatusBarProgress>(kPanelWidth, kHeight, [this] { busyPanel_->repaint(); });
  busyPanel_->SetIndicator(indicator_.get());
}

void StatusBar::SetStatusText(std::string_view text) {
  textPanel_->setText(ToQString(text));
  textPanel_->repaint();
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
