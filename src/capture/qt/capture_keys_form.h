#pragma once

#include <QDialog>
#include <array>

#include "platform/capture_keys.h"
#include "platform/user_interface.h"

class QCheckBox;
class QComboBox;

namespace tarnwick {

/// "Capture keys": the key combination of each of the three captures, for a desktop that keeps
/// Print for itself. In a session without global keys it says so above the choices.
class TCaptureKeysForm final : public QDialog {
  Q_OBJECT
 public:
  TCaptureKeysForm(Prompter& prompter, bool keysAvailable, QWidget* parent = nullptr);

  void SetKeys(const CaptureKeySet& keys);
  CaptureKeySet Keys() const;

 public slots:
  /// OK: refuses two captures on one combination and stays open.
  void OkButtonClick();

 private:
  struct Row {
    QCheckBox* Control;
    QCheckBox* Alt;
    QCheckBox* Shift;
    QCheckBox* Super;
    QComboBox* Key;
  };
  Prompter& prompter_;
  std::array<Row, 3> rows_{};
};

}  // namespace tarnwick
