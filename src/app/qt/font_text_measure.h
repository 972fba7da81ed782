#pragma once

#include "platform/user_interface.h"

class QWidget;

namespace tarnwick {

/// Measures text in the font a widget shows it in. The core asks for the Source list's columns in
/// the list's historical font; the list shows another one here, and its columns must fit what it
/// shows, so the widget's own font is used whatever face and size are asked for.
class FontTextMeasure final : public TextMeasure {
 public:
  /// Until a widget is set, the application's font is used.
  void SetWidget(const QWidget* widget) { widget_ = widget; }
  int TextWidth(std::string_view text, std::string_view fontFace, int pointSize) override;

 private:
  const QWidget* widget_ = nullptr;
};

}  // namespace tarnwick
