#include "mapctrl/MapArgText.h"

#include <charconv>

namespace {

constexpr int kCoordinateDecimals = 6;
// Room for the largest double in fixed notation with six decimals.
constexpr size_t kCoordinateTextMax = 330;

}  // namespace

std::string CoordinateText(double degrees) {
  char text[kCoordinateTextMax];
  // A south or west zero (-0.0) stands at the same place as zero.
  const double value = degrees == 0.0 ? 0.0 : degrees;
  const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, kCoordinateDecimals);
  return std::string(text, result.ptr);
}

std::string IndexText(int value) { return std::to_string(value); }

std::vector<std::string> PointArgTexts(int recording, int frame, int kind, double latitude, double longitude) {
  return {CoordinateText(latitude), CoordinateText(longitude), IndexText(recording), IndexText(frame), IndexText(kind)};
}
