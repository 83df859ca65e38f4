#include "playback/LogRecordView.h"

#include <cmath>
#include <cstdio>
#include <filesystem>

#include "base/MgrMultiLang.h"
#include "platform/TimeKey.h"
#include "platform/Trace.h"
#include "playback/LogSearch.h"
#include "recording/InfoLogFile.h"
#include "telemetry/CourseText.h"

namespace {

constexpr int64_t kMsPerSecond = 1000;

// The signs after degrees, minutes and seconds: U+02DA, U+2019 and U+201D.
// They are UTF-8 sequences, so they go in as "%s" where a single-byte
// character set would have had "%c".
constexpr const char* kDegreeSign = "\xCB\x9A";
constexpr const char* kMinuteSign = "\xE2\x80\x99";
constexpr const char* kSecondSign = "\xE2\x80\x9D";
constexpr const char* kLatitudeFormat = "  %.2d%s %.2d%s %05.2f%s ";
constexpr const char* kNoLatitudeFormat = "  --%s --%s --.--%s ";
constexpr const char* kLongitudeFormat = " %.3d%s %.2d%s %05.2f%s ";
constexpr const char* kNoLongitudeFormat = " ---%s --%s --.--%s ";
constexpr const char* kHemisphereFormat = "%c";
constexpr const char* kClockFormat = " %.4d.%.2d.%.2d %.2d:%.2d:%.2d";
constexpr const char* kNoClock = " ----.--.-- --:--:--";
constexpr const char* kFileFormat = " %s";
constexpr const char* kSpeedFormat = "%d ";
constexpr const char* kNoSpeed = "- ";
constexpr const char* kHeadingFormat = "[%s]";
constexpr const char* kNoHeading = "[-]";

struct Sexagesimal {
  int degrees = 0;
  int minutes = 0;
  double seconds = 0;
};

// Degrees, minutes and seconds of |value|, the seconds rounded to the two
// decimals they are shown with; a rounding up to 60 is carried over.
Sexagesimal SplitDegrees(double value) {
  double rest = std::fabs(value);
  Sexagesimal split;
  split.degrees = static_cast<int>(rest);
  rest = (rest - split.degrees) * 60.0;
  split.minutes = static_cast<int>(rest);
  split.seconds = std::round((rest - split.minutes) * 60.0 * 100.0) / 100.0;
  if (split.seconds >= 60.0) {
    split.seconds -= 60.0;
    ++split.minutes;
  }
  if (split.minutes >= 60) {
    split.minutes -= 60;
    ++split.degrees;
  }
  return split;
}

std::string ClockText(const DateTime& t) {
  char text[64];
  std::snprintf(text, sizeof text, kClockFormat, t.year, t.month, t.day, t.hour, t.minute, t.second);
  return text;
}

std::string PositionText(double value, bool valid, bool latitude) {
  char text[96];
  if (!valid) {
    std::snprintf(text, sizeof text, latitude ? kNoLatitudeFormat : kNoLongitudeFormat, kDegreeSign, kMinuteSign,
                  kSecondSign);
  } else {
    const Sexagesimal split = SplitDegrees(value);
    std::snprintf(text, sizeof text, latitude ? kLatitudeFormat : kLongitudeFormat, split.degrees, kDegreeSign,
                  split.minutes, kMinuteSign, split.seconds, kSecondSign);
  }
  const char hemisphere = !valid     ? (latitude ? 'N' : 'E')
                          : latitude ? (value < 0 ? 'S' : 'N')
                                     : (value < 0 ? 'W' : 'E');
  char letter[4];
  std::snprintf(letter, sizeof letter, kHemisphereFormat, hemisphere);
  return std::string(text) + letter;
}

bool HasGpsTime(const DateTime& t) { return !(t == DateTime{}); }

}  // namespace

int FindLogRecordBySecond(const CInfoLogFile& log, int64_t timeKey) {
  for (int i = 0; i < log.RecordCount(); ++i) {
    if (log.Record(i)->time / kMsPerSecond == timeKey / kMsPerSecond) return i;
  }
  return -1;
}

const FRAMEINFOLOG* FirstLogFix(const LoadedLogs& logs) {
  for (const auto& log : logs) {
    if (!log) continue;
    for (int i = 0; i < log->RecordCount(); ++i) {
      if (log->Record(i)->gpsValid) return log->Record(i);
    }
  }
  return nullptr;
}

LogInfoTexts MakeLogInfoTexts(const std::string& fileName, const FRAMEINFOLOG* record, SpeedUnit unit) {
  LogInfoTexts texts;
  char text[640];
  std::snprintf(text, sizeof text, kFileFormat, fileName.c_str());
  texts.eventFile = {GetLangText("GUI", "EventFile", "EVENT File"), text};
  const bool hasTime = record != nullptr && record->time > 0;
  texts.recorderTime = {GetLangText("GUI", "RecorderClock", "Recorder Time"),
                        hasTime ? ClockText(TimeKeyToDateTime(record->time)) : kNoClock};
  const bool hasGpsTime = record != nullptr && HasGpsTime(record->gpsTime);
  texts.gpsTime = {GetLangText("GUI", "GPSClock", "GPS Time"), hasGpsTime ? ClockText(record->gpsTime) : kNoClock};
  const bool fix = record != nullptr && record->gpsValid != 0;
  texts.latitude = {GetLangText("GUI", "Latitude", "Latitude"), PositionText(fix ? record->lat : 0, fix, true)};
  texts.longitude = {GetLangText("GUI", "Longitude", "Longitude"), PositionText(fix ? record->lon : 0, fix, false)};
  // km/h as the search compares it; another unit straight from the record.
  if (fix) {
    const int speed =
        unit == SpeedUnit::kKmh ? SearchSpeed(record->speed) : static_cast<int>(SpeedIn(unit, record->speed, 0));
    std::snprintf(text, sizeof text, kSpeedFormat, speed);
  }
  texts.speed = {GetLangText("GUI", "Speed", "Speed"),
                 std::string(fix ? text : kNoSpeed) + std::string(SpeedUnitLabel(unit))};
  if (fix) {
    const std::string course = CourseText(record->course);
    std::snprintf(text, sizeof text, kHeadingFormat, course.c_str());
    texts.heading = text;
  } else {
    texts.heading = kNoHeading;
  }
  return texts;
}

LogRecordView::LogRecordView(const LoadedLogs& logs, LogRecordTargets& targets, const PlaybackOutputs& out)
    : logs_(logs), targets_(targets), out_(out) {}

bool LogRecordView::ShowLogRecord(int point) {
  int segment = -1;
  int64_t timeKey = 0;
  if (!targets_.GraphPointAt(point, segment, timeKey)) return false;
  if (segment < 0 || static_cast<size_t>(segment) >= logs_.size() || !logs_[static_cast<size_t>(segment)]) return false;
  const CInfoLogFile& log = *logs_[static_cast<size_t>(segment)];
  const int record = FindLogRecordBySecond(log, timeKey);
  if (record < 0) return false;

  targets_.SetGraphCursor(point);
  record_ = *log.Record(record);
  logIndex_ = segment;
  recordIndex_ = record;
  targets_.RepaintLogInfo();
  if (selectedLogRow_ != segment) {
    selectedLogRow_ = segment;
    out_.LoadedList().SelectLoadedLogRow(segment);
    KTRACE("Change PlayList Log selection");
  }
  targets_.DisplayUpdateForLogRecord(record_, record_.time);
  return true;
}

void LogRecordView::UpdateMap() { out_.RefreshMap(); }

bool LogRecordView::SelectLoadedLog(int log) {
  targets_.StopLogPlay();
  if (log < 0 || static_cast<size_t>(log) >= logs_.size() || !logs_[static_cast<size_t>(log)]) return false;
  selectedLogRow_ = log;
  const FRAMEINFOLOG* first = logs_[static_cast<size_t>(log)]->Record(0);
  if (first == nullptr) return false;
  const int point = targets_.FindGraphPointBySecond(first->time);
  if (point < 0 || !ShowLogRecord(point)) return false;
  UpdateMap();
  return true;
}

bool LogRecordView::ShowSearchResult(const LogSearchRow& row) {
  targets_.StopLogPlay();
  if (row.log < 0 || static_cast<size_t>(row.log) >= logs_.size() || !logs_[static_cast<size_t>(row.log)]) return false;
  const FRAMEINFOLOG* record = logs_[static_cast<size_t>(row.log)]->Record(row.record);
  if (record == nullptr) return false;
  const int point = targets_.FindGraphPointBySecond(record->time);
  if (!ShowLogRecord(point < 0 ? 0 : point)) return false;
  UpdateMap();
  return true;
}

void LogRecordView::ClearRecord() {
  record_ = FRAMEINFOLOG{};
  logIndex_ = recordIndex_ = -1;
  targets_.RepaintLogInfo();
}

LogInfoTexts LogRecordView::Texts(SpeedUnit unit) const {
  if (!HasRecord()) return MakeLogInfoTexts({}, nullptr, unit);
  // The record is a copy; the log it came from may have been released since.
  const auto entry = static_cast<size_t>(logIndex_);
  const bool loaded = entry < logs_.size() && logs_[entry];
  const std::string name = loaded ? std::filesystem::path(logs_[entry]->Path()).filename().string() : std::string();
  return MakeLogInfoTexts(name, &record_, unit);
}
