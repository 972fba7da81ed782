#pragma once

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

#include "capture/process_capture.h"
#include "platform/text_encoding.h"
#include "platform/user_interface.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace tarnwick {

/// The naming dialog of a capture ("Image unit name"): the project's forms in a drop-down list and
/// an optional view name, which keeps its text from one capture to the next. Enter is OK and
/// Escape is Cancel wherever the focus is, so a capture can be filed from the keyboard.
class TImageNameForm final : public QDialog {
  Q_OBJECT
 public:
  /// `prompter` outlives the dialog and shows the invalid-name error.
  explicit TImageNameForm(Prompter& prompter, QWidget* parent = nullptr);

  /// Fills the choices (project text in `codePage`), applies the preselection and runs the dialog;
  /// nothing on Cancel.
  std::optional<ImageName> Ask(const std::vector<std::string>& formNames, const ImageNamePreselection& preselection,
                               std::string_view codePage = kFallbackCodePage);

 public slots:
  void Button1Click();

 private:
  Prompter& prompter_;
  QComboBox* imageNameComboBox_;
  QLineEdit* viewNameEdit_;
};

}  // namespace tarnwick
