#include "recording/VideoDurationText.h"

#include <cstdio>

namespace {

constexpr const char* kDurationFormat = "%d %s";
constexpr int64_t kSecondsPerMinute = 60;
constexpr int64_t kMinuteRoundUp = 11;

}  // namespace

std::string VideoDurationText(std::optional<int64_t> seconds, const DurationWords& words) {
  if (!seconds) return {};
  const int64_t d = *seconds;
  char text[128];
  if (d + 1 < kSecondsPerMinute) {
    std::snprintf(text, sizeof text, kDurationFormat, static_cast<int>(d + 1), words.second.c_str());
  } else {
    std::snprintf(text, sizeof text, kDurationFormat, static_cast<int>((d + kMinuteRoundUp) / kSecondsPerMinute),
                  words.minute.c_str());
  }
  return text;
}

std::string VideoDurationText(std::optional<int64_t> seconds) {
  if (!seconds) return {};
  return VideoDurationText(seconds, ReadDurationWords());
}
