#include "export/NumberText.h"

#include <charconv>

namespace {

// Enough for any double in fixed notation with a handful of decimals.
constexpr size_t kFixedCapacity = 352;

}  // namespace

void AppendFixed(std::string& out, double value, int decimals) {
  char text[kFixedCapacity];
  const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
  out.append(text, result.ptr);
}

void AppendInt(std::string& out, int64_t value) {
  char text[24];
  const auto result = std::to_chars(text, text + sizeof text, value);
  out.append(text, result.ptr);
}

void AppendTwoDigits(std::string& out, int value) {
  if (value >= 0 && value < 10) out += '0';
  AppendInt(out, value);
}

void AppendHexByte(std::string& out, int value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  out += kDigits[(value >> 4) & 0xF];
  out += kDigits[value & 0xF];
}

std::string FixedText(double value, int decimals) {
  std::string text;
  AppendFixed(text, value, decimals);
  return text;
}
