#include "samplecard/SampleCommentBlock.h"

#include <cmath>

#include "samplecard/SampleBytes.h"

namespace {

// Offsets of the fields in the block.
constexpr size_t kTimeAt = 0;  // 7 bytes: year - 2000, month, day, hour, minute, second, frame number
constexpr size_t kPulseAt = 9;
constexpr size_t kKindAt = 11;
constexpr size_t kFrameRateAt = 16;
constexpr size_t kGpsValidAt = 12;
constexpr size_t kLatitudeAt = 21;
constexpr size_t kLongitudeAt = 29;
constexpr size_t kAltitudeAt = 37;
constexpr size_t kSpeedAt = 39;
constexpr size_t kCourseAt = 40;
constexpr size_t kSignalAt = 42;
constexpr size_t kEventCodeAt = 44;
constexpr size_t kGxAt = 45;
constexpr size_t kGyAt = 47;
constexpr size_t kGzAt = 49;

constexpr int kMaxNudges = 64;

// One step of ddmm.mmmm, kept on the four-decimal grid.
double NudgeDdmm(double value) { return std::round(value * 10000.0 + 1.0) / 10000.0; }

// Where the first FF D9 begins; size when there is none.
size_t FindEndMarker(const uint8_t* bytes, size_t size) {
  for (size_t i = 0; i + 1 < size; ++i) {
    if (bytes[i] == 0xFF && bytes[i + 1] == 0xD9) return i;
  }
  return size;
}

}  // namespace

SampleCommentBlock MakeSampleCommentBlock(const SampleFrame& frame) {
  SampleCommentBlock block{};
  const SampleByteSpan b(block);
  StoreU8(b, kTimeAt + 0, static_cast<uint8_t>(frame.time.year - 2000));
  StoreU8(b, kTimeAt + 1, static_cast<uint8_t>(frame.time.month));
  StoreU8(b, kTimeAt + 2, static_cast<uint8_t>(frame.time.day));
  StoreU8(b, kTimeAt + 3, static_cast<uint8_t>(frame.time.hour));
  StoreU8(b, kTimeAt + 4, static_cast<uint8_t>(frame.time.minute));
  StoreU8(b, kTimeAt + 5, static_cast<uint8_t>(frame.time.second));
  StoreU8(b, kTimeAt + 6, frame.frameNumber);
  StoreLe16(b, kPulseAt, frame.pulse);
  StoreU8(b, kKindAt, frame.kind);
  StoreLe16(b, kFrameRateAt, frame.frameRate);
  StoreU8(b, kGpsValidAt, frame.gpsValid ? 1 : 0);
  StoreLeF64(b, kLatitudeAt, frame.latitude);
  StoreLeF64(b, kLongitudeAt, frame.longitude);
  StoreLe16(b, kAltitudeAt, frame.altitude);
  StoreU8(b, kSpeedAt, static_cast<uint8_t>(frame.speed > 255 ? 255 : frame.speed));
  StoreLe16(b, kCourseAt, frame.course);
  StoreU8(b, kSignalAt, frame.signal);
  StoreU8(b, kEventCodeAt, frame.eventBits);
  StoreLeS16(b, kGxAt, frame.gX);
  StoreLeS16(b, kGyAt, frame.gY);
  StoreLeS16(b, kGzAt, frame.gZ);
  return block;
}

bool HasJpegEndMarker(const uint8_t* bytes, size_t size) { return FindEndMarker(bytes, size) < size; }

bool AvoidEndMarkerInBlock(SampleFrame* frame) {
  for (int attempt = 0; attempt < kMaxNudges; ++attempt) {
    const SampleCommentBlock block = MakeSampleCommentBlock(*frame);
    const size_t at = FindEndMarker(block.data(), block.size());
    if (at >= block.size()) return true;
    // The D9 byte names the field to move: changing it either changes that
    // byte or, through the carry, the FF before it.
    const size_t d9 = at + 1;
    if (d9 >= kGzAt)
      frame->gZ = static_cast<int16_t>(frame->gZ + 1);
    else if (d9 >= kGyAt)
      frame->gY = static_cast<int16_t>(frame->gY + 1);
    else if (d9 >= kGxAt)
      frame->gX = static_cast<int16_t>(frame->gX + 1);
    else if (d9 >= kCourseAt)
      frame->course = static_cast<uint16_t>((frame->course + 1) % 360);
    else if (d9 >= kAltitudeAt)
      frame->altitude = static_cast<uint16_t>(frame->altitude + 1);
    else if (d9 >= kLongitudeAt)
      frame->longitude = NudgeDdmm(frame->longitude);
    else if (d9 >= kLatitudeAt)
      frame->latitude = NudgeDdmm(frame->latitude);
    else if (d9 >= kPulseAt)
      frame->pulse = static_cast<uint16_t>(frame->pulse + 1);
    else
      return false;
  }
  return false;
}
