#pragma once

#include <optional>

#include "platform/detached_process.h"
#include "platform/program_runner.h"
#include "platform/x11/x11_session.h"

namespace tarnwick {

/// Runs the documented program detached and finds its main window among the top-level windows:
/// the one whose _NET_WM_PID is the process and that has no WM_TRANSIENT_FOR. A transient of the
/// process in _NET_WM_STATE_MODAL means the main window takes no input. Closing asks the window
/// manager (_NET_CLOSE_WINDOW) or, where it lacks that, the window itself (WM_DELETE_WINDOW).
class X11ProgramRunner final : public ProgramRunner {
 public:
  explicit X11ProgramRunner(X11Session& session) : session_(session) {}

  bool Start(const std::string& commandLine, std::string& error) override;
  ProgramWindow FindProgramWindow() override;
  void AskToClose() override;
  void Forget() override;

 private:
  std::optional<uint32_t> WindowPid(xcb_window_t window);
  bool IsTransient(xcb_window_t window);
  bool IsModal(xcb_window_t window);

  X11Session& session_;
  std::optional<DetachedProcess> process_;
  xcb_window_t window_ = XCB_WINDOW_NONE;
};

}  // namespace tarnwick
