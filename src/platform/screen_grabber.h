#pragma once

#include <optional>

#include "platform/capture_keys.h"
#include "platform/pixel_image.h"

namespace tarnwick {

/// Takes pictures of the screen: all of it, the window in front with its frame, or that window's
/// client area. Called before this program's own window comes forward.
class ScreenGrabber {
 public:
  virtual ~ScreenGrabber() = default;
  virtual bool Available() const = 0;
  /// The pixels of the area `kind` names; nothing when there is no such area (no window in front)
  /// or the screen cannot be read.
  virtual std::optional<PixelImage> Grab(CaptureKind kind) = 0;
};

}  // namespace tarnwick
