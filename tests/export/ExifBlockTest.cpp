// The EXIF block of a geotagged JPEG export, read back tag by tag through
// its offsets (so a wrong offset or count fails, not only a wrong value),
// and the place it goes in a picture.

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "export/ExifBlock.h"

namespace {

using Bytes = std::vector<unsigned char>;

struct Tag {
  uint16_t type = 0;
  uint32_t count = 0;
  Bytes value;
};
using Ifd = std::map<uint16_t, Tag>;

constexpr size_t kTiffStart = 10;  // marker, length, "Exif\0\0"

uint32_t Be(const Bytes& b, size_t at, int size) {
  uint32_t v = 0;
  for (int i = 0; i < size; ++i) v = v << 8 | b.at(at + i);
  return v;
}

size_t TypeSize(uint16_t type) { return type == 3 ? 2 : type == 4 ? 4 : type == 5 ? 8 : 1; }

Ifd ReadIfd(const Bytes& segment, uint32_t offset) {
  Ifd ifd;
  const size_t at = kTiffStart + offset;
  const uint32_t n = Be(segment, at, 2);
  for (uint32_t i = 0; i < n; ++i) {
    const size_t e = at + 2 + 12 * i;
    Tag tag{static_cast<uint16_t>(Be(segment, e + 2, 2)), Be(segment, e + 4, 4), {}};
    const size_t size = TypeSize(tag.type) * tag.count;
    const size_t from = size <= 4 ? e + 8 : kTiffStart + Be(segment, e + 8, 4);
    tag.value.assign(segment.begin() + from, segment.begin() + from + size);
    ifd[static_cast<uint16_t>(Be(segment, e, 2))] = tag;
  }
  return ifd;
}

std::string Text(const Ifd& ifd, uint16_t tag) {
  const Bytes& v = ifd.at(tag).value;
  return std::string(v.begin(), v.end());
}

std::vector<double> Rationals(const Ifd& ifd, uint16_t tag) {
  std::vector<double> values;
  const Bytes& v = ifd.at(tag).value;
  for (size_t i = 0; i + 8 <= v.size(); i += 8) values.push_back(double(Be(v, i, 4)) / Be(v, i + 4, 4));
  return values;
}

GpsBlock Fix(char latHemi, uint16_t latDeg, uint16_t latMin, float latSec, char lonHemi, uint16_t lonDeg,
             uint16_t lonMin, float lonSec, uint16_t speed, uint16_t course) {
  GpsBlock gps;
  gps.valid = 1;
  gps.latHemi = latHemi;
  gps.latDeg = latDeg;
  gps.latMin = latMin;
  gps.latSec = latSec;
  gps.lonHemi = lonHemi;
  gps.lonDeg = lonDeg;
  gps.lonMin = lonMin;
  gps.lonSec = lonSec;
  gps.speed = speed;
  gps.course = course;
  return gps;
}

struct Case {
  const char* name;
  DateTime time;
  GpsBlock gps;
  const char* dateTime;  // nullptr: no Exif IFD
  const char* subSeconds;
  const char* latRef;  // nullptr: no GPS IFD
  std::vector<double> lat;
  const char* lonRef;
  std::vector<double> lon;
};

TEST(ExifBlockTest, TimeAndPositionComeOutAsTheExifTagsSay) {
  const DateTime set{2012, 5, 4, 3, 10, 15, 30, 7};
  const DateTime unset{1601, 1, 1, 1, 0, 0, 0, 0};
  // clang-format off
  const Case cases[] = {
      {"north east", set, Fix('N', 35, 41, 22.5f, 'E', 139, 45, 1.25f, 57, 271),
       "2012:05:03 10:15:30", "007", "N", {35, 41, 22.5}, "E", {139, 45, 1.25}},
      {"south west", {2026, 12, 3, 9, 23, 59, 59, 999}, Fix('S', 33, 52, 4.006f, 'W', 70, 0, 0.f, 0, 0),
       "2026:12:09 23:59:59", "999", "S", {33, 52, 4.006}, "W", {70, 0, 0}},
      {"no fix", set, GpsBlock::NoPositionYet(),
       "2012:05:03 10:15:30", "007", nullptr, {}, nullptr, {}},
      {"clock never set", unset, Fix('N', 1, 2, 3.f, 'E', 4, 5, 6.f, 8, 9),
       nullptr, nullptr, "N", {1, 2, 3}, "E", {4, 5, 6}},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Bytes segment = MakeExifSegment(c.time, c.gps);
    ASSERT_GT(segment.size(), kTiffStart + 8);
    EXPECT_EQ(Be(segment, 0, 2), 0xFFE1u);
    EXPECT_EQ(Be(segment, 2, 2), segment.size() - 2);
    EXPECT_EQ(std::string(segment.begin() + 4, segment.begin() + 14), std::string("Exif\0\0MM\0*", 10));
    const Ifd ifd0 = ReadIfd(segment, Be(segment, kTiffStart + 4, 4));

    ASSERT_EQ(ifd0.count(0x8769), c.dateTime ? 1u : 0u);
    if (c.dateTime) {
      const Ifd exif = ReadIfd(segment, Be(ifd0.at(0x8769).value, 0, 4));
      EXPECT_EQ(Text(exif, 0x9000), "0230");
      EXPECT_EQ(Text(exif, 0x9003), std::string(c.dateTime) + '\0');
      EXPECT_EQ(Text(exif, 0x9291), std::string(c.subSeconds) + '\0');
    }
    ASSERT_EQ(ifd0.count(0x8825), c.latRef ? 1u : 0u);
    if (!c.latRef) continue;
    const Ifd gps = ReadIfd(segment, Be(ifd0.at(0x8825).value, 0, 4));
    EXPECT_EQ(gps.at(0x0000).value, (Bytes{2, 3, 0, 0}));
    EXPECT_EQ(Text(gps, 0x0001), std::string(c.latRef) + '\0');
    EXPECT_EQ(Rationals(gps, 0x0002), c.lat);
    EXPECT_EQ(Text(gps, 0x0003), std::string(c.lonRef) + '\0');
    EXPECT_EQ(Rationals(gps, 0x0004), c.lon);
    EXPECT_EQ(Text(gps, 0x000C), std::string("K\0", 2));
    EXPECT_EQ(Rationals(gps, 0x000D), std::vector<double>{double(c.gps.speed)});
    EXPECT_EQ(Text(gps, 0x0010), std::string("T\0", 2));
    EXPECT_EQ(Rationals(gps, 0x0011), std::vector<double>{double(c.gps.course)});
  }
  EXPECT_TRUE(MakeExifSegment(unset, GpsBlock::NoPositionYet()).empty());
}

TEST(ExifBlockTest, TheBlockGoesAfterTheApp0SegmentElseAfterTheStartOfImage) {
  const struct {
    const char* name;
    Bytes jpeg;
    std::optional<size_t> place;
  } cases[] = {
      {"after APP0", {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x04, 'J', 'F', 0xFF, 0xFE, 0x00, 0x02}, 8},
      {"no APP0", {0xFF, 0xD8, 0xFF, 0xFE, 0x00, 0x02, 0xFF, 0xD9}, 2},
      {"APP0 running past the end", {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x40, 'J'}, 2},
      {"not a JPEG", {0x00, 0xD8, 0xFF, 0xE0}, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ExifSegmentPlace(c.jpeg), c.place) << c.name;
}

}  // namespace
