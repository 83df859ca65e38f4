#include "recording/NmeaSentence.h"

#include <algorithm>
#include <charconv>

#include "platform/ProfileFile.h"

namespace {

constexpr int kFractionDigits = 4;  // ten-thousandths of a minute

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The characters [pos, pos + length) of text, cut at its end.
std::string_view Piece(std::string_view text, size_t pos, size_t length) {
  if (pos >= text.size()) return {};
  return text.substr(pos, length);
}

// The fraction digits of a minute value as ten-thousandths. A receiver that
// sends fewer than four digits still means a decimal fraction: "12" is 0.12
// of a minute, so the missing places are zeros, not a smaller number.
int TenThousandths(std::string_view digits) {
  int value = 0;
  int places = 0;
  for (; places < kFractionDigits && places < static_cast<int>(digits.size()) && IsDigit(digits[places]); ++places) {
    value = value * 10 + (digits[places] - '0');
  }
  for (int i = places; i < kFractionDigits; ++i) value *= 10;
  return value;
}

// The first "," or "*" from at on, or end.
const char* NextSeparator(const char* at, const char* end) {
  while (at != end && *at != ',' && *at != '*') ++at;
  return at;
}

}  // namespace

NmeaSentence::NmeaSentence(std::string_view sentence, size_t fieldsWanted) : text_(sentence) {
  if (!text_.empty() && text_.front() == '$') text_.remove_prefix(1);
  const size_t most = std::clamp<size_t>(fieldsWanted, 1, kMaxFields);
  const char* const end = text_.data() + text_.size();
  const char* start = text_.data();
  while (count_ + 1 < most) {
    const char* const separator = NextSeparator(start, end);
    if (separator == end) break;
    fields_[count_++] = std::string_view(start, static_cast<size_t>(separator - start));
    start = separator + 1;
  }
  // The last field runs to the end; past the field limit it is cut at the next separator.
  fields_[count_++] = std::string_view(start, static_cast<size_t>(NextSeparator(start, end) - start));
}

std::string_view NmeaSentence::Field(size_t n) const { return Has(n) ? fields_[n] : std::string_view{}; }

int NmeaSentence::Int(size_t n) const { return LeadingInt(Field(n)); }

double NmeaSentence::Number(size_t n) const { return LeadingNumber(Field(n)); }

double NmeaSentence::Coordinate(size_t valueField, size_t hemisphereField, int degreeDigits,
                                std::string_view negativeHemisphere) const {
  const std::string_view value = Field(valueField);
  if (value.empty() || !Has(hemisphereField)) return 0.0;
  const double degrees = NmeaCoordinate(value, degreeDigits);
  return Field(hemisphereField) == negativeHemisphere ? -degrees : degrees;
}

double LeadingNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  const size_t begin = i;
  while (i < text.size() && IsDigit(text[i])) ++i;
  size_t end = i;
  if (i < text.size() && text[i] == '.') {
    size_t j = i + 1;
    while (j < text.size() && IsDigit(text[j])) ++j;
    if (j > i + 1) end = j;  // "12." and "12.x" read as 12; ".5" as 0.5
  }
  if (end == begin) return 0.0;
  double value = 0.0;
  const auto result = std::from_chars(text.data() + begin, text.data() + end, value);
  if (result.ec != std::errc()) return 0.0;
  return negative ? -value : value;
}

double NmeaCoordinate(std::string_view value, int degreeDigits) {
  const size_t at = (!value.empty() && value.front() == '-') ? 1 : 0;
  const size_t degreeCount = static_cast<size_t>(degreeDigits);
  const int degrees = LeadingInt(Piece(value, at, degreeCount));
  const int minutes = LeadingInt(Piece(value, at + degreeCount, 2));
  const int fraction = TenThousandths(Piece(value, at + degreeCount + 3, kFractionDigits));
  const double seconds = fraction * 60.0 / 10000.0;
  return (seconds / 60.0 + minutes) / 60.0 + degrees;
}
