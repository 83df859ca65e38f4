#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/LocalTimeKeys.h"
#include "platform/TimeKey.h"
#include "support/DateTimeAt.h"
#include "support/ZoneGuard.h"

namespace {

// Every time gets the key MakeTimeKey gives it, in zones whose offsets
// change on the hour, within the hour and by a whole day, and for fields
// that are no valid time at all; a time asked for again comes from its hour.
TEST(LocalTimeKeysTest, KeysAreThoseOfMakeTimeKey) {
  struct Zone {
    const char* name;
    std::vector<DateTime> times;
  };
  const Zone zones[] = {
      {"Europe/Berlin",
       {At(2026, 1, 15, 12, 0, 0, 250), At(2026, 1, 15, 12, 59, 59, 999), At(2026, 7, 15, 12, 30, 5),
        At(2024, 3, 31, 1, 59, 59), At(2024, 3, 31, 2, 30, 0), At(2024, 3, 31, 3, 0, 1), At(2024, 10, 27, 1, 30, 0),
        At(2024, 10, 27, 2, 30, 0), At(2024, 10, 27, 3, 15, 0), At(2024, 4, 31, 10, 0, 0), At(2024, 2, 29, 24, 0, 0),
        At(2024, 5, 1, 10, 60, 0), At(2024, 5, 1, 10, 0, 61), At(1970, 1, 1, 8, 30, 0), At(0, 0, 0, 0, 0, 0),
        At(2024, 5, 1, 10, 0, 0, 1500)}},
      {"Australia/Lord_Howe", {At(2024, 4, 7, 1, 45, 0), At(2024, 4, 7, 1, 15, 0), At(2024, 10, 6, 2, 15, 0)}},
      {"Pacific/Apia", {At(2011, 12, 29, 23, 30, 0), At(2011, 12, 30, 12, 0, 0), At(2011, 12, 31, 0, 30, 0)}},
  };
  for (const Zone& zone : zones) {
    const ZoneGuard guard(zone.name);
    LocalTimeKeys keys;
    for (int round = 0; round < 2; ++round) {
      for (const DateTime& t : zone.times) {
        const int64_t key = keys.Key(t);
        EXPECT_EQ(key, MakeTimeKey(t)) << zone.name << " " << t.year << "-" << t.month << "-" << t.day << " " << t.hour
                                       << ":" << t.minute << ":" << t.second;
      }
    }
  }
}

}  // namespace
