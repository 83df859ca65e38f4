#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "platform/TimeKey.h"
#include "support/DateTimeAt.h"
#include "support/ZoneGuard.h"

namespace {

// Keys are local times: these tests run in a zone with daylight saving.
class TimeKeyTest : public ::testing::Test {
 private:
  ZoneGuard zone_;
};

TEST_F(TimeKeyTest, KeysAreLocalMillisecondsSince1970) {
  // 2026-01-15 12:00:00 in winter is 11:00 UTC.
  EXPECT_EQ(MakeTimeKey(At(2026, 1, 15, 12, 0, 0, 250)), 1768474800LL * 1000 + 250);
  // In summer the offset is two hours.
  EXPECT_EQ(MakeTimeKey(At(2026, 7, 15, 12, 0, 0, 0)), 1784109600LL * 1000);
}

TEST_F(TimeKeyTest, EarlyDatesBecomeTheSecondOfJanuary1970) {
  const int64_t second = MakeTimeKey(At(1970, 1, 2, 8, 30, 0, 5));
  EXPECT_EQ(MakeTimeKey(At(1970, 1, 1, 8, 30, 0, 5)), second);
  EXPECT_EQ(MakeTimeKey(At(0, 0, 0, 8, 30, 0, 5)), second) << "an unset recorder clock";
  EXPECT_GT(second, 0);
  // Only dates with month and day both at most 1 are moved.
  EXPECT_NE(MakeTimeKey(At(1970, 3, 1, 8, 30, 0, 5)), second);
}

TEST_F(TimeKeyTest, InverseGivesTheLocalDateWithItsWeekday) {
  const DateTime t = At(2026, 12, 8, 23, 59, 58, 999);
  const DateTime back = TimeKeyToDateTime(MakeTimeKey(t));
  EXPECT_EQ(back.year, 2026);
  EXPECT_EQ(back.month, 12);
  EXPECT_EQ(back.day, 8);
  EXPECT_EQ(back.hour, 23);
  EXPECT_EQ(back.second, 58);
  EXPECT_EQ(back.milliseconds, 999);
  EXPECT_EQ(back.dayOfWeek, 2) << "8 December 2026 is a Tuesday";
}

TEST_F(TimeKeyTest, NormalisingMendsDayZeroAndOverflowingFields) {
  const DateTime carried = NormalizeLocal(2026, 12, 31, 23, 59, 60, 0);
  EXPECT_EQ(carried.year, 2027);
  EXPECT_EQ(carried.month, 1);
  EXPECT_EQ(carried.day, 1);
  EXPECT_EQ(carried.dayOfWeek, 5);
  const DateTime utc = NormalizeUtc(2026, 3, 29, 2, 30, 0, 7);  // no such local time here, but fine in UTC
  EXPECT_EQ(utc.hour, 2);
  EXPECT_EQ(utc.milliseconds, 7);
  EXPECT_EQ(utc.dayOfWeek, 0);
}

}  // namespace
