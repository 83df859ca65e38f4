#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "recording/LogTime.h"
#include "recording/NmeaSentence.h"

namespace {

TEST(NmeaSentenceTest, CommaAndStarBothSeparateFields) {
  const NmeaSentence s("$GPGSV,3,1,12,,05*7A");
  EXPECT_EQ(s.Field(0), "GPGSV");
  EXPECT_EQ(s.Field(3), "12");
  EXPECT_TRUE(s.Has(4));
  EXPECT_EQ(s.Field(4), "");
  EXPECT_EQ(s.Field(5), "05");
  EXPECT_EQ(s.Field(6), "7A");
  EXPECT_FALSE(s.Has(7));
  EXPECT_EQ(s.Field(7), "");
  EXPECT_EQ(s.Int(7), 0);
  EXPECT_EQ(s.Int(5), 5);
}

TEST(NmeaSentenceTest, FieldsBeyondTheLastReadAreAbsent) {
  std::string many = "$X";
  for (int i = 0; i < 40; ++i) many += "," + std::to_string(i);
  const NmeaSentence s(many);
  EXPECT_EQ(s.Int(NmeaSentence::kMaxFields - 1), static_cast<int>(NmeaSentence::kMaxFields) - 2);
  EXPECT_FALSE(s.Has(NmeaSentence::kMaxFields));
  // A reader that wants fewer sees the same first fields and nothing after.
  for (const size_t wanted : {size_t{1}, size_t{4}, NmeaSentence::kMaxFields - 1}) {
    const NmeaSentence first(many, wanted);
    for (size_t n = 0; n < wanted; ++n) EXPECT_EQ(first.Field(n), s.Field(n)) << n << " of " << wanted;
    EXPECT_FALSE(first.Has(wanted)) << wanted;
  }
  EXPECT_EQ(NmeaSentence("$GPGSV,3*7A", 4).Field(2), "7A");
}

TEST(NmeaSentenceTest, LeadingNumberRule) {
  EXPECT_DOUBLE_EQ(LeadingNumber("12.5abc"), 12.5);
  EXPECT_DOUBLE_EQ(LeadingNumber("-0.75"), -0.75);
  EXPECT_DOUBLE_EQ(LeadingNumber("+3"), 3.0);
  EXPECT_DOUBLE_EQ(LeadingNumber(" 4.25"), 4.25);
  EXPECT_DOUBLE_EQ(LeadingNumber(".5"), 0.5);
  EXPECT_DOUBLE_EQ(LeadingNumber("7."), 7.0);
  EXPECT_DOUBLE_EQ(LeadingNumber("1e5"), 1.0);
  EXPECT_DOUBLE_EQ(LeadingNumber("nan"), 0.0);
  EXPECT_DOUBLE_EQ(LeadingNumber("inf"), 0.0);
  EXPECT_DOUBLE_EQ(LeadingNumber("-"), 0.0);
  EXPECT_DOUBLE_EQ(LeadingNumber("."), 0.0);
  EXPECT_DOUBLE_EQ(LeadingNumber(""), 0.0);
}

TEST(NmeaSentenceTest, CoordinatesAtFixedPositions) {
  EXPECT_NEAR(NmeaCoordinate("3539.1234", 2), 35.652057, 5e-7);
  EXPECT_NEAR(NmeaCoordinate("13945.6789", 3), 139.761315, 5e-7);
  // A leading "-" shifts the positions; the hemisphere gives the sign.
  EXPECT_NEAR(NmeaCoordinate("-3539.1234", 2), 35.652057, 5e-7);
  // Short values read what is there and never past the field.
  EXPECT_NEAR(NmeaCoordinate("3539.12", 2), 35.0 + 39.12 / 60.0, 1e-9);
  EXPECT_NEAR(NmeaCoordinate("3539", 2), 35.0 + 39.0 / 60.0, 1e-9);
  EXPECT_DOUBLE_EQ(NmeaCoordinate("35", 2), 35.0);
  EXPECT_DOUBLE_EQ(NmeaCoordinate("-", 2), 0.0);
  EXPECT_NEAR(NmeaCoordinate("3539.123456", 2), 35.652057, 5e-7);
}

TEST(NmeaSentenceTest, HemisphereSignsAndMissingFields) {
  const NmeaSentence south("$GPRMC,1,A,3539.1234,S,13945.6789,W");
  EXPECT_NEAR(south.Coordinate(3, 4, 2, "S"), -35.652057, 5e-7);
  EXPECT_NEAR(south.Coordinate(5, 6, 3, "W"), -139.761315, 5e-7);
  const NmeaSentence north("$GPRMC,1,A,3539.1234,N,13945.6789,E");
  EXPECT_NEAR(north.Coordinate(3, 4, 2, "S"), 35.652057, 5e-7);
  const NmeaSentence noHemisphere("$GPRMC,1,A,3539.1234");
  EXPECT_EQ(noHemisphere.Coordinate(3, 4, 2, "S"), 0.0);
  const NmeaSentence empty("$GPRMC,1,A,,N,,E");
  EXPECT_EQ(empty.Coordinate(3, 4, 2, "S"), 0.0);
  EXPECT_EQ(empty.Coordinate(5, 6, 3, "W"), 0.0);
}

class LogTimeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
  }
};

TEST_F(LogTimeTest, RecordTimeIsLocalWithMilliseconds) {
  EXPECT_EQ(LogRecordTime("120000250", "100326"), 1773140400LL * 1000 + 250);
  EXPECT_EQ(LogRecordTime("120000", "100326"), 1773140400LL * 1000);  // no milliseconds written
  // Day and month 0 read as 1: 2026-01-01 00:00:00 local is 2025-12-31 23:00 UTC.
  EXPECT_EQ(LogRecordTime("000000000", "000026"), 1767222000LL * 1000);
}

TEST_F(LogTimeTest, NoTimeWhenFieldsAreEmptyShortOrZero) {
  EXPECT_EQ(LogRecordTime("000000000", "000000"), 0);
  EXPECT_EQ(LogRecordTime("", "100326"), 0);
  EXPECT_EQ(LogRecordTime("120000000", ""), 0);
  EXPECT_EQ(LogRecordTime("12000", "100326"), 0);
  EXPECT_EQ(LogRecordTime("120000000", "1003"), 0);
}

TEST_F(LogTimeTest, GpsTimeIsUtcNormalised) {
  const DateTime t = GpsDateTime("235960.500", "310226");  // 31 February, 60 seconds
  EXPECT_EQ(t.year, 2026);
  EXPECT_EQ(t.month, 3);
  EXPECT_EQ(t.day, 4);
  EXPECT_EQ(t.hour, 0);
  EXPECT_EQ(t.minute, 0);
  EXPECT_EQ(t.second, 0);
  EXPECT_EQ(t.milliseconds, 500);
  EXPECT_EQ(GpsDateTime("000000.000", "000000"), DateTime{});
  EXPECT_EQ(GpsDateTime("", "100326"), DateTime{});
  EXPECT_EQ(GpsDateTime("1200", "100326"), DateTime{});
}

}  // namespace
