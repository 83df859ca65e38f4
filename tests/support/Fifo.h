#pragma once
// FIFOs standing in for files, and a guard that turns a read blocked on one
// into a failed test instead of a stalled suite.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <future>

inline bool MakeFifo(const std::filesystem::path& path) {
  std::error_code error;
  std::filesystem::create_directories(path.parent_path(), error);
  return ::mkfifo(path.c_str(), 0644) == 0;
}

// Runs work on a thread and says whether it ended within a few seconds. If
// it did not, it is blocked on the FIFO: opening the FIFO's other end and
// closing it again gives the reader an end of file, so work still ends.
template <typename Work>
bool EndsWithoutWaitingOn(const std::filesystem::path& fifo, Work work) {
  constexpr auto kPatience = std::chrono::seconds(5);
  auto done = std::async(std::launch::async, work);
  if (done.wait_for(kPatience) == std::future_status::ready) return true;
  while (done.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready) {
    const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
    if (writer >= 0) ::close(writer);
  }
  return false;
}
