#include "platform/x11/x11_program_runner.h"

#include <xcb/xcb_icccm.h>

namespace tarnwick {

bool X11ProgramRunner::Start(const std::string& commandLine, std::string& error) {
  std::optional<DetachedProcess> started = DetachedProcess::Start(commandLine, error);
  if (!started) return false;
  process_ = std::move(started);
  window_ = XCB_WINDOW_NONE;
  return true;
}

std::optional<uint32_t> X11ProgramRunner::WindowPid(xcb_window_t window) {
  uint32_t pid = 0;
  if (!session_.HasEwmh() ||
      !xcb_ewmh_get_wm_pid_reply(&session_.Ewmh(), xcb_ewmh_get_wm_pid(&session_.Ewmh(), window), &pid, nullptr))
    return std::nullopt;
  return pid;
}

bool X11ProgramRunner::IsTransient(xcb_window_t window) {
  xcb_window_t owner = XCB_WINDOW_NONE;
  xcb_connection_t* c = session_.Connection();
  return xcb_icccm_get_wm_transient_for_reply(c, xcb_icccm_get_wm_transient_for(c, window), &owner, nullptr) &&
         owner != XCB_WINDOW_NONE;
}

bool X11ProgramRunner::IsModal(xcb_window_t window) {
  xcb_ewmh_get_atoms_reply_t state;
  xcb_ewmh_connection_t& ewmh = session_.Ewmh();
  if (!xcb_ewmh_get_wm_state_reply(&ewmh, xcb_ewmh_get_wm_state(&ewmh, window), &state, nullptr)) return false;
  bool modal = false;
  for (uint32_t i = 0; i < state.atoms_len; ++i) modal = modal || state.atoms[i] == ewmh._NET_WM_STATE_MODAL;
  xcb_ewmh_get_atoms_reply_wipe(&state);
  return modal;
}

ProgramWindow X11ProgramRunner::FindProgramWindow() {
  window_ = XCB_WINDOW_NONE;
  if (!process_ || !process_->Running() || !session_.HasEwmh()) return ProgramWindow::None;
  const auto pid = static_cast<uint32_t>(process_->Pid());
  bool modal = false;
  for (xcb_window_t window : session_.TopLevelWindows()) {
    if (WindowPid(window) != pid) continue;
    if (!IsTransient(window)) {
      if (window_ == XCB_WINDOW_NONE) window_ = window;
    } else {
      modal = modal || IsModal(window);
    }
  }
  if (window_ == XCB_WINDOW_NONE) return ProgramWindow::None;
  return modal ? ProgramWindow::Modal : ProgramWindow::Enabled;
}

void X11ProgramRunner::AskToClose() {
  if (window_ == XCB_WINDOW_NONE) return;
  xcb_connection_t* c = session_.Connection();
  xcb_ewmh_connection_t& ewmh = session_.Ewmh();
  if (session_.WindowManagerSupports(ewmh._NET_CLOSE_WINDOW)) {
    xcb_ewmh_request_close_window(&ewmh, session_.ScreenNumber(), window_, XCB_CURRENT_TIME,
                                  XCB_EWMH_CLIENT_SOURCE_TYPE_OTHER);
  } else {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window_;
    message.type = session_.InternAtom("WM_PROTOCOLS");
    message.data.data32[0] = session_.InternAtom("WM_DELETE_WINDOW");
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(c, 0, window_, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&message));
  }
  xcb_flush(c);
}

void X11ProgramRunner::Forget() {
  process_.reset();
  window_ = XCB_WINDOW_NONE;
}

}  // namespace tarnwick
