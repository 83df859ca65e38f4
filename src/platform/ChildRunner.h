#pragma once
// Runs a program as a child process and hands its output to the caller line
// by line (standard output and standard error together, in the order they
// come). The card tools run fsck.fat, udisksctl, umount and mtools through
// it; tests give a scripted runner or run the real programs on image files.

#include <atomic>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

enum class ChildEnd {
  kExited,      // ran to its end; status holds its exit status
  kCancelled,   // the cancel word was set and the child was ended
  kSignalled,   // ended by a signal nobody here sent
  kNotStarted,  // the program could not be started (not installed, ...)
};

struct ChildResult {
  ChildEnd end = ChildEnd::kNotStarted;
  int status = -1;

  bool ExitedWith(int expected) const { return end == ChildEnd::kExited && status == expected; }
};

struct ChildCommand {
  std::vector<std::string> argv;         // argv[0] is looked up in PATH
  std::vector<std::string> environment;  // "NAME=VALUE" added to ours
};

using ChildLineSink = std::function<void(std::string_view line)>;

class ChildRunner {
 public:
  virtual ~ChildRunner() = default;
  // Waits for the child. With cancel given and set while the child runs, the
  // child is ended and the result is kCancelled.
  virtual ChildResult Run(const ChildCommand& command, const ChildLineSink& onLine,
                          const std::atomic<bool>* cancel) = 0;
};

// The runner of the running system: posix_spawn, a pipe for the output, the
// child in the C locale so that its texts can be read.
class SpawnChildRunner final : public ChildRunner {
 public:
  ChildResult Run(const ChildCommand& command, const ChildLineSink& onLine, const std::atomic<bool>* cancel) override;
};
