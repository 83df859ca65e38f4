#include "playback/LogSearch.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string_view>

#include "platform/TimeKey.h"
#include "playback/LoadedListRows.h"
#include "recording/InfoLogFile.h"

namespace {

constexpr const char* kNumberFormat = "%d";
constexpr const char* kDateTimeFormat = "%d.%.2d.%.2d %.2d:%.2d:%.2d";
constexpr const char* kEmptySpeed = "0";
constexpr const char* kEmptyAxis = "0.00";
constexpr int kAxisDecimals = 2;
constexpr float kGravity = 1.0f;

// The leading number of an edit text as atof reads it, without regard to
// the locale the window runs in; 0 when there is none.
double ReadNumber(std::string_view text) {
  size_t at = 0;
  while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
  if (at < text.size() && text[at] == '+') ++at;
  double value = 0;
  const auto read = std::from_chars(text.data() + at, text.data() + text.size(), value);
  return read.ec == std::errc() ? value : 0.0;
}

std::string IntText(int value) {
  char text[16];
  std::snprintf(text, sizeof text, kNumberFormat, value);
  return text;
}

}  // namespace

int SearchSpeed(float kmh) { return static_cast<int>(static_cast<double>(kmh) + 0.5); }

double SearchAxis(float value) {
  // Printed with two decimals and read back, as the pane's texts are.
  char text[64];
  const double magnitude = std::fabs(static_cast<double>(value));
  const auto printed = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::fixed, kAxisDecimals);
  if (printed.ec != std::errc()) return magnitude;
  return ReadNumber(std::string_view(text, static_cast<size_t>(printed.ptr - text)));
}

std::string LogRecordEventType(const FRAMEINFOLOG& record) { return EventTypeText(record.valueA, 0); }

struct LogSearch::Thresholds {
  bool speed = false;
  double speedKmh = 0;
  bool accel = false;
  std::array<bool, 3> axis{};
  std::array<double, 3> axisG{};

  bool AccelMatches(const FRAMEINFOLOG& r) const {
    const std::array<double, 3> values{SearchAxis(r.gX), SearchAxis(r.gY), SearchAxis(r.gZ - kGravity)};
    bool any = false;
    for (size_t i = 0; i < axis.size(); ++i) {
      if (!axis[i]) continue;
      if (values[i] < axisG[i]) return false;
      any = true;
    }
    return any;
  }
  // Above 0 the speed must reach the threshold; a threshold of 0 asks for
  // standing still.
  bool SpeedReaches(const FRAMEINFOLOG& r) const {
    const int kmh = SearchSpeed(r.speed);
    return speedKmh > 0 ? kmh >= speedKmh : kmh == 0;
  }
  bool SpeedInRun(const FRAMEINFOLOG& r) const {
    const int kmh = SearchSpeed(r.speed);
    return speedKmh > 0 ? kmh >= speedKmh : kmh <= 0;
  }
};

LogSearch::Thresholds LogSearch::ReadThresholds() {
  // Appended to the empty text rather than assigned: GCC 12 reports a false
  // -Wrestrict overlap for assigning a literal to a string.
  if (fields_.speedText.empty()) fields_.speedText.append(kEmptySpeed);
  for (std::string& text : fields_.axisText) {
    if (text.empty()) text.append(kEmptyAxis);
  }
  Thresholds t;
  t.speed = fields_.speedChecked;
  t.speedKmh = ReadNumber(fields_.speedText);
  t.accel = fields_.accelChecked;
  for (size_t i = 0; i < t.axis.size(); ++i) {
    t.axis[i] = fields_.axisChecked[i];
    t.axisG[i] = ReadNumber(fields_.axisText[i]);
  }
  return t;
}

void LogSearch::AddRow(int log, int record, const FRAMEINFOLOG& r) {
  const DateTime t = TimeKeyToDateTime(r.time);
  char dateTime[64];
  std::snprintf(dateTime, sizeof dateTime, kDateTimeFormat, t.year, t.month, t.day, t.hour, t.minute, t.second);
  rows_.push_back(
      {IntText(static_cast<int>(rows_.size()) + 1), dateTime, IntText(record), LogRecordEventType(r), log, record});
}

const std::vector<LogSearchRow>& LogSearch::Search(const std::vector<std::unique_ptr<CInfoLogFile>>& logs) {
  const Thresholds t = ReadThresholds();
  rows_.clear();
  if (!t.speed && !t.accel) return rows_;
  for (size_t l = 0; l < logs.size(); ++l) {
    if (!logs[l]) continue;
    const CInfoLogFile& log = *logs[l];
    const int logIndex = static_cast<int>(l);
    bool inRun = false;  // a new log starts outside a run
    for (int i = 0; i < log.RecordCount(); ++i) {
      const FRAMEINFOLOG& r = *log.Record(i);
      if (t.speed && t.accel) {
        if (r.gpsValid && t.AccelMatches(r) && t.SpeedReaches(r)) AddRow(logIndex, i, r);
      } else if (t.speed) {
        // Without a fix a record neither starts nor ends a run.
        if (!r.gpsValid) continue;
        const bool match = t.SpeedInRun(r);
        if (match && !inRun) AddRow(logIndex, i, r);
        inRun = match;
      } else if (t.AccelMatches(r)) {
        AddRow(logIndex, i, r);
      }
    }
  }
  return rows_;
}
