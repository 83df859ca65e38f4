// The info panels' lines: speed and position of the snapshot's GPS block,
// and the play time in both date orders.

#include <gtest/gtest.h>

#include <fstream>

#include "base/MgrMultiLang.h"
#include "playback/InfoPanelText.h"
#include "support/TempDir.h"

namespace {

class InfoPanelTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    savedLang_ = LangFilePath();
    SetLangFilePath("");
  }
  void TearDown() override { SetLangFilePath(savedLang_); }

  static GpsBlock Fix() {
    GpsBlock gps;
    gps.valid = 1;
    gps.latHemi = 'N';
    gps.latDeg = 8;
    gps.latMin = 7;
    gps.latSec = 3.456f;
    gps.lonHemi = 'W';
    gps.lonDeg = 11;
    gps.lonMin = 31;
    gps.lonSec = 59.999f;
    gps.speed = 87;
    return gps;
  }

  std::string savedLang_;
};

TEST_F(InfoPanelTextTest, SpeedAndPositionLines) {
  const ImageInfoText info = MakeImageInfoText(Fix(), SpeedUnit::kKmh);
  EXPECT_EQ(info.speed, "Speed : 87 km/h");
  EXPECT_EQ(info.latitude, "GPS 08 \xC2\xB0 07' 3.46\" N");
  // Seconds are printed, not carried: 59.999 shows as 60.00.
  EXPECT_EQ(info.longitude, "     011 \xC2\xB0 31' 60.00\" W");
  EXPECT_TRUE(info.positionValid);
}

TEST_F(InfoPanelTextTest, BlockWithoutFixKeepsFullLines) {
  GpsBlock gps;  // no hemisphere letters at all
  const ImageInfoText info = MakeImageInfoText(gps, SpeedUnit::kKmh);
  EXPECT_FALSE(info.positionValid);
  EXPECT_EQ(info.latitude, "GPS 00 \xC2\xB0 00' 0.00\" N");
  EXPECT_EQ(info.longitude, "     000 \xC2\xB0 00' 0.00\" E");
  EXPECT_EQ(info.speed, "Speed : 0 km/h");
}

TEST_F(InfoPanelTextTest, DateOrders) {
  const DateTime t{2024, 3, 2, 5, 9, 8, 7, 45};
  const PlayTimeText yearFirst = MakePlayTimeText(t, false);
  EXPECT_EQ(yearFirst.date, "2024.03.05 (Tue)");
  EXPECT_EQ(yearFirst.time, "09:08:07");
  EXPECT_EQ(yearFirst.milliseconds, ".045");
  EXPECT_EQ(MakePlayTimeText(t, true).date, "Tue 03.05.2024 ");
}

TEST_F(InfoPanelTextTest, WeekdayNames) {
  EXPECT_EQ(WeekdayName(0), "Sun");
  EXPECT_EQ(WeekdayName(6), "Sat");
  // A weekday field the recorder got wrong names no day.
  EXPECT_EQ(WeekdayName(7), "");
  EXPECT_EQ(MakePlayTimeText(DateTime{2024, 3, 9, 5, 0, 0, 0, 0}, false).date, "2024.03.05 ()");

  TempDir dir;
  const auto path = dir / "kelbrinlang_de.ini";
  std::ofstream(path) << "[GUI]\nTuesday=Di\nSpeed=Tempo\n";
  SetLangFilePath(path.string());
  EXPECT_EQ(WeekdayName(2), "Di");
  EXPECT_EQ(MakeImageInfoText(Fix(), SpeedUnit::kKmh).speed, "Tempo : 87 km/h");
}

}  // namespace
