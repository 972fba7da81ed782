#pragma once

#include <memory>

#include "platform/capture_keys.h"
#include "platform/program_runner.h"
#include "platform/screen_grabber.h"

namespace tarnwick {

/// The capture services of this session. `Backing` is what the three share (the X session and
/// the filter that hands key events over) and is released after them.
struct CapturePlatform {
  std::shared_ptr<void> Backing;
  std::unique_ptr<CaptureKeys> Keys;
  std::unique_ptr<ScreenGrabber> Grabber;
  std::unique_ptr<ProgramRunner> Runner;

  ~CapturePlatform() {
    Keys.reset();
    Grabber.reset();
    Runner.reset();
  }
};

/// The X11 services on an xcb desktop; elsewhere (Wayland, offscreen) keys and grabs that say
/// they are not available and a runner that starts programs but cannot look at their windows.
std::unique_ptr<CapturePlatform> CreateCapturePlatform();
/// The "not available" services alone.
std::unique_ptr<CapturePlatform> CreateUnavailableCapturePlatform();

}  // namespace tarnwick
