#include <gtest/gtest.h>

#include "skin/ui/FitFont.h"

namespace {

QFont Base() {
  QFont font;
  font.setPixelSize(18);
  return font;
}

TEST(FitFontTest, ShortTextsKeepTheirSizeLongOnesStepDownUntilTheyFit) {
  EXPECT_EQ(FontFitting(Base(), {"Speed : 45 km/h"}, 400).pixelSize(), 18);

  const QStringList long_lines{"Speed : 45 km/h", "Geschwindigkeit : 45 km/h mit Umlauten"};
  const int wide = QFontMetrics(Base()).horizontalAdvance(long_lines[1]);
  const QFont fitted = FontFitting(Base(), long_lines, wide * 3 / 4);
  EXPECT_LT(fitted.pixelSize(), 18);
  EXPECT_LE(QFontMetrics(fitted).horizontalAdvance(long_lines[1]), wide * 3 / 4);

  // What cannot fit at all stops at the smallest size.
  EXPECT_EQ(FontFitting(Base(), {QString(200, 'W')}, 50, 10).pixelSize(), 10);
}

}  // namespace
