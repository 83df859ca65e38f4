// The argument texts of the page's script functions, under a locale that
// writes a decimal comma.

#include <gtest/gtest.h>

#include <climits>

#include "mapctrl/MapArgText.h"
#include "support/CommaLocale.h"

namespace {

TEST(MapArgTextTest, CoordinatesHaveSixDecimalsAndAPointWhateverTheLocale) {
  const CommaLocale comma;
  ASSERT_TRUE(comma.Active()) << "localedef could not build de_DE.UTF-8";
  EXPECT_EQ(CoordinateText(0.0), "0.000000");
  EXPECT_EQ(CoordinateText(-0.0), "0.000000");  // a south zero is the equator
  EXPECT_EQ(CoordinateText(35.172222), "35.172222");
  EXPECT_EQ(CoordinateText(-33.875), "-33.875000");
  EXPECT_EQ(CoordinateText(136.8833333333), "136.883333");
  EXPECT_EQ(CoordinateText(-179.9999996), "-180.000000");  // rounded as printf rounds
  EXPECT_EQ(CoordinateText(0.0000004), "0.000000");
  EXPECT_EQ(CoordinateText(1e20), "100000000000000000000.000000");  // never an exponent
}

TEST(MapArgTextTest, IndicesAreCPlainIntegers) {
  const CommaLocale comma;
  ASSERT_TRUE(comma.Active());
  EXPECT_EQ(IndexText(0), "0");
  EXPECT_EQ(IndexText(-1), "-1");
  EXPECT_EQ(IndexText(1234567), "1234567");  // no thousands separator
  EXPECT_EQ(IndexText(INT_MIN), "-2147483648");
}

}  // namespace
