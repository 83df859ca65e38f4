#include "export/NumberText.h"

#include <bit>
#include <charconv>
#include <cmath>

namespace {

// Enough for any double in fixed notation with a handful of decimals.
constexpr size_t kFixedCapacity = 352;

// The decimals and magnitudes the exact integer path below takes; anything
// else goes through the library's general conversion.
constexpr int kFastDecimalsMax = 9;
constexpr uint64_t kPowersOfTen[kFastDecimalsMax + 1] = {1,      10,      100,      1000,      10000,
                                                         100000, 1000000, 10000000, 100000000, 1000000000};
constexpr int kMantissaBits = 52;
constexpr uint64_t kMantissaMask = (uint64_t{1} << kMantissaBits) - 1;
constexpr int kExponentMask = 0x7FF;
constexpr int kExponentBias = 1075;  // 1023 plus the mantissa's 52 places
constexpr int kSubnormalExponent = 1 - kExponentBias;
// Up to 2^10 times a 53-bit mantissa: every value below 2^63.
constexpr int kFastExponentMax = 10;
constexpr int kWideBits = 128;

__extension__ typedef unsigned __int128 Wide;

// value x 10^decimals rounded to the nearest integer, ties to even, which is
// what printf does in the default rounding mode: the double is an integer
// times a power of two, so the product is formed exactly in 128 bits. False
// when the value is not finite or too large for this path.
bool ScaledMagnitude(double value, int decimals, uint64_t& scaled) {
  const uint64_t bits = std::bit_cast<uint64_t>(value);
  const int biased = static_cast<int>((bits >> kMantissaBits) & kExponentMask);
  if (biased == kExponentMask) return false;
  const uint64_t mantissa = (bits & kMantissaMask) | (biased == 0 ? 0 : uint64_t{1} << kMantissaBits);
  const int exponent = biased == 0 ? kSubnormalExponent : biased - kExponentBias;
  if (exponent > kFastExponentMax) return false;
  const Wide product = static_cast<Wide>(mantissa) * kPowersOfTen[decimals];
  Wide rounded = 0;
  if (exponent >= 0) {
    rounded = product << exponent;
  } else if (-exponent < kWideBits) {
    const int shift = -exponent;
    rounded = product >> shift;
    const Wide rest = product - (rounded << shift);
    const Wide half = static_cast<Wide>(1) << (shift - 1);
    if (rest > half || (rest == half && (rounded & 1) != 0)) ++rounded;
  }
  // Smaller than half a unit of the last place otherwise: zero.
  if ((rounded >> 64) != 0) return false;
  scaled = static_cast<uint64_t>(rounded);
  return true;
}

}  // namespace

void AppendFixed(std::string& out, double value, int decimals) {
  uint64_t scaled = 0;
  if (decimals < 0 || decimals > kFastDecimalsMax || !ScaledMagnitude(value, decimals, scaled)) {
    char text[kFixedCapacity];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    out.append(text, result.ptr);
    return;
  }
  // printf keeps the sign of a negative value that rounds to zero, and of -0.
  char text[32];
  char* end = text;
  if (std::signbit(value)) *end++ = '-';
  const uint64_t unit = kPowersOfTen[decimals];
  end = std::to_chars(end, text + sizeof text, scaled / unit).ptr;
  if (decimals > 0) {
    *end++ = '.';
    uint64_t fraction = scaled % unit;
    for (int i = decimals - 1; i >= 0; --i) {
      end[i] = static_cast<char>('0' + fraction % 10);
      fraction /= 10;
    }
    end += decimals;
  }
  out.append(text, end);
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
