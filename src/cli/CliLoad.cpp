#include "cli/CliLoad.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "cli/CliCommon.h"
#include "recording/LogSource.h"

namespace {

constexpr int kWaitSliceMs = 1000;

void WaitUntilEnded(WaitingLoadObserver& observer) {
  while (!observer.WaitForLoadEnded(kWaitSliceMs)) {
  }
}

std::string Megabytes(uint64_t bytes) { return std::to_string(bytes / (1024 * 1024)) + " MB"; }

}  // namespace

bool CheckInputFile(const std::string& path, uint64_t maxBytes) {
  // Opened as the readers open it: without waiting on a FIFO.
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    PrintError("cannot open " + path + ": " + std::strerror(errno));
    return false;
  }
  struct stat st {};
  const bool known = fstat(fd, &st) == 0;
  const int statError = errno;
  close(fd);
  std::string problem;
  if (!known)
    problem = std::strerror(statError);
  else if (S_ISDIR(st.st_mode))
    problem = "it is a folder";
  else if (!S_ISREG(st.st_mode))
    problem = "not a regular file";
  else if (st.st_size == 0)
    problem = "the file is empty";
  else if (maxBytes != 0 && static_cast<uint64_t>(st.st_size) > maxBytes)
    problem = "the file is larger than " + Megabytes(maxBytes) + ", more than any recorder writes";
  if (problem.empty()) return true;
  PrintError("cannot load " + path + ": " + problem);
  return false;
}

LoadStatus LoadVideoForCli(const std::string& vddPath, CInfoEventFile& recording, WaitingLoadObserver& observer) {
  if (!CheckInputFile(vddPath)) return LoadStatus::kFailed;
  observer.BeginLoad();
  if (recording.LoadVideoRecording(vddPath, &observer) == 0) {
    PrintError("cannot load " + vddPath + ": the data file cannot be opened");
    return LoadStatus::kFailed;
  }
  WaitUntilEnded(observer);
  const LoadStatus status = observer.Status().load();
  if (status == LoadStatus::kFailed) PrintError("cannot load " + vddPath + ": no frame could be read");
  return status;
}

LoadStatus LoadLogForCli(const std::string& logPath, CInfoLogFile& recording, WaitingLoadObserver& observer) {
  if (!CheckInputFile(logPath, LogSource::kMaxWholeBytes)) return LoadStatus::kFailed;
  observer.BeginLoad();
  recording.LoadLogRecording(logPath, &observer);
  WaitUntilEnded(observer);
  const LoadStatus status = observer.Status().load();
  if (status == LoadStatus::kFailed) PrintError("cannot load " + logPath + ": no log record could be read");
  return status;
}

std::string FormatDateTime(const DateTime& t) {
  char text[48];
  std::snprintf(text, sizeof text, "%.4d.%.2d.%.2d %.2d:%.2d:%.2d.%.3d", t.year, t.month, t.day, t.hour, t.minute,
                t.second, t.milliseconds);
  return text;
}
