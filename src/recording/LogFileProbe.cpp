#include "recording/LogFileProbe.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "recording/LogFormat.h"
#include "recording/LogLine.h"
#include "recording/LogLineReader.h"
#include "recording/LogSource.h"
#include "recording/LogTailReader.h"
#include "recording/LogTime.h"
#include "recording/NmeaSentence.h"

namespace {

// The end is the last line that the reader could still have kept.
constexpr int64_t kEndWindowSeconds = 3611;
constexpr int64_t kMaxDurationSeconds = 3600;

// A data line's time in whole seconds; 0 when it is not a data line or has no time.
int64_t DataLineSeconds(std::string_view sentence) {
  if (sentence.substr(0, kLogDataLineStart.size()) != kLogDataLineStart) return 0;
  if (sentence.find('*') == std::string_view::npos) return 0;
  const NmeaSentence data(sentence);
  return LogRecordTime(data.Field(kLogDataTime), data.Field(kLogDataDate)) / 1000;
}

int64_t FindStartSeconds(const LogSource& source) {
  LogLineReader lines(source);
  std::string_view sentence;
  while (lines.Next(sentence)) {
    const int64_t seconds = DataLineSeconds(sentence);
    if (seconds > 0) return seconds;
  }
  return 0;
}

// Lines without a time are passed over from the end as well: they are
// dropped records, and taking one would put the end before the start.
int64_t FindEndSeconds(const LogSource& source, int64_t startSeconds) {
  LogTailReader lines(source);
  std::string_view sentence;
  while (lines.Next(sentence)) {
    const int64_t seconds = DataLineSeconds(sentence);
    if (seconds > 0 && seconds - startSeconds < kEndWindowSeconds) return seconds;
  }
  return 0;
}

constexpr const char* kUnknownFormat = "?? %s";
constexpr const char* kCountFormat = "%d ";

std::string UnknownDuration(const std::string& minutesWord) {
  char text[512];
  std::snprintf(text, sizeof text, kUnknownFormat, minutesWord.c_str());
  return text;
}

std::string CountThenWord(int count, const std::string& word) {
  char text[32];
  std::snprintf(text, sizeof text, kCountFormat, count);
  return text + word;
}

// The duration of a log whose first and last timed lines are start and end
// (0: none).
std::string DurationText(int64_t start, int64_t end, const DurationWords& words) {
  if (start <= 0 || end <= 0) return UnknownDuration(words.minute);
  // A clock that jumped back before the start still spans its first record.
  const int duration = static_cast<int>(std::clamp<int64_t>(end - start + 1, 1, kMaxDurationSeconds));
  if (duration < 60) return CountThenWord(duration, words.second);
  return CountThenWord(duration / 60, words.minute);
}

// The ids of a header line; both empty for any other line.
LogIds HeaderIds(std::string_view line) {
  if (line.substr(0, kLogHeaderStart.size()) != kLogHeaderStart) return {};
  const NmeaSentence header(line);
  return {LogHeaderId(header.Field(kLogHeaderDrid)), LogHeaderId(header.Field(kLogHeaderSdid))};
}

}  // namespace

LogIds ReadLogIds(const std::filesystem::path& path) {
  LogSource source;
  if (!source.Open(path)) return {};
  return ReadLogIds(source);
}

LogIds ReadLogIds(const LogSource& source) {
  LogLineReader lines(source);
  std::string_view first;
  if (!lines.Next(first)) return {};
  return HeaderIds(first);
}

int64_t ReadLogStartTime(const std::filesystem::path& path) {
  LogSource source;
  if (!source.Open(path)) return 0;
  return ReadLogStartTime(source);
}

int64_t ReadLogStartTime(const LogSource& source) { return FindStartSeconds(source); }

int64_t ReadLogEndTime(const std::filesystem::path& path) {
  LogSource source;
  if (!source.Open(path)) return 0;
  return ReadLogEndTime(source);
}

int64_t ReadLogEndTime(const LogSource& source) {
  const int64_t start = FindStartSeconds(source);
  if (start <= 0) return 0;
  return FindEndSeconds(source, start);
}

std::string GetLogDurationText(const std::filesystem::path& path) {
  LogSource source;
  if (!source.Open(path)) return {};
  return GetLogDurationText(source);
}

std::string GetLogDurationText(const LogSource& source) {
  if (!source.IsOpen()) return {};
  const int64_t start = FindStartSeconds(source);
  const int64_t end = start > 0 ? FindEndSeconds(source, start) : 0;
  return DurationText(start, end, ReadDurationWords());
}

LogListFacts ReadLogListFacts(const std::filesystem::path& path, const DurationWords& words) {
  LogSource source;
  if (!source.Open(path)) return {};
  return ReadLogListFacts(source, words);
}

LogListFacts ReadLogListFacts(const LogSource& source, const DurationWords& words) {
  LogListFacts facts;
  if (!source.IsOpen()) return facts;
  // The header is the first line; the start is the first timed data line,
  // which may be that same line when there is no header.
  LogLineReader lines(source);
  std::string_view sentence;
  for (bool first = true; facts.start <= 0 && lines.Next(sentence); first = false) {
    if (first) facts.ids = HeaderIds(sentence);
    facts.start = std::max<int64_t>(DataLineSeconds(sentence), 0);
  }
  facts.end = facts.start > 0 ? FindEndSeconds(source, facts.start) : 0;
  facts.duration = DurationText(facts.start, facts.end, words);
  return facts;
}
