#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

/// Splits a command line into words as a shell would: quotes, backslashes and variables, but no
/// command substitution. Nothing, with the reason in `error`, when the text is not a command.
std::optional<std::vector<std::string>> SplitCommandLine(std::string_view commandLine, std::string& error);

/// A program started apart from this one: it is not our child (nothing has to reap it), and a
/// pidfd tells whether it still runs even after its process id could have been reused.
class DetachedProcess {
 public:
  /// Starts `commandLine`; on failure sets `error` to the system's reason (program not found, not
  /// executable, unbalanced quotes).
  static std::optional<DetachedProcess> Start(std::string_view commandLine, std::string& error);

  DetachedProcess(DetachedProcess&& other) noexcept;
  DetachedProcess& operator=(DetachedProcess&& other) noexcept;
  DetachedProcess(const DetachedProcess&) = delete;
  DetachedProcess& operator=(const DetachedProcess&) = delete;
  ~DetachedProcess();

  int Pid() const { return pid_; }
  bool Running() const;

 private:
  DetachedProcess(int pid, int pidfd) : pid_(pid), pidfd_(pidfd) {}
  int pid_;
  int pidfd_;
};

}  // namespace tarnwick
