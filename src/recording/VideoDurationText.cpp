#include "recording/VideoDurationText.h"

#include <charconv>
#include <limits>
#include <string_view>

namespace {

constexpr int64_t kSecondsPerMinute = 60;
constexpr int64_t kMinuteRoundUp = 11;
// A long word from the language file is cut to this length, as it always
// was.
constexpr size_t kLongestText = 127;

// "<count> <word>", the word read up to a NUL as the C formatter reads a
// string. Put together by hand: every row of the normal list has one, and
// the formatter costs more than the rest of the text.
std::string CountAndWord(int count, const std::string& word) {
  char digits[std::numeric_limits<int>::digits10 + 3];
  char* end = std::to_chars(digits, digits + sizeof digits, count).ptr;
  std::string text(digits, static_cast<size_t>(end - digits));
  text += ' ';
  text += std::string_view(word.c_str());
  if (text.size() > kLongestText) text.resize(kLongestText);
  return text;
}

}  // namespace

std::string VideoDurationText(std::optional<int64_t> seconds, const DurationWords& words) {
  if (!seconds) return {};
  const int64_t d = *seconds;
  if (d + 1 < kSecondsPerMinute) return CountAndWord(static_cast<int>(d + 1), words.second);
  return CountAndWord(static_cast<int>((d + kMinuteRoundUp) / kSecondsPerMinute), words.minute);
}

std::string VideoDurationText(std::optional<int64_t> seconds) {
  if (!seconds) return {};
  return VideoDurationText(seconds, ReadDurationWords());
}
