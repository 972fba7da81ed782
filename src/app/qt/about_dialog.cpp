#include "app/qt/about_dialog.h"

#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "app/version_text.h"
#include "platform/qt/project_text.h"

namespace tarnwick {

namespace {

constexpr int kPanelWidth = 300;
constexpr int kPanelHeight = 150;
constexpr int kRowTop = 118;

QLabel* PlacedLabel(QWidget* parent, const char* name, const QString& text, QPoint at) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->move(at);
  label->adjustSize();
  return label;
}

QPixmap CopyrightSymbol(int size) {
  QPixmap symbol(size, size);
  symbol.fill(Qt::transparent);
  QPainter painter(&symbol);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.drawEllipse(QRectF(0.5, 0.5, size - 1, size - 1));
  QFont font = painter.font();
  font.setPixelSize(size * 2 / 3);
  painter.setFont(font);
  painter.drawText(QRect(0, 0, size, size), Qt::AlignCenter, "C");
  return symbol;
}

}  // namespace

int CentredRowLeft(int panelWidth, int itemsWidth) {
  const int space = panelWidth - itemsWidth;
  if (space % 2 == 0) return space / 2;
  const int below = (space - 1) / 2;  // space is odd: the two nearest whole numbers are below and below + 1
  return below % 2 == 0 ? below : below + 1;
}

TAboutDlg::TAboutDlg(const std::string& fileVersion, QWidget* parent) : QDialog(parent) {
  setObjectName("AboutDlg");
  setWindowTitle(" ");
  setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint);
  BuildPanel(fileVersion);
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("OKButton");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &TAboutDlg::OKButtonClick);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(panel_);
  layout->addWidget(ok, 0, Qt::AlignHCenter);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  aboutTimer_ = new QTimer(this);
  aboutTimer_->setObjectName("AboutTimer");
  aboutTimer_->setSingleShot(true);
  connect(aboutTimer_, &QTimer::timeout, this, &TAboutDlg::AboutTimerTimer);
}

void TAboutDlg::BuildPanel(const std::string& fileVersion) {
  auto* frame = new QFrame(this);
  frame->setObjectName("Panel");
  frame->setFrameShape(QFrame::Panel);
  frame->setFrameShadow(QFrame::Sunken);
  frame->setFixedSize(kPanelWidth, kPanelHeight);
  panel_ = frame;
  auto* icon = new QLabel(frame);
  icon->setObjectName("ProgramIcon");
  icon->setPixmap(QIcon(":/icons/tarnwick.svg").pixmap(48, 48));
  icon->setGeometry(12, 12, 48, 48);
  QLabel* name = PlacedLabel(frame, "Label1", "Tarnwick", QPoint(76, 12));
  QFont big = name->font();
  big.setPointSize(16);
  big.setBold(true);
  name->setFont(big);
  name->adjustSize();
  PlacedLabel(frame, "Label2", "Merrowind", QPoint(76, 48));
  PlacedLabel(frame, "VersionLabel", Utf8ToQString(VersionText(fileVersion)), QPoint(76, 70));
  PlacedLabel(frame, "Comments", "", QPoint(76, 92));
  rowCaption_ = PlacedLabel(frame, "CopyrightLabel", "Copyright ", QPoint(0, kRowTop));
  rowSymbol_ = new QLabel(frame);
  rowSymbol_->setObjectName("CopyrightSymbol");
  rowSymbol_->setPixmap(CopyrightSymbol(12));
  rowSymbol_->setFixedSize(12, rowCaption_->height());
  rowNotice_ = PlacedLabel(frame, "CopyrightNotice", " 2026 Merrowind", QPoint(0, kRowTop));
  CentreNoticeRow();
}

void TAboutDlg::CentreNoticeRow() {
  const int left = CentredRowLeft(kPanelWidth, rowCaption_->width() + rowSymbol_->width() + rowNotice_->width());
  rowCaption_->move(left, kRowTop);
  rowSymbol_->move(rowCaption_->geometry().right() + 1, kRowTop);
  rowNotice_->move(rowSymbol_->geometry().right() + 1, kRowTop);
}

void TAboutDlg::ShowAsSplash() {
  show();
  // Start-up goes on creating windows without handling messages, so the box paints itself now.
  repaint();
  repaint();
}

void TAboutDlg::ArmSplash(int milliseconds) {
  aboutTimer_->setInterval(milliseconds);
  aboutTimer_->start();
}

void TAboutDlg::LeaveTop() {
  aboutTimer_->stop();
  // Changing the flag hides the window; both callers close it next anyway.
  if (windowFlags() & Qt::WindowStaysOnTopHint) setWindowFlag(Qt::WindowStaysOnTopHint, false);
}

void TAboutDlg::AboutTimerTimer() {
  LeaveTop();
  setWindowTitle("About");
  hide();
}

void TAboutDlg::OKButtonClick() {
  LeaveTop();
  // Shown modally (About), OK ends the dialog; shown as the splash, it only hides it.
  if (isModal()) accept(); else hide();
}

}  // namespace tarnwick
