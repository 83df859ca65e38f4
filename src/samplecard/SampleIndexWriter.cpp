#include "samplecard/SampleIndexWriter.h"

#include "samplecard/SampleBytes.h"

namespace {

// Index record layout.
constexpr size_t kMagicAt = 0;
constexpr size_t kVersionAt = 4;
constexpr size_t kOffsetAt = 5;
constexpr size_t kSizeAt = 9;
constexpr size_t kTimeAt = 13;  // 8 x u16: year, month, day of week, day, hour, minute, second, ms
constexpr size_t kMonthAt = kTimeAt + 2;
constexpr size_t kValidAt = 29;
constexpr size_t kKindAt = 30;
constexpr size_t kGxAt = 31;
constexpr size_t kGyAt = 33;
constexpr size_t kGzAt = 35;
constexpr size_t kGpsValidAt = 37;
constexpr size_t kLatitudeAt = 38;
constexpr size_t kLongitudeAt = 46;
constexpr size_t kSpeedAt = 54;
constexpr size_t kAltitudeAt = 56;
constexpr size_t kCourseAt = 58;
constexpr size_t kSignalAt = 60;
constexpr size_t kEventBitsAt = 62;
constexpr size_t kPulseAt = 64;

constexpr uint8_t kShortVersion = 1;
constexpr uint8_t kLongVersion = 2;
constexpr uint8_t kBadMonth = 13;
constexpr uint32_t kBadMagic = 0xCC0000A3;

// Trailer layout.
constexpr size_t kTrailerMagicAt = 0;
constexpr size_t kIdentityAt = 5;
constexpr size_t kAttributeAAt = 6;
constexpr size_t kEventCodeAt = 7;
constexpr size_t kRecordFormatAt = 8;
constexpr size_t kAttributeBAt = 9;
constexpr size_t kFrameCountAt = 10;
constexpr size_t kAngleAt = 14;
constexpr size_t kOffsetXAt = 16;
constexpr size_t kOffsetYAt = 18;
constexpr size_t kOffsetZAt = 20;
constexpr size_t kDridAt = 26;
constexpr size_t kSdidAt = 56;
constexpr size_t kIdSize = 30;
constexpr size_t kExtendedAt = 86;
constexpr size_t kAttributeCAt = 87;
constexpr size_t kAttributeDAt = 88;

void StoreTime(SampleByteSpan b, size_t at, const DateTime& t) {
  const uint16_t fields[8] = {t.year, t.month, t.dayOfWeek, t.day, t.hour, t.minute, t.second, t.milliseconds};
  for (size_t i = 0; i < 8; ++i) StoreLe16(b, at + 2 * i, fields[i]);
}

}  // namespace

uint32_t SampleRecordMagic(uint8_t recordFormat) {
  return recordFormat == kSampleRecordFormatA2 ? kSampleRecordMagicA2 : kSampleRecordMagicA1;
}

std::vector<uint8_t> MakeSampleIndexRecord(const SampleFrame& frame, uint32_t recordSize, uint32_t magic) {
  const bool isLong = recordSize >= kSampleLongRecord;
  std::vector<uint8_t> record(isLong ? kSampleLongRecord : kSampleShortRecord, 0);
  const SampleByteSpan b(record);
  StoreLe32(b, kMagicAt, magic);
  StoreU8(b, kVersionAt, isLong ? kLongVersion : kShortVersion);
  StoreLe32(b, kOffsetAt, frame.offset);
  StoreLe32(b, kSizeAt, frame.size);
  StoreTime(b, kTimeAt, frame.time);
  StoreU8(b, kValidAt, 1);
  StoreU8(b, kKindAt, frame.kind);
  StoreLeS16(b, kGxAt, frame.gX);
  StoreLeS16(b, kGyAt, frame.gY);
  StoreLeS16(b, kGzAt, frame.gZ);
  StoreU8(b, kGpsValidAt, frame.gpsValid ? 1 : 0);
  StoreLeF64(b, kLatitudeAt, frame.latitude);
  StoreLeF64(b, kLongitudeAt, frame.longitude);
  StoreLe16(b, kSpeedAt, frame.speed);
  StoreLe16(b, kAltitudeAt, frame.altitude);
  StoreLe16(b, kCourseAt, frame.course);
  StoreU8(b, kSignalAt, frame.signal);
  StoreU8(b, kEventBitsAt, frame.eventBits);
  StoreLe16(b, kPulseAt, frame.pulse);
  return record;
}

std::array<uint8_t, kSampleTrailerSize> MakeSampleTrailer(const SampleVideo& video) {
  std::array<uint8_t, kSampleTrailerSize> trailer{};
  const SampleByteSpan b(trailer);
  StoreLe32(b, kTrailerMagicAt, kSampleTrailerMagic);
  StoreU8(b, kIdentityAt, video.identityFlag);
  StoreU8(b, kAttributeAAt, video.attributeA);
  StoreU8(b, kEventCodeAt, video.eventCode);
  StoreU8(b, kRecordFormatAt, video.recordFormat);
  StoreU8(b, kAttributeBAt, video.attributeB);
  StoreLe32(b, kFrameCountAt, static_cast<uint32_t>(video.frames.size()));
  // Without the identity flag the rest of the trailer is absent: left zero.
  if (video.identityFlag == 0) return trailer;
  StoreU8(b, kAngleAt, static_cast<uint8_t>(video.calibration.angle));
  StoreLeS16(b, kOffsetXAt, video.calibration.offsetX);
  StoreLeS16(b, kOffsetYAt, video.calibration.offsetY);
  StoreLeS16(b, kOffsetZAt, video.calibration.offsetZ);
  StoreText(b, kDridAt, kIdSize, video.drid);
  StoreText(b, kSdidAt, kIdSize, video.sdid);
  StoreU8(b, kExtendedAt, video.extendedCode);
  StoreU8(b, kAttributeCAt, video.attributeC);
  StoreU8(b, kAttributeDAt, video.attributeD);
  return trailer;
}

std::vector<uint8_t> BuildSampleIndex(const SampleVideo& video) {
  std::vector<uint8_t> index;
  if (video.variant == SampleIndexVariant::kNoIndex) return index;
  const uint32_t magic = SampleRecordMagic(video.recordFormat);
  for (size_t i = 0; i < video.frames.size(); ++i) {
    std::vector<uint8_t> record = MakeSampleIndexRecord(video.frames[i], video.recordSize, magic);
    if (static_cast<int>(i) == video.damagedRecord) {
      if (video.damage == SampleIndexDamage::kBadMagic) StoreLe32(SampleByteSpan(record), kMagicAt, kBadMagic);
      if (video.damage == SampleIndexDamage::kMonth13) StoreLe16(SampleByteSpan(record), kMonthAt, kBadMonth);
    }
    index.insert(index.end(), record.begin(), record.end());
  }
  const std::array<uint8_t, kSampleTrailerSize> trailer = MakeSampleTrailer(video);
  if (video.variant == SampleIndexVariant::kTrailer92) index.insert(index.end(), trailer.begin(), trailer.end());
  if (video.variant == SampleIndexVariant::kTrailer26) {
    index.insert(index.end(), trailer.begin(), trailer.begin() + kSampleOldTrailerSize);
  }
  return index;
}
