#include "recording/VideoDurationText.h"

#include <cstdio>

#include "base/MgrMultiLang.h"

namespace {

constexpr const char* kDurationFormat = "%d %s";
constexpr int64_t kSecondsPerMinute = 60;
constexpr int64_t kMinuteRoundUp = 11;

}  // namespace

std::string VideoDurationText(std::optional<int64_t> seconds) {
  if (!seconds) return {};
  const int64_t d = *seconds;
  char text[128];
  if (d + 1 < kSecondsPerMinute) {
    const std::string word = GetLangText("GUI", "Second", "Sec");
    std::snprintf(text, sizeof text, kDurationFormat, static_cast<int>(d + 1), word.c_str());
  } else {
    const std::string word = GetLangText("GUI", "Minute", "Min");
    std::snprintf(text, sizeof text, kDurationFormat, static_cast<int>((d + kMinuteRoundUp) / kSecondsPerMinute),
                  word.c_str());
  }
  return text;
}
