#include "export/ExifBlock.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

constexpr uint16_t kTypeByte = 1;
constexpr uint16_t kTypeAscii = 2;
constexpr uint16_t kTypeLong = 4;
constexpr uint16_t kTypeRational = 5;
constexpr uint16_t kTypeUndefined = 7;

constexpr uint16_t kTagExifIfd = 0x8769;
constexpr uint16_t kTagGpsIfd = 0x8825;
constexpr uint16_t kTagExifVersion = 0x9000;
constexpr uint16_t kTagDateTimeOriginal = 0x9003;
constexpr uint16_t kTagSubSecTimeOriginal = 0x9291;
constexpr uint16_t kTagGpsVersion = 0x0000;
constexpr uint16_t kTagGpsLatitudeRef = 0x0001;
constexpr uint16_t kTagGpsLatitude = 0x0002;
constexpr uint16_t kTagGpsLongitudeRef = 0x0003;
constexpr uint16_t kTagGpsLongitude = 0x0004;
constexpr uint16_t kTagGpsSpeedRef = 0x000C;
constexpr uint16_t kTagGpsSpeed = 0x000D;
constexpr uint16_t kTagGpsImgDirectionRef = 0x0010;
constexpr uint16_t kTagGpsImgDirection = 0x0011;

constexpr unsigned char kMarker = 0xFF;
constexpr unsigned char kStartOfImage = 0xD8;
constexpr unsigned char kApp0 = 0xE0;
constexpr unsigned char kApp1 = 0xE1;
constexpr char kExifHeader[] = "Exif\0";  // with its terminator: six bytes
constexpr size_t kTiffHeaderSize = 8;
constexpr size_t kEntrySize = 12;
// Arc seconds are kept to thousandths: finer than the ten-thousandths of a
// minute the recorder writes.
constexpr uint32_t kSecondsScale = 1000;

struct Entry {
  uint16_t tag;
  uint16_t type;
  uint32_t count;
  std::vector<unsigned char> value;
};

void Put16(std::vector<unsigned char>& out, uint32_t v) {
  out.push_back(static_cast<unsigned char>(v >> 8));
  out.push_back(static_cast<unsigned char>(v));
}

void Put32(std::vector<unsigned char>& out, uint32_t v) {
  Put16(out, v >> 16);
  Put16(out, v & 0xFFFF);
}

std::vector<unsigned char> Long(uint32_t v) {
  std::vector<unsigned char> bytes;
  Put32(bytes, v);
  return bytes;
}

Entry AsciiEntry(uint16_t tag, const std::string& text) {
  std::vector<unsigned char> value(text.begin(), text.end());
  value.push_back(0);
  return {tag, kTypeAscii, static_cast<uint32_t>(value.size()), std::move(value)};
}

Entry RationalEntry(uint16_t tag, std::initializer_list<std::pair<uint32_t, uint32_t>> parts) {
  std::vector<unsigned char> value;
  for (const auto& [numerator, denominator] : parts) {
    Put32(value, numerator);
    Put32(value, denominator);
  }
  return {tag, kTypeRational, static_cast<uint32_t>(parts.size()), std::move(value)};
}

Entry DmsEntry(uint16_t tag, uint16_t degrees, uint16_t minutes, float seconds) {
  const double scaled = std::round(std::max(0.0, static_cast<double>(seconds)) * kSecondsScale);
  return RationalEntry(tag, {{degrees, 1}, {minutes, 1}, {static_cast<uint32_t>(scaled), kSecondsScale}});
}

// The bytes an IFD takes: its count, entries and next-IFD word, then the
// values longer than four bytes, each at an even offset.
size_t IfdSize(const std::vector<Entry>& entries) {
  size_t size = 2 + entries.size() * kEntrySize + 4;
  for (const Entry& e : entries)
    if (e.value.size() > 4) size += e.value.size() + (e.value.size() & 1);
  return size;
}

// Appends the IFD that starts at offset (counted from the TIFF header).
void AppendIfd(std::vector<unsigned char>& out, const std::vector<Entry>& entries, size_t offset) {
  size_t data = offset + 2 + entries.size() * kEntrySize + 4;
  std::vector<unsigned char> outside;
  Put16(out, static_cast<uint32_t>(entries.size()));
  for (const Entry& e : entries) {
    Put16(out, e.tag);
    Put16(out, e.type);
    Put32(out, e.count);
    if (e.value.size() <= 4) {
      std::vector<unsigned char> inline_ = e.value;
      inline_.resize(4, 0);
      out.insert(out.end(), inline_.begin(), inline_.end());
      continue;
    }
    Put32(out, static_cast<uint32_t>(data + outside.size()));
    outside.insert(outside.end(), e.value.begin(), e.value.end());
    if (e.value.size() & 1) outside.push_back(0);
  }
  Put32(out, 0);
  out.insert(out.end(), outside.begin(), outside.end());
}

// A clock that was never set dates its frames before 1900; fields beyond
// their ranges would not fit the fixed-width text.
bool ClockWasSet(const DateTime& t) {
  return t.year >= 1900 && t.year <= 9999 && t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= 31 &&
         t.hour < 24 && t.minute < 60 && t.second < 60 && t.milliseconds < 1000;
}

std::vector<Entry> ExifEntries(const DateTime& t) {
  // Room for any unsigned field, though the clock check keeps them short.
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "%04u:%02u:%02u %02u:%02u:%02u", t.year, t.month, t.day, t.hour, t.minute,
                t.second);
  char subSeconds[16];
  std::snprintf(subSeconds, sizeof subSeconds, "%03u", t.milliseconds);
  return {{kTagExifVersion, kTypeUndefined, 4, {'0', '2', '3', '0'}},
          AsciiEntry(kTagDateTimeOriginal, stamp),
          AsciiEntry(kTagSubSecTimeOriginal, subSeconds)};
}

std::vector<Entry> GpsEntries(const GpsBlock& gps) {
  return {{kTagGpsVersion, kTypeByte, 4, {2, 3, 0, 0}},
          AsciiEntry(kTagGpsLatitudeRef, gps.latHemi == 'S' ? "S" : "N"),
          DmsEntry(kTagGpsLatitude, gps.latDeg, gps.latMin, gps.latSec),
          AsciiEntry(kTagGpsLongitudeRef, gps.lonHemi == 'W' ? "W" : "E"),
          DmsEntry(kTagGpsLongitude, gps.lonDeg, gps.lonMin, gps.lonSec),
          AsciiEntry(kTagGpsSpeedRef, "K"),
          RationalEntry(kTagGpsSpeed, {{gps.speed, 1}}),
          AsciiEntry(kTagGpsImgDirectionRef, "T"),
          RationalEntry(kTagGpsImgDirection, {{gps.course, 1}})};
}

}  // namespace

std::vector<unsigned char> MakeExifSegment(const DateTime& time, const GpsBlock& gps) {
  std::vector<Entry> exif;
  std::vector<Entry> gpsEntries;
  if (ClockWasSet(time)) exif = ExifEntries(time);
  if (gps.valid) gpsEntries = GpsEntries(gps);
  if (exif.empty() && gpsEntries.empty()) return {};

  // IFD0 holds only the two pointers; its size does not depend on their values.
  std::vector<Entry> ifd0;
  if (!exif.empty()) ifd0.push_back({kTagExifIfd, kTypeLong, 1, Long(0)});
  if (!gpsEntries.empty()) ifd0.push_back({kTagGpsIfd, kTypeLong, 1, Long(0)});
  const size_t exifOffset = kTiffHeaderSize + IfdSize(ifd0);
  const size_t gpsOffset = exifOffset + (exif.empty() ? 0 : IfdSize(exif));
  for (Entry& e : ifd0) e.value = Long(static_cast<uint32_t>(e.tag == kTagExifIfd ? exifOffset : gpsOffset));

  std::vector<unsigned char> tiff = {'M', 'M', 0x00, 0x2A};
  Put32(tiff, kTiffHeaderSize);
  AppendIfd(tiff, ifd0, kTiffHeaderSize);
  if (!exif.empty()) AppendIfd(tiff, exif, exifOffset);
  if (!gpsEntries.empty()) AppendIfd(tiff, gpsEntries, gpsOffset);

  std::vector<unsigned char> segment = {kMarker, kApp1};
  Put16(segment, static_cast<uint32_t>(2 + sizeof kExifHeader + tiff.size()));
  segment.insert(segment.end(), kExifHeader, kExifHeader + sizeof kExifHeader);
  segment.insert(segment.end(), tiff.begin(), tiff.end());
  return segment;
}

std::optional<size_t> ExifSegmentPlace(std::span<const unsigned char> jpeg) {
  if (jpeg.size() < 2 || jpeg[0] != kMarker || jpeg[1] != kStartOfImage) return std::nullopt;
  constexpr size_t kAfterSoi = 2;
  if (jpeg.size() < kAfterSoi + 4 || jpeg[kAfterSoi] != kMarker || jpeg[kAfterSoi + 1] != kApp0) return kAfterSoi;
  const size_t length = (static_cast<size_t>(jpeg[kAfterSoi + 2]) << 8) | jpeg[kAfterSoi + 3];
  const size_t end = kAfterSoi + 2 + length;
  if (length < 2 || end > jpeg.size()) return kAfterSoi;
  return end;
}
