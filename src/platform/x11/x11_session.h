#pragma once

#include <xcb/xcb.h>
#include <xcb/xcb_ewmh.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

namespace tarnwick {

/// An xcb reply, freed with `free` as xcb asks.
template <typename T>
using XcbReply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T>
XcbReply<T> Owned(T* reply) {
  return XcbReply<T>(reply, &std::free);
}

/// A rectangle in root-window coordinates.
struct ScreenRect {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
};

/// One X connection's screen with the window manager's atoms interned once. The connection is
/// borrowed (the desktop program hands in its toolkit's own, so grabbed keys reach its events).
class X11Session {
 public:
  X11Session(xcb_connection_t* connection, int screenNumber);
  ~X11Session();
  X11Session(const X11Session&) = delete;
  X11Session& operator=(const X11Session&) = delete;

  xcb_connection_t* Connection() const { return connection_; }
  xcb_window_t Root() const { return screen_->root; }
  const xcb_screen_t& Screen() const { return *screen_; }
  int ScreenNumber() const { return screenNumber_; }
  xcb_ewmh_connection_t& Ewmh() { return ewmh_; }
  bool HasEwmh() const { return ewmhReady_; }

  /// True when the window manager announces `atom` in _NET_SUPPORTED.
  bool WindowManagerSupports(xcb_atom_t atom);
  /// The window's rectangle on the root window, border excluded.
  std::optional<ScreenRect> WindowRect(xcb_window_t window);
  /// The top-level windows: the window manager's client list, or without one the root's
  /// children and their children.
  std::vector<xcb_window_t> TopLevelWindows();
  xcb_atom_t InternAtom(const char* name);

 private:
  xcb_connection_t* connection_;
  int screenNumber_;
  xcb_screen_t* screen_ = nullptr;
  xcb_ewmh_connection_t ewmh_{};
  bool ewmhReady_ = false;
};

}  // namespace tarnwick
