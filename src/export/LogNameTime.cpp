#include "export/LogNameTime.h"

#include <cstdio>
#include <filesystem>
#include <string_view>

#include "platform/TimeKey.h"
#include "recording/InfoLogFile.h"

namespace {

// "YYYYMMDD_HHMMSS"
constexpr size_t kStampLength = 15;
constexpr size_t kStampSeparatorAt = 8;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsStamp(std::string_view text) {
  if (text.size() != kStampLength || text[kStampSeparatorAt] != '_') return false;
  for (size_t i = 0; i < kStampLength; ++i)
    if (i != kStampSeparatorAt && !IsDigit(text[i])) return false;
  return true;
}

int Digits(std::string_view text, size_t from, size_t count) {
  int value = 0;
  for (size_t i = from; i < from + count; ++i) value = value * 10 + (text[i] - '0');
  return value;
}

}  // namespace

std::optional<DateTime> LogNameStartTime(const std::string& path) {
  const std::string stem = std::filesystem::path(path).stem().string();
  const size_t comma = stem.find(',');
  const std::string_view stamp = std::string_view(stem).substr(comma == std::string::npos ? 0 : comma + 1);
  if (!IsStamp(stamp)) return std::nullopt;
  const int month = Digits(stamp, 4, 2);
  const int day = Digits(stamp, 6, 2);
  if (month < 1 || month > 12 || day < 1 || day > 31) return std::nullopt;
  return NormalizeLocal(Digits(stamp, 0, 4), month, day, Digits(stamp, 9, 2), Digits(stamp, 11, 2),
                        Digits(stamp, 13, 2), 0);
}

DateTime LogStartTime(const CInfoLogFile& log) {
  if (const auto fromName = LogNameStartTime(log.Path())) return *fromName;
  const FRAMEINFOLOG* first = log.Record(0);
  return TimeKeyToDateTime(first ? first->time / 1000 * 1000 : 0);
}

std::string KmlProposedFileName(const CInfoLogFile& firstLog) {
  const DateTime t = LogStartTime(firstLog);
  char name[48];
  std::snprintf(name, sizeof name, "KX_%.4d%.2d%.2d_%.2d%.2d%.2d", t.year, t.month, t.day, t.hour, t.minute, t.second);
  return name;
}
