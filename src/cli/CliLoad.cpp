#include "cli/CliLoad.h"

#include <cstdio>
#include <filesystem>

#include "cli/CliCommon.h"

namespace {

constexpr int kWaitSliceMs = 1000;

void WaitUntilEnded(WaitingLoadObserver& observer) {
  while (!observer.WaitForLoadEnded(kWaitSliceMs)) {
  }
}

bool ExistsAsFile(const std::string& path) {
  std::error_code error;
  if (std::filesystem::is_regular_file(path, error)) return true;
  PrintError("cannot open " + path + ": " +
             (std::filesystem::exists(path, error) ? "not a regular file" : "no such file"));
  return false;
}

}  // namespace

int LoadVideoForCli(const std::string& vddPath, CInfoEventFile& recording, WaitingLoadObserver& observer) {
  if (!ExistsAsFile(vddPath)) return kLoadFailed;
  observer.BeginLoad();
  if (recording.LoadVideoRecording(vddPath, &observer) == 0) {
    PrintError("cannot load " + vddPath + ": the data file cannot be opened");
    return kLoadFailed;
  }
  WaitUntilEnded(observer);
  const int status = observer.Status().load();
  if (status == kLoadFailed) PrintError("cannot load " + vddPath + ": no frame could be read");
  return status;
}

int LoadLogForCli(const std::string& logPath, CInfoLogFile& recording, WaitingLoadObserver& observer) {
  if (!ExistsAsFile(logPath)) return kLoadFailed;
  observer.BeginLoad();
  recording.LoadLogRecording(logPath, &observer);
  WaitUntilEnded(observer);
  const int status = observer.Status().load();
  if (status == kLoadFailed) PrintError("cannot load " + logPath + ": no log record could be read");
  return status;
}

std::string FormatDateTime(const DateTime& t) {
  char text[48];
  std::snprintf(text, sizeof text, "%.4d.%.2d.%.2d %.2d:%.2d:%.2d.%.3d", t.year, t.month, t.day, t.hour, t.minute,
                t.second, t.milliseconds);
  return text;
}
