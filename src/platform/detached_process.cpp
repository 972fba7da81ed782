#include "platform/detached_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <wordexp.h>

#include <cerrno>
#include <cstring>
#include <utility>

extern char** environ;

namespace tarnwick {

namespace {

struct SpawnReport {
  int Error = 0;
  pid_t Pid = 0;
};

// Runs in the short-lived middle process: starts the program, reports how that went, and ends, so
// the program is handed to init instead of staying our child.
[[noreturn]] void SpawnAndReport(char* const* argv, int reportFd) {
  SpawnReport report;
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  // A session of its own: signals to our terminal or process group do not reach the program.
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
  report.Error = posix_spawnp(&report.Pid, argv[0], nullptr, &attributes, argv, environ);
  ssize_t written = write(reportFd, &report, sizeof report);
  _exit(written == sizeof report ? 0 : 1);
}

std::optional<SpawnReport> SpawnDetached(const std::vector<std::string>& words, std::string& error) {
  std::vector<char*> argv;
  for (const std::string& word : words) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);
  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0) {
    error = std::strerror(errno);
    return std::nullopt;
  }
  pid_t middle = fork();
  if (middle == 0) {
    close(pipeFds[0]);
    SpawnAndReport(argv.data(), pipeFds[1]);
  }
  close(pipeFds[1]);
  SpawnReport report;
  ssize_t got = middle > 0 ? read(pipeFds[0], &report, sizeof report) : -1;
  int failure = middle < 0 ? errno : 0;
  close(pipeFds[0]);
  if (middle > 0) waitpid(middle, nullptr, 0);
  if (middle < 0 || got != sizeof report) {
    error = std::strerror(failure != 0 ? failure : ECHILD);
    return std::nullopt;
  }
  if (report.Error != 0) {
    error = std::strerror(report.Error);
    return std::nullopt;
  }
  return report;
}

}  // namespace

std::optional<std::vector<std::string>> SplitCommandLine(std::string_view commandLine, std::string& error) {
  wordexp_t words{};
  int result = wordexp(std::string(commandLine).c_str(), &words, WRDE_NOCMD);
  if (result != 0) {
    // wordexp may have filled part of the list before it failed.
    if (result == WRDE_NOSPACE) wordfree(&words);
    error = result == WRDE_CMDSUB ? "Command substitution is not allowed"
            : result == WRDE_BADCHAR ? "The command holds a character that needs quotes (| & ; < > ( ) { } or a line end)"
            : result == WRDE_SYNTAX ? "The command is incomplete (an unmatched quote?)"
                                    : "The command cannot be read";
    return std::nullopt;
  }
  std::vector<std::string> split(words.we_wordv, words.we_wordv + words.we_wordc);
  wordfree(&words);
  if (split.empty()) {
    error = "The command is empty";
    return std::nullopt;
  }
  return split;
}

std::optional<DetachedProcess> DetachedProcess::Start(std::string_view commandLine, std::string& error) {
  std::optional<std::vector<std::string>> words = SplitCommandLine(commandLine, error);
  if (!words) return std::nullopt;
  std::optional<SpawnReport> started = SpawnDetached(*words, error);
  if (!started) return std::nullopt;
  // Without a pidfd (a kernel before 5.3) `Running` falls back to asking for the process id.
  int pidfd = static_cast<int>(syscall(SYS_pidfd_open, started->Pid, 0));
  return DetachedProcess(started->Pid, pidfd);
}

DetachedProcess::DetachedProcess(DetachedProcess&& other) noexcept
    : pid_(other.pid_), pidfd_(std::exchange(other.pidfd_, -1)) {}

DetachedProcess& DetachedProcess::operator=(DetachedProcess&& other) noexcept {
  if (this != &other) {
    if (pidfd_ >= 0) close(pidfd_);
    pid_ = other.pid_;
    pidfd_ = std::exchange(other.pidfd_, -1);
  }
  return *this;
}

DetachedProcess::~DetachedProcess() {
  if (pidfd_ >= 0) close(pidfd_);
}

bool DetachedProcess::Running() const {
  if (pidfd_ < 0) return kill(pid_, 0) == 0;
  // A pidfd becomes readable when its process ends.
  pollfd ready{pidfd_, POLLIN, 0};
  return poll(&ready, 1, 0) == 0;
}

}  // namespace tarnwick
