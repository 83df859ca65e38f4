#include "platform/ChildRunner.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

extern char** environ;

namespace {

constexpr int kPollMs = 50;
constexpr size_t kMaxLineBytes = 64 * 1024;
constexpr std::string_view kLocale = "LC_ALL=C";

// Our environment without the locale settings, which the child gets as C,
// then the caller's additions.
std::vector<std::string> ChildEnvironment(const std::vector<std::string>& additions) {
  std::vector<std::string> entries;
  for (char** entry = environ; entry && *entry; ++entry) {
    const std::string_view text(*entry);
    if (text.starts_with("LC_") || text.starts_with("LANG=") || text.starts_with("LANGUAGE=")) continue;
    entries.emplace_back(text);
  }
  entries.emplace_back(kLocale);
  entries.insert(entries.end(), additions.begin(), additions.end());
  return entries;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  pointers.reserve(texts.size() + 1);
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

// Hands over every complete line in pending; a line longer than the bound
// is handed over in pieces.
void DeliverLines(std::string& pending, const ChildLineSink& onLine) {
  size_t start = 0;
  for (size_t end; (end = pending.find('\n', start)) != std::string::npos; start = end + 1) {
    if (onLine) onLine(std::string_view(pending).substr(start, end - start));
  }
  pending.erase(0, start);
  if (pending.size() >= kMaxLineBytes) {
    if (onLine) onLine(pending);
    pending.clear();
  }
}

ChildResult Reap(pid_t pid, bool cancelled) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return {ChildEnd::kSignalled, -1};
  }
  if (cancelled) return {ChildEnd::kCancelled, -1};
  if (WIFEXITED(status)) return {ChildEnd::kExited, WEXITSTATUS(status)};
  return {ChildEnd::kSignalled, WIFSIGNALED(status) ? WTERMSIG(status) : -1};
}

}  // namespace

ChildResult SpawnChildRunner::Run(const ChildCommand& command, const ChildLineSink& onLine,
                                  const std::atomic<bool>* cancel) {
  if (command.argv.empty()) return {};
  std::array<int, 2> pipeEnds{};
  if (::pipe2(pipeEnds.data(), O_CLOEXEC) != 0) return {};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDERR_FILENO);

  std::vector<std::string> argv = command.argv;
  std::vector<std::string> environment = ChildEnvironment(command.environment);
  std::vector<char*> argPointers = Pointers(argv);
  std::vector<char*> envPointers = Pointers(environment);
  pid_t pid = -1;
  // glibc reports a program that cannot be executed here, not as status 127.
  const int spawned = ::posix_spawnp(&pid, argPointers[0], &actions, nullptr, argPointers.data(), envPointers.data());
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipeEnds[1]);
  if (spawned != 0) {
    ::close(pipeEnds[0]);
    return {};
  }

  std::string pending;
  std::array<char, 4096> chunk{};
  bool cancelled = false;
  for (;;) {
    if (cancel && cancel->load()) {
      // Killed outright: a child given the chance to tidy up might write
      // what it was asked not to.
      ::kill(pid, SIGKILL);
      cancelled = true;
      break;
    }
    pollfd watch{pipeEnds[0], POLLIN, 0};
    const int ready = ::poll(&watch, 1, kPollMs);
    if (ready < 0 && errno != EINTR) break;
    if (ready <= 0) continue;
    const ssize_t got = ::read(pipeEnds[0], chunk.data(), chunk.size());
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    pending.append(chunk.data(), static_cast<size_t>(got));
    DeliverLines(pending, onLine);
  }
  ::close(pipeEnds[0]);
  if (!cancelled && !pending.empty() && onLine) onLine(pending);
  return Reap(pid, cancelled);
}
