#pragma once

#include <QDialog>
#include <string>

class QLabel;
class QTimer;

namespace tarnwick {

/// The about box: program name, maker and version. At start it is the splash window, on top of
/// the others until its timer fires or OK is pressed; afterwards "&About" shows it modally.
class TAboutDlg final : public QDialog {
  Q_OBJECT
 public:
  /// `fileVersion` is the program's own file version, such as 0.2.0.57.
  explicit TAboutDlg(const std::string& fileVersion, QWidget* parent = nullptr);

  /// Shows the box without making it modal and paints it at once, before start-up goes on.
  void ShowAsSplash();
  /// Starts the timer that closes the splash after `milliseconds`.
  void ArmSplash(int milliseconds);
  QTimer* AboutTimer() const { return aboutTimer_; }

 public slots:
  void AboutTimerTimer();
  void OKButtonClick();

 private:
  void BuildPanel(const std::string& fileVersion);
  void CentreNoticeRow();
  void LeaveTop();

  QWidget* panel_ = nullptr;
  QLabel* rowCaption_ = nullptr;
  QLabel* rowSymbol_ = nullptr;
  QLabel* rowNotice_ = nullptr;
  QTimer* aboutTimer_ = nullptr;
};

/// The left edge of a row of items of total width `itemsWidth` centred in a panel: half the
/// space left over, and when that half is not whole the even one of the two nearest numbers.
int CentredRowLeft(int panelWidth, int itemsWidth);

}  // namespace tarnwick
