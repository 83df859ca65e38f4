#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "base/MgrMultiLang.h"
#include "support/TempDir.h"
#include "telemetry/DigitDisplays.h"

namespace {

using Cells = std::vector<DigitCell>;

DigitCell G(int cell, int x) { return {DigitStrip::kGDigit, cell, x, 0}; }
DigitCell GPoint() { return {DigitStrip::kGPoint, 0, 30, 0}; }
DigitCell Speed(int cell, int x) { return {DigitStrip::kSpeedDigit, cell, x, 0}; }

// The cell of strip drawn at x in row y, if any.
std::optional<int> CellAt(const Cells& cells, DigitStrip strip, int x, int y) {
  for (const DigitCell& c : cells)
    if (c.strip == strip && c.x == x && c.y == y) return c.cell;
  return std::nullopt;
}

struct RecordingDisplayView : DigitDisplayView {
  std::vector<DigitDisplayId> repainted;
  void RepaintDisplay(DigitDisplayId display) override { repainted.push_back(display); }
};

TEST(DigitCellsTest, GValueCells) {
  EXPECT_EQ(GValueCellsOf(-0.4f), (Cells{G(kDashCell, 2), G(0, 16), GPoint(), G(4, 36), G(0, 50)}));
  EXPECT_EQ(GValueCellsOf(12.34f), (Cells{G(2, 16), GPoint(), G(3, 36), G(4, 50)}));
  EXPECT_EQ(GValueCellsOf(-12.345f), (Cells{G(kDashCell, 2), G(2, 16), GPoint(), G(3, 36), G(5, 50)}));
  EXPECT_EQ(GValueCellsOf(0.0f), (Cells{G(0, 16), GPoint(), G(0, 36), G(0, 50)}));
  const Cells dashes{G(kDashCell, 16), GPoint(), G(kDashCell, 36), G(kDashCell, 50)};
  EXPECT_EQ(GValueCellsOf(kNoGValue), dashes);
  EXPECT_EQ(GValueCellsOf(NAN), dashes);
  EXPECT_EQ(GValueCellsOf(-INFINITY), dashes);
  EXPECT_EQ(GValueCellsOf(3e38f).size(), 4u);
}

TEST(DigitCellsTest, SpeedDigitsLeaveLeadingZerosBlank) {
  const SpeedSource gps{0, kDisplaySpeedGps};
  EXPECT_EQ(SpeedCellsOf(0, 1, 7, true, gps).digits, (Cells{Speed(7, 42)}));
  EXPECT_EQ(SpeedCellsOf(0, 1, 105, true, gps).digits, (Cells{Speed(1, 2), Speed(0, 22), Speed(5, 42)}));
  EXPECT_EQ(SpeedCellsOf(0, 1, 100, true, gps).digits, (Cells{Speed(1, 2), Speed(0, 22), Speed(0, 42)}));
  EXPECT_EQ(SpeedCellsOf(0, 1, 40, true, gps).digits, (Cells{Speed(4, 22), Speed(0, 42)}));
  EXPECT_EQ(SpeedCellsOf(0, 1, 0, true, gps).digits, (Cells{Speed(0, 42)}));
  EXPECT_EQ(SpeedCellsOf(0, 1, 1234, true, gps).digits, (Cells{Speed(9, 2), Speed(9, 22), Speed(9, 42)}));
}

TEST(DigitCellsTest, SpeedSourceDecidesValueCaptionAndDash) {
  const SpeedSource pulseOnMxH{kMxHModelId, kDisplaySpeedPulse};
  const SpeedSource gpsOnMxH{kMxHModelId, kDisplaySpeedGps};
  const SpeedSource pulseElsewhere{3, kDisplaySpeedPulse};

  SpeedReadout r = SpeedCellsOf(62, 0, 0, true, pulseOnMxH);
  EXPECT_EQ(r.captionCell, kSpeedCaptionPulseCell);
  EXPECT_EQ(r.digits, (Cells{Speed(6, 22), Speed(2, 42)}));  // no fix needed for the pulse

  r = SpeedCellsOf(62, 1, 80, true, gpsOnMxH);
  EXPECT_EQ(r.captionCell, kSpeedCaptionGpsCell);
  EXPECT_EQ(r.digits, (Cells{Speed(8, 22), Speed(0, 42)}));

  r = SpeedCellsOf(62, 0, 80, true, pulseElsewhere);  // only the MX-H has the pulse input
  EXPECT_EQ(r.captionCell, kSpeedCaptionGpsCell);
  EXPECT_EQ(r.digits, (Cells{Speed(kDashCell, 42)}));

  r = SpeedCellsOf(62, 1, 80, false, pulseOnMxH);  // no data: the caption alone
  EXPECT_EQ(r.captionCell, kSpeedCaptionPulseCell);
  EXPECT_TRUE(r.digits.empty());
}

TEST(DigitCellsTest, PositionCells) {
  GpsBlock gps;
  gps.valid = 1;
  gps.latHemi = 'N';
  gps.latDeg = 37;
  gps.latMin = 25;
  gps.latSec = 7.41f;
  gps.lonHemi = 'E';
  gps.lonDeg = 127;
  gps.lonMin = 1;
  gps.lonSec = 34.06f;
  Cells cells = PositionCellsOf(gps);
  const struct {
    int x;
    int cell;
  } latitude[] = {{15, 3}, {29, 7}, {49, 2}, {63, 5}, {83, 0}, {97, 7}, {117, 4}, {131, 1}},
    longitude[] = {{0, 1}, {14, 2}, {28, 7}, {48, 0}, {62, 1}, {82, 3}, {96, 4}, {116, 0}, {130, 6}};
  for (const auto& d : latitude) EXPECT_EQ(CellAt(cells, DigitStrip::kPosDigit, d.x, 3), d.cell) << d.x;
  for (const auto& d : longitude) EXPECT_EQ(CellAt(cells, DigitStrip::kPosDigit, d.x, 23), d.cell) << d.x;
  EXPECT_EQ(CellAt(cells, DigitStrip::kPosPoint, 111, 3), 0);
  EXPECT_EQ(CellAt(cells, DigitStrip::kPosPoint, 110, 23), 0);
  EXPECT_EQ(CellAt(cells, DigitStrip::kPosSymbol, 145, 3), kSymbolSecondCell);
  EXPECT_EQ(CellAt(cells, DigitStrip::kPosSymbol, 144, 23), kSymbolSecondCell);
  EXPECT_EQ(CellAt(cells, DigitStrip::kHemisphere, 154, 3), kHemisphereNorthCell);
  EXPECT_EQ(CellAt(cells, DigitStrip::kHemisphere, 153, 23), kHemisphereEastCell);

  gps.latHemi = 'S';
  gps.lonHemi = 'W';
  cells = PositionCellsOf(gps);
  EXPECT_EQ(CellAt(cells, DigitStrip::kHemisphere, 154, 3), kHemisphereSouthCell);
  EXPECT_EQ(CellAt(cells, DigitStrip::kHemisphere, 153, 23), kHemisphereWestCell);

  // Seconds that do not print as two digits, or no fix: dashes in the digit places.
  gps.latSec = 250.0f;
  const Cells badSeconds = PositionCellsOf(gps);
  for (const DigitCell& c : badSeconds) {
    if (c.strip == DigitStrip::kPosDigit && c.y == 3) {
      EXPECT_EQ(c.cell, kDashCell) << c.x;
    }
  }
  EXPECT_EQ(CellAt(badSeconds, DigitStrip::kPosDigit, 0, 23), 1);
  gps.valid = 0;
  const Cells noFix = PositionCellsOf(gps);
  for (const DigitCell& c : noFix) {
    if (c.strip == DigitStrip::kPosDigit) {
      EXPECT_EQ(c.cell, kDashCell) << c.x << "," << c.y;
    }
  }
  EXPECT_EQ(CellAt(noFix, DigitStrip::kPosSymbol, 42, 3), kSymbolDegreeCell);
  EXPECT_EQ(noFix.size(), cells.size());
}

TEST(DigitCellsTest, DateTimeCells) {
  const Cells cells = DateTimeCellsOf(DateTime{2024, 5, 0, 5, 17, 12, 30, 999});
  const struct {
    DigitStrip strip;
    int x;
    int cell;
  } expected[] = {{DigitStrip::kDateSmall, 5, 2},   {DigitStrip::kDateSmall, 15, 0},  {DigitStrip::kDateSmall, 25, 2},
                  {DigitStrip::kDateSmall, 35, 4},  {DigitStrip::kDateSmall, 53, 0},  {DigitStrip::kDateSmall, 63, 5},
                  {DigitStrip::kDateSmall, 81, 0},  {DigitStrip::kDateSmall, 91, 5},  {DigitStrip::kWeekday, 104, 0},
                  {DigitStrip::kDateLarge, 136, 1}, {DigitStrip::kDateLarge, 149, 7}, {DigitStrip::kDateLarge, 170, 1},
                  {DigitStrip::kDateLarge, 183, 2}, {DigitStrip::kDateSmall, 204, 3}, {DigitStrip::kDateSmall, 214, 0}};
  for (const auto& e : expected) EXPECT_EQ(CellAt(cells, e.strip, e.x, 0), e.cell) << e.x;
  EXPECT_EQ(cells.size(), std::size(expected) + 4);  // and the four separators

  DateTime odd{2024, 5, 9, 5, 17, 12, 30, 0};  // no such weekday
  for (const DigitCell& c : DateTimeCellsOf(odd)) EXPECT_NE(c.strip, DigitStrip::kWeekday);
}

TEST(DigitCellsTest, LampCellsFollowTheTable) {
  const struct {
    uint8_t signal;
    int left;
    int right;
  } cases[] = {{9, 0, 3}, {8, 2, 1}, {4, 1, 2}, {1, 3, 3}, {2, 3, 3}, {0, 1, 1}, {12, 2, 2}, {15, 0, 0}, {0xF0, 1, 1}};
  for (const auto& c : cases) {
    EXPECT_EQ(LampCell(c.signal, kLeftLampBit), c.left) << int(c.signal);
    EXPECT_EQ(LampCell(c.signal, kRightLampBit), c.right) << int(c.signal);
  }
  EXPECT_EQ(CarSignalCellsOf(9, 100), (Cells{{DigitStrip::kLeftLamp, 0, 0, 0}, {DigitStrip::kRightLamp, 3, 60, 0}}));
  EXPECT_EQ(LampWidth(100), 40);
}

class CourseTextTest : public ::testing::Test {
 protected:
  void TearDown() override { SetLangFilePath(""); }
};

TEST_F(CourseTextTest, EightSectorsAndX) {
  SetLangFilePath("");
  const struct {
    double course;
    const char* text;
  } cases[] = {{0, "N"},      {22.4, "N"},   {22.5, "NE"}, {67.5, "E"},   {112.5, "SE"},
               {180, "S"},    {202.5, "SW"}, {270, "W"},   {337.4, "NW"}, {337.5, "N"},
               {359.99, "N"}, {360, "X"},    {-1, "X"},    {NAN, "X"},    {1e9, "X"}};
  for (const auto& c : cases) EXPECT_EQ(CourseText(c.course), c.text) << c.course;
}

TEST_F(CourseTextTest, TextsComeFromTheLanguageFile) {
  TempDir dir;
  SetLangFilePath(dir.Write("kelbrinlang_de.ini", "[GUI]\r\nCourseNE=Nordost\r\n").string());
  EXPECT_EQ(CourseText(45), "Nordost");
  EXPECT_EQ(CourseText(90), "E");
}

class DigitDisplaysTest : public ::testing::Test {
 protected:
  void SetUp() override { displays_.SetView(&view_); }
  DigitDisplays displays_;
  RecordingDisplayView view_;
};

TEST_F(DigitDisplaysTest, SettersRepaintOnlyOnChange) {
  const DateTime t{2024, 5, 0, 5, 17, 12, 30, 100};
  EXPECT_TRUE(displays_.SetDateTime(t));
  DateTime laterMs = t;
  laterMs.milliseconds = 900;
  EXPECT_FALSE(displays_.SetDateTime(laterMs));
  DateTime nextSecond = t;
  nextSecond.second = 31;
  EXPECT_TRUE(displays_.SetDateTime(nextSecond));

  EXPECT_FALSE(displays_.SetGValue(0, 0.0f));
  EXPECT_TRUE(displays_.SetGValue(2, -0.4f));
  EXPECT_FALSE(displays_.SetGValue(2, -0.4f));
  EXPECT_FALSE(displays_.SetGValue(3, 1.0f));
  EXPECT_FALSE(displays_.SetGValue(-1, 1.0f));
  EXPECT_TRUE(displays_.SetGValue(1, NAN));
  EXPECT_FALSE(displays_.SetGValue(1, NAN));

  EXPECT_TRUE(displays_.SetSpeed(0, 1, 50));
  EXPECT_FALSE(displays_.SetSpeed(0, 1, 50));
  EXPECT_TRUE(displays_.SetSpeed(0, 0, 50));
  EXPECT_EQ(displays_.GpsSpeed(), 0);  // without a fix the GPS speed counts as 0
  EXPECT_FALSE(displays_.SetSpeed(0, 0, 70));
  EXPECT_FALSE(displays_.SetSpeed(-5, 0, 0));
  EXPECT_TRUE(displays_.SetSpeed(70000, 0, 0));
  EXPECT_EQ(displays_.PulseSpeed(), 65535);

  GpsBlock gps;
  gps.valid = 1;
  gps.latSec = 1.5f;
  EXPECT_TRUE(displays_.SetPosition(gps));
  gps.speed = 90;
  gps.course = 180;
  EXPECT_FALSE(displays_.SetPosition(gps));  // speed and course are not shown here
  gps.lonSec = 2.0f;
  EXPECT_TRUE(displays_.SetPosition(gps));

  EXPECT_FALSE(displays_.SetCarSignal(0));
  EXPECT_TRUE(displays_.SetCarSignal(9));
  EXPECT_FALSE(displays_.SetCarSignal(9));

  EXPECT_TRUE(displays_.SetHasData(true));
  EXPECT_FALSE(displays_.SetHasData(true));

  using D = DigitDisplayId;
  EXPECT_EQ(view_.repainted, (std::vector<D>{D::kDateTime, D::kDateTime, D::kGValueZ, D::kGValueY, D::kSpeed, D::kSpeed,
                                             D::kSpeed, D::kPosition, D::kPosition, D::kCarSignal, D::kSpeed}));
}

TEST_F(DigitDisplaysTest, CellsComeFromTheKeptValues) {
  displays_.SetGValue(0, -0.4f);
  displays_.SetGValue(1, kNoGValue);
  EXPECT_EQ(displays_.GValueCells(0), GValueCellsOf(-0.4f));
  EXPECT_EQ(displays_.GValueCells(1), GValueCellsOf(kNoGValue));
  EXPECT_EQ(displays_.GValueCells(2), GValueCellsOf(0.0f));

  displays_.SetSpeed(0, 1, 105);
  const SpeedSource gps{0, kDisplaySpeedGps};
  EXPECT_TRUE(displays_.SpeedCells(gps).digits.empty());  // nothing loaded yet
  displays_.SetHasData(true);
  EXPECT_EQ(displays_.SpeedCells(gps).digits, (Cells{Speed(1, 2), Speed(0, 22), Speed(5, 42)}));

  displays_.SetCarSignal(9);
  EXPECT_EQ(displays_.CarSignalCells(100), CarSignalCellsOf(9, 100));

  const DateTime now{2025, 1, 3, 17, 8, 0, 0, 0};
  view_.repainted.clear();
  displays_.Reset(now);
  EXPECT_EQ(displays_.ShownDateTime(), now);
  EXPECT_EQ(displays_.GValue(0), 0.0f);
  EXPECT_EQ(displays_.CarSignal(), 0);
  EXPECT_EQ(displays_.GpsSpeed(), 0);
  EXPECT_EQ(view_.repainted.size(), 7u);
}

// Before anything is loaded, and after what was loaded is let go, the
// position display shows the letters of the snapshot it stands for (N, E),
// not those of an all-zero block (S, W).
TEST_F(DigitDisplaysTest, WithoutAPositionTheHemispheresAreNorthAndEast) {
  const auto hemispheres = [](const Cells& cells) {
    std::vector<int> found;
    for (const DigitCell& cell : cells)
      if (cell.strip == DigitStrip::kHemisphere) found.push_back(cell.cell);
    return found;
  };
  const std::vector<int> northEast{kHemisphereNorthCell, kHemisphereEastCell};
  EXPECT_EQ(hemispheres(displays_.PositionCells()), northEast);

  GpsBlock southWest;
  southWest.valid = 1;
  southWest.latHemi = 'S';
  southWest.lonHemi = 'W';
  displays_.SetPosition(southWest);
  ASSERT_NE(hemispheres(displays_.PositionCells()), northEast);
  displays_.Reset(DateTime{2025, 1, 3, 17, 8, 0, 0, 0});
  EXPECT_EQ(hemispheres(displays_.PositionCells()), northEast);
  EXPECT_EQ(displays_.Position().valid, 0);
}

}  // namespace
