#pragma once

#include "platform/user_interface.h"

namespace tarnwick {

/// Measures text with the desktop's fonts: the named face (or what the font system puts in its
/// place) at the given point size.
class FontTextMeasure final : public TextMeasure {
 public:
  int TextWidth(std::string_view text, std::string_view fontFace, int pointSize) override;
};

}  // namespace tarnwick
