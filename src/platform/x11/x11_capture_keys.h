#pragma once

#include <xcb/xcb.h>

#include <utility>
#include <vector>

#include "platform/capture_keys.h"
#include "platform/x11/x11_session.h"

namespace tarnwick {

/// Capture keys as passive key grabs on the root window. Each combination is grabbed once for
/// every state of CapsLock and NumLock (the NumLock modifier is read from the modifier mapping),
/// and a press is matched by key code and modifiers, so Alt+Print counts though it arrives as
/// Sys_Req. The events arrive on the session's connection; its owner passes them to `HandleEvent`.
class X11CaptureKeys final : public CaptureKeys {
 public:
  explicit X11CaptureKeys(X11Session& session) : session_(session) {}
  ~X11CaptureKeys() override { Unregister(); }

  bool Available() const override { return true; }
  std::vector<KeyCombination> Register(const CaptureKeySet& keys) override;
  void Unregister() override;
  /// True when `event` was a press of a registered combination; its handler has then run.
  bool HandleEvent(const xcb_generic_event_t* event);

 private:
  struct Grab {
    CaptureKind Kind;
    xcb_keycode_t KeyCode;
    uint16_t Modifiers;
  };
  bool GrabCombination(CaptureKind kind, const KeyCombination& keys, const std::vector<xcb_keycode_t>& codes);
  std::vector<xcb_keycode_t> KeyCodes(uint32_t keySym);
  uint16_t NumLockMask();

  X11Session& session_;
  std::vector<Grab> grabs_;
  uint16_t lockMasks_ = XCB_MOD_MASK_LOCK;
  std::pair<xcb_keycode_t, xcb_timestamp_t> lastRelease_{0, 0};
};

}  // namespace tarnwick
