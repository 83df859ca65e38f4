#include "playback/LoadedListRows.h"

#include <cstdio>
#include <filesystem>

#include "base/AppState.h"
#include "base/MgrMultiLang.h"
#include "platform/TimeKey.h"
#include "recording/EventCodes.h"
#include "recording/FileListRows.h"
#include "recording/InfoEventFile.h"
#include "recording/InfoLogFile.h"
#include "recording/MgrDBSearch.h"
#include "recording/VideoFileProbe.h"

namespace {

// The number comes as the No. column prints it ("%.0f"), hence "%s".
constexpr const char* kLoadedRowFormat = " %s,  %d.%.2d.%.2d %.2d:%.2d:%.2d [%s]";
constexpr const char* kCrashedRowFormat = " %s,  %s [%s]";
constexpr const char* kMarkerRowFormat = ",%d.%.2d.%.2d %.2d:%.2d:%.2d   [%s]";
constexpr const char* kNoMarkerRowFormat = ",%s";

std::string DatedRow(const std::string& number, const DateTime& t, const std::string& info) {
  char text[1024];
  std::snprintf(text, sizeof text, kLoadedRowFormat, number.c_str(), t.year, t.month, t.day, t.hour, t.minute, t.second,
                info.c_str());
  return text;
}

bool StartsEvent(const CInfoEventFile& recording, int frame) {
  if (recording.Frame(frame).eventBits == 0) return false;
  return frame == 0 || recording.Frame(frame - 1).eventBits == 0;
}

}  // namespace

std::string EventTypeText(uint8_t code, uint8_t extendedCode) { return EventName(code, extendedCode); }

std::string LoadedRecordingText(const CInfoEventFile& recording, ViewMode viewMode) {
  const std::string& path = recording.DataFilePath();
  const std::string title = FileTitle(path);
  if (title.empty()) return {};
  const std::string number = ListNumberText(title);
  if (recording.FrameCount() == 0) {
    const std::string name = std::filesystem::path(path).filename().string();
    const std::string crashed = GetLangText("GUI", "CrashedVideo", "Crashed Video");
    char text[1024];
    std::snprintf(text, sizeof text, kCrashedRowFormat, number.c_str(), name.c_str(), crashed.c_str());
    return text;
  }
  // The event as the file lists name it: a scanned recording has lost what
  // its index said, its first picture still says it.
  const std::string info = viewMode == kViewModeNormal ? recording.GetDurationText() : ReadVideoEventName(path);
  return DatedRow(number, recording.Frame(0).time, info);
}

std::vector<LoadedListRow> LoadedRecordingRows(const std::vector<std::unique_ptr<CInfoEventFile>>& videos,
                                               ViewMode viewMode) {
  std::vector<LoadedListRow> rows;
  for (size_t i = 0; i < videos.size(); ++i) {
    const std::string text = videos[i] ? LoadedRecordingText(*videos[i], viewMode) : std::string();
    rows.push_back({text, static_cast<int>(i)});
  }
  return rows;
}

std::string LoadedLogText(const CMgrDBSearch& store, const CInfoLogFile& log) {
  const FRAMEINFOLOG* first = log.Record(0);
  if (first == nullptr) return {};
  const std::string& path = log.ListedPath().empty() ? log.Path() : log.ListedPath();
  return DatedRow(ListNumberText(FileTitle(path)), TimeKeyToDateTime(first->time), store.GetLogDurationText(path));
}

std::vector<LoadedListRow> LoadedLogRows(const CMgrDBSearch& store) {
  std::vector<LoadedListRow> rows;
  const auto& logs = store.Logs();
  for (size_t i = 0; i < logs.size(); ++i) {
    const std::string text = logs[i] ? LoadedLogText(store, *logs[i]) : std::string();
    rows.push_back({text, static_cast<int>(i)});
  }
  return rows;
}

std::vector<LoadedListRow> EventMarkerRows(const CInfoEventFile& recording) {
  std::vector<LoadedListRow> rows;
  for (int i = 0; i < recording.FrameCount(); ++i) {
    if (!StartsEvent(recording, i)) continue;
    const FRAMEINFOVIDEO& frame = recording.Frame(i);
    const DateTime& t = frame.time;
    const std::string type = EventTypeText(frame.eventBits, recording.ExtendedEventCode());
    char text[1024];
    std::snprintf(text, sizeof text, kMarkerRowFormat, t.year, t.month, t.day, t.hour, t.minute, t.second,
                  type.c_str());
    rows.push_back({text, i});
  }
  if (!rows.empty()) return rows;
  const std::string none = GetLangText("GUI", "NoEventMarker", "No Event is triggered");
  char text[640];
  std::snprintf(text, sizeof text, kNoMarkerRowFormat, none.c_str());
  rows.push_back({text, -1});
  return rows;
}
