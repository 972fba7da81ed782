#pragma once

#include <QDialog>

#include "platform/user_interface.h"
#include "report/jpeg_settings.h"

class QCheckBox;
class QLineEdit;
class QSlider;

namespace tarnwick {

/// The JPEG settings dialog ("JPeg settings"): the quality on a track bar, the progressive-display
/// flag and the tree lines per image. OK checks the lines per image and stays open on a bad value.
class TJPegSettingsForm final : public QDialog {
  Q_OBJECT
 public:
  /// `prompter` outlives the dialog.
  explicit TJPegSettingsForm(Prompter& prompter, QWidget* parent = nullptr);

  void SetValues(const JpegSettings& values);
  JpegSettings Values() const;

 public slots:
  void OkButtonClick();

 private:
  Prompter& prompter_;
  QSlider* jpegCompressionTrackBar_;
  QCheckBox* progressiveDisplayCheckBox_;
  QLineEdit* linesPerImageEdit_;
};

}  // namespace tarnwick
