#include "platform/SpawnDesktopOpener.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>
#include <vector>

#include "platform/Trace.h"

extern char** environ;

namespace {

constexpr int kPollMs = 20;

// A child still running when the answer is taken goes on in its own time;
// a thread of its own reaps it so that it leaves no zombie.
void ReapLater(pid_t pid) {
  std::thread([pid] {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }).detach();
}

}  // namespace

bool SpawnDesktopOpener::Open(const std::string& target) const {
  std::string program = program_;
  std::string argument = target;
  std::vector<char*> argv{program.data(), argument.data(), nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  pid_t pid = -1;
  const int spawned = ::posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    KTRACE("%s could not be started", program.c_str());
    return false;
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(answerMs_);
  while (std::chrono::steady_clock::now() < deadline) {
    int status = 0;
    const pid_t done = ::waitpid(pid, &status, WNOHANG);
    if (done == pid) return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (done < 0 && errno != EINTR) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
  }
  ReapLater(pid);
  return true;
}
