#pragma once

#include <optional>

#include "platform/screen_grabber.h"
#include "platform/x11/x11_session.h"

namespace tarnwick {

/// Grabs from the root window: the whole screen, the active window (_NET_ACTIVE_WINDOW) grown by
/// its _NET_FRAME_EXTENTS or, without them, its frame window, or that window's client area. The
/// area is clipped to the screen. Reads 32-bit TrueColor screens, the kind every X server offers.
class X11ScreenGrabber final : public ScreenGrabber {
 public:
  explicit X11ScreenGrabber(X11Session& session) : session_(session) {}
  bool Available() const override { return true; }
  std::optional<PixelImage> Grab(CaptureKind kind) override;

  /// The area a grab of `kind` takes, before clipping; nothing without an active window.
  std::optional<ScreenRect> AreaOf(CaptureKind kind);

 private:
  std::optional<ScreenRect> FrameOf(xcb_window_t window, const ScreenRect& client);
  std::optional<PixelImage> GrabRect(ScreenRect rect);

  X11Session& session_;
};

}  // namespace tarnwick
