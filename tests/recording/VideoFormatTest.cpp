#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <iomanip>
#include <limits>
#include <tuple>
#include <vector>

#include "base/MgrMultiLang.h"
#include "recording/EventCodes.h"
#include "recording/FrameInfoVideo.h"
#include "recording/VideoBytes.h"
#include "recording/VideoFormat.h"
#include "support/TempDir.h"

namespace {

TEST(VideoGpsTest, SplitsDdmmIntoDegreesMinutesSeconds) {
  GpsBlock gps;
  FillGpsPosition(gps, 1, 3725.1234, -12701.5678);
  EXPECT_EQ(gps.valid, 1);
  EXPECT_EQ(gps.latHemi, 'N');
  EXPECT_EQ(gps.latDeg, 37);
  EXPECT_EQ(gps.latMin, 25);
  EXPECT_NEAR(gps.latSec, 0.1234 * 60, 1e-4);
  EXPECT_EQ(gps.lonHemi, 'W');
  EXPECT_EQ(gps.lonDeg, 127);
  EXPECT_EQ(gps.lonMin, 1);
  EXPECT_NEAR(gps.lonSec, 0.5678 * 60, 1e-4);
  EXPECT_NEAR(gps.LatitudeDegrees(), 37 + 25.1234 / 60, 1e-7);
  EXPECT_NEAR(gps.LongitudeDegrees(), -(127 + 1.5678 / 60), 1e-7);
}

TEST(VideoGpsTest, RoundsToFourDecimalsBeforeSplitting) {
  GpsBlock gps;
  // 5999.99996 rounds up to 6000.0000: 60 degrees, 0 minutes (unrounded it would be 59 and 59).
  FillGpsPosition(gps, 1, 5999.99996, 0.00004);
  EXPECT_EQ(gps.latDeg, 60);
  EXPECT_EQ(gps.latMin, 0);
  EXPECT_NEAR(gps.latSec, 0.0f, 1e-3);
  EXPECT_EQ(gps.lonHemi, 'E');
  EXPECT_EQ(gps.lonDeg, 0);
  EXPECT_NEAR(gps.lonSec, 0.0f, 1e-6);
}

// The rounding is "%.4f" and back, however it is computed: exact halves,
// values a hair either side of a half, negatives, zero and the far range
// all split as the printed text would.
TEST(VideoGpsTest, FourDecimalRoundingIsThePrintedTextsForEveryValue) {
  const auto printed = [](double value) {
    char text[400];
    std::snprintf(text, sizeof text, "%.4f", value);
    return std::strtod(text, nullptr);
  };
  std::vector<double> values = {0.0,        -0.0,        0.03125,      -0.03125,     0.00005, 12.34565,
                                3725.12345, -12701.5678, 5999.99996,   0.00004999,   1e12,    -9.87654321e11,
                                8999.99995, 17999.99995, 0.0000500001, 123.456749999};
  for (int k = -40; k <= 40; ++k) values.push_back(std::ldexp(2 * k + 1, -5));  // halves that print exactly
  std::srand(7);
  for (int i = 0; i < 2000; ++i) values.push_back((std::rand() / static_cast<double>(RAND_MAX) - 0.5) * 36000.0);
  for (double value : values) {
    for (double next : {std::nextafter(value, 1e300), value, std::nextafter(value, -1e300)}) {
      GpsBlock rounded;
      GpsBlock reference;
      FillGpsPosition(rounded, 1, next, -next);
      FillGpsPosition(reference, 1, printed(next), printed(-next));
      const auto fields = [](const GpsBlock& g) {
        return std::tuple(g.valid, g.latHemi, g.latDeg, g.latMin, g.latSec, g.lonHemi, g.lonDeg, g.lonMin, g.lonSec);
      };
      ASSERT_EQ(fields(rounded), fields(reference)) << std::setprecision(17) << next;
    }
  }
}

TEST(VideoGpsTest, RangeRuleKeepsTheBoundsAndRejectsBeyond) {
  struct Case {
    double latitude, longitude;
    uint8_t valid;
  };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const Case cases[] = {
      {-9000.0, -18000.0, 1}, {9000.0, 18000.0, 1}, {-9000.0001, 0, 0}, {0, 18000.0001, 0},
      {9000.00004, 0, 1},     {nan, 0, 0},          {0, inf, 0},        {1e300, -1e300, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.latitude);
    GpsBlock gps;
    FillGpsPosition(gps, 1, c.latitude, c.longitude);
    EXPECT_EQ(gps.valid, c.valid);
  }
  GpsBlock noFix;
  FillGpsPosition(noFix, 0, 100, 100);
  EXPECT_EQ(noFix.valid, 0);
  // Huge values still fill the 16-bit fields without overflow.
  GpsBlock huge;
  FillGpsPosition(huge, 1, 1e300, -1e300);
  EXPECT_EQ(huge.latDeg, 65535);
  EXPECT_EQ(huge.lonHemi, 'W');
}

class PackedStampTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
  }
};

TEST_F(PackedStampTest, FrameNumberBecomesMilliseconds) {
  EXPECT_EQ(StampMilliseconds(0), 0);
  EXPECT_EQ(StampMilliseconds(1), 33);
  EXPECT_EQ(StampMilliseconds(15), 500);
  EXPECT_EQ(StampMilliseconds(29), 966);
  EXPECT_EQ(StampMilliseconds(30), 1000);
  EXPECT_EQ(StampMilliseconds(31), 1000);
  EXPECT_EQ(StampMilliseconds(255), 1000);
}

TEST_F(PackedStampTest, ZeroMonthAndDayBecomeOneAndTheDateIsNormalised) {
  const uint8_t zeros[7] = {25, 0, 0, 8, 30, 0, 30};
  EXPECT_EQ(PackedStampToDateTime(zeros), (DateTime{2025, 1, 3, 1, 8, 30, 0, 1000}));  // a Wednesday
  const uint8_t overflow[7] = {24, 2, 30, 24, 0, 0, 0};                                // 30 Feb 24:00
  EXPECT_EQ(PackedStampToDateTime(overflow), (DateTime{2024, 3, 6, 2, 0, 0, 0, 0}));
}

TEST(CommentBlockWalkTest, FindsTheBlockAfterAppSegments) {
  const Bytes block = EncodeComment(TestComment{});
  Bytes picture = {0xFF, 0xD8, 0xFF, 0xE1, 0x00, 0x08, 0xFF, 0xFE, 0x00, 0x00, 0x00, 0x00};  // APP1 hides an FF FE
  Append(picture, EncodePicture(&block));
  const size_t at = FindCommentBlock(picture, picture.size() - 4, kCommentBlockSize);
  ASSERT_NE(at, kNoCommentBlock);
  EXPECT_EQ(ParseCommentBlock(ByteSpan(picture).subspan(at)).course, 270);
}

TEST(CommentBlockWalkTest, NeverReadsOutsideThePicture) {
  const Bytes block = EncodeComment(TestComment{});
  const Bytes whole = EncodePicture(&block);
  // Cut inside the block: a block that would end past the picture is not taken.
  for (size_t cut = 0; cut < 24 + kCommentBlockSize; ++cut) {
    const Bytes part(whole.begin(), whole.begin() + static_cast<long>(cut));
    EXPECT_EQ(FindCommentBlock(part, part.size(), kCommentBlockSize), kNoCommentBlock) << cut;
  }
  // A comment segment too short for the block is passed over.
  Bytes shortSegment = {0xFF, 0xD8, 0xFF, 0xFE, 0x00, 0x04, 'h', 'i'};
  Append(shortSegment, Bytes(70, 0));
  EXPECT_EQ(FindCommentBlock(shortSegment, shortSegment.size() - 4, kCommentBlockSize), kNoCommentBlock);
  // A segment length that runs off the end ends the walk.
  const Bytes runaway = {0xFF, 0xD8, 0xFF, 0xE0, 0xFF, 0xF0, 0xFF, 0xFE, 0x00, 0x3D, 0, 0, 0, 0};
  EXPECT_EQ(FindCommentBlock(runaway, runaway.size(), kCommentBlockSize), kNoCommentBlock);
  EXPECT_EQ(FindCommentBlock({}, 100, kCommentBlockSize), kNoCommentBlock);
}

TEST(VideoFieldReadTest, FieldsOutsideTheBytesReadAsZero) {
  const Bytes b = {0x01, 0x02, 0x03};
  EXPECT_EQ(ReadLe16(b, 1), 0x0302);
  EXPECT_EQ(ReadLe16(b, 2), 0);
  EXPECT_EQ(ReadLe32(b, 0), 0u);
  EXPECT_EQ(ReadU8(b, 3), 0);
  EXPECT_EQ(ReadBe16(b, 0), 0x0102);
  EXPECT_EQ(ReadLe32(b, static_cast<size_t>(-1)), 0u);
  // A record cut short parses without reading past it.
  const VdxRecord r = ParseRecord(ByteSpan(b));
  EXPECT_EQ(r.magic, 0u);
}

TEST(EventCodesTest, NamesWithTheirEnglishDefaults) {
  SetLangFilePath("");
  EXPECT_EQ(EventCodeName(0), "Normal");
  EXPECT_EQ(EventCodeName(1), "G-Sensor");
  EXPECT_EQ(EventCodeName(4), "RD Detect");
  EXPECT_EQ(EventCodeName(16), "Battery Off");
  EXPECT_EQ(EventCodeName(32), "Event");
  EXPECT_EQ(EventCodeName(3), "");
  EXPECT_EQ(ExtendedEventName(2), "Sudden Accel/Brake");
  EXPECT_EQ(ExtendedEventName(0), "");
  EXPECT_EQ(EventName(32, 4), "External Trigger");
  EXPECT_EQ(EventName(32, 9), "");
  EXPECT_EQ(EventName(8, 1), "ACC Switch");
}

TEST(EventCodesTest, NamesComeFromTheLanguageFile) {
  TempDir dir;
  const auto lang = dir.Write("kelbrinlang_de.ini", "[GUI]\r\nRDExtShock=Stoss\r\nSwitch=Schalter\r\n");
  SetLangFilePath(lang.string());
  EXPECT_EQ(EventName(32, 1), "Stoss");
  EXPECT_EQ(EventCodeName(2), "Schalter");
  EXPECT_EQ(EventCodeName(1), "G-Sensor");
  SetLangFilePath("");
}

}  // namespace
