// The numbers of the export files read as "%.*f" prints them in the C
// locale, whatever path formats them: exact ties, values that round to
// zero, the sign of -0, the largest and smallest magnitudes.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

#include "export/NumberText.h"

namespace {

std::string Printed(double value, int decimals) {
  char text[400];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

TEST(NumberText, FixedReadsAsPrintfDoes) {
  const double edges[] = {0.0,
                          -0.0,
                          0.5,
                          1.5,
                          2.5,
                          -2.5,
                          0.125,
                          0.375,
                          1e-7,
                          -1e-7,
                          0.0000005,
                          -0.0000005,
                          0.9999995,
                          9.9999999995,
                          136.883333,
                          -35.166667,
                          179.9999995,
                          12345678.0000005,
                          4503599627370495.5,
                          9007199254740993.0,
                          9.2233720368547758e18,
                          1.8446744073709552e19,
                          1e300,
                          -1e300,
                          std::numeric_limits<double>::denorm_min(),
                          std::numeric_limits<double>::min(),
                          std::numeric_limits<double>::max(),
                          std::numeric_limits<double>::infinity(),
                          -std::numeric_limits<double>::infinity()};
  for (const double value : edges) {
    for (int decimals = 0; decimals <= 12; ++decimals)
      EXPECT_EQ(FixedText(value, decimals), Printed(value, decimals)) << value << " at " << decimals;
  }
  // Coordinates, speeds and headings as the logs give them, and any double.
  std::mt19937_64 random(20240614);
  std::uniform_real_distribution<double> degrees(-180.0, 180.0);
  for (int i = 0; i < 20000; ++i) {
    const double value = i % 2 == 0 ? degrees(random) : std::bit_cast<double>(random());
    if (std::isnan(value)) continue;
    const int decimals = i % 10;
    ASSERT_EQ(FixedText(value, decimals), Printed(value, decimals)) << value << " at " << decimals;
  }
}

}  // namespace
