#include "recording/VideoDataScan.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "recording/SigbusGuard.h"
#include "recording/VideoFormat.h"

namespace {

constexpr size_t kProgressUnit = 1000000;
// Frame offsets are 32-bit; a picture beyond that cannot be addressed.
constexpr size_t kLargestOffset = UINT32_MAX;
constexpr size_t kStampSecondBytes = 6;

// Position of the first FF D9 in [from, from + length), or null.
const uint8_t* FindEndOfImage(const uint8_t* from, size_t length) {
  const uint8_t* end = from + length;
  while (from < end) {
    const auto* marker = static_cast<const uint8_t*>(std::memchr(from, kJpegMarker, static_cast<size_t>(end - from)));
    if (marker == nullptr || marker + 1 >= end) return nullptr;
    if (marker[1] == kJpegEndOfImage) return marker;
    from = marker + 1;
  }
  return nullptr;
}

bool IsStandaloneMarker(uint8_t code) { return code == 0x01 || (code >= 0xD0 && code <= 0xD7); }

// Pictures of one second share their time stamp and the GPS receiver
// reports once a second, so the slow conversions run only on a change.
class Conversions {
 public:
  DateTime Time(const uint8_t stamp[7]) {
    if (!haveTime_ || std::memcmp(stamp, lastStamp_, kStampSecondBytes) != 0) {
      lastTime_ = PackedStampToDateTime(stamp);
      std::memcpy(lastStamp_, stamp, kStampSecondBytes);
      haveTime_ = true;
    }
    DateTime time = lastTime_;
    time.milliseconds = StampMilliseconds(stamp[6]);
    return time;
  }

  void Position(GpsBlock& gps, uint8_t valid, double latitude, double longitude) {
    const bool same = haveGps_ && lastValid_ == valid && std::memcmp(&lastLatitude_, &latitude, sizeof latitude) == 0 &&
                      std::memcmp(&lastLongitude_, &longitude, sizeof longitude) == 0;
    if (!same) {
      FillGpsPosition(lastGps_, valid, latitude, longitude);
      lastValid_ = valid;
      lastLatitude_ = latitude;
      lastLongitude_ = longitude;
      haveGps_ = true;
    }
    gps = lastGps_;
  }

 private:
  bool haveTime_ = false;
  uint8_t lastStamp_[kStampSecondBytes] = {};
  DateTime lastTime_;
  bool haveGps_ = false;
  uint8_t lastValid_ = 0;
  double lastLatitude_ = 0;
  double lastLongitude_ = 0;
  GpsBlock lastGps_;
};

FRAMEINFOVIDEO FrameFromComment(const CommentBlock& c, size_t offset, size_t size, Conversions& convert) {
  FRAMEINFOVIDEO f;
  f.dataOffset = static_cast<uint32_t>(offset);
  f.dataSize = static_cast<uint32_t>(size);
  f.time = convert.Time(c.stamp);
  f.recordValid = 1;
  f.frameKind = c.frameKind;
  convert.Position(f.gps, c.gpsValid, c.latitude, c.longitude);
  f.gps.speed = c.gpsSpeed;
  f.gps.altitude = c.altitude;
  f.gps.course = c.course;
  f.signal = c.signal;
  f.pulse = c.pulse;
  f.eventBits = c.eventCode;
  f.gX = static_cast<float>(c.gX / 1000.0);
  f.gY = static_cast<float>(c.gY / 1000.0);
  f.gZ = static_cast<float>(c.gZ / 1000.0);
  return f;
}

struct Walk {
  const uint8_t* data;
  size_t length;
  size_t from;
  LoadObserver* observer;
  const std::atomic<bool>* stop;
  std::vector<FRAMEINFOVIDEO>* frames;
  Conversions* convert;
  bool cancelled;
  bool outOfMemory;
};

bool StopRequested(const Walk& w) { return w.observer->Status().load() == LoadStatus::kCancel || w.stop->load(); }

// Runs under the SIGBUS guard: every read of the mapping happens here, and
// nothing on this stack needs destroying if a read faults.
void WalkPictures(void* context) {
  Walk& w = *static_cast<Walk*>(context);
  size_t p = w.from;
  int shownPosition = static_cast<int>(std::min(p, w.length) / kProgressUnit);
  while (p < w.length && p <= kLargestOffset) {
    if (StopRequested(w)) {
      w.cancelled = true;
      return;
    }
    if (w.length - p < 2 || w.data[p] != kJpegMarker || w.data[p + 1] != kJpegStartOfImage) return;
    const int position = static_cast<int>(p / kProgressUnit);
    if (position != shownPosition) {
      w.observer->SetProgressPos(position);
      shownPosition = position;
    }
    const size_t end = FindPictureEnd(w.data, w.length, p);
    if (end == 0) return;
    const ByteSpan picture(w.data + p, end - p);
    CommentBlock comment;
    if (ReadPictureComment(picture, comment)) {
      try {
        w.frames->push_back(FrameFromComment(comment, p, picture.size(), *w.convert));
      } catch (const std::bad_alloc&) {
        w.outOfMemory = true;
        return;
      }
    }
    p = end;
  }
}

}  // namespace

// The header segments are stepped over by their lengths, so an FF D9 inside
// the comment block (a latitude or a G value can hold those bytes) does not
// cut the picture short; inside the compressed data every FF is stuffed, so
// the first FF D9 after the start of scan is the real end. When the headers
// don't walk cleanly, the first FF D9 after the start-of-image marker ends it.
size_t FindPictureEnd(const uint8_t* data, size_t length, size_t p) {
  size_t q = p + 2;
  size_t searchFrom = p + 2;
  while (q + 4 <= length && data[q] == kJpegMarker) {
    const uint8_t code = data[q + 1];
    if (code == kJpegMarker) {
      ++q;
      continue;
    }
    if (code == kJpegEndOfImage) return q + 2;
    if (IsStandaloneMarker(code)) {
      q += 2;
      continue;
    }
    const size_t segment = (size_t{data[q + 2]} << 8) | data[q + 3];
    if (segment < 2 || q + 2 + segment > length) break;
    q += 2 + segment;
    if (code == kJpegStartOfScan) {
      searchFrom = q;
      break;
    }
  }
  const uint8_t* marker = FindEndOfImage(data + searchFrom, length - searchFrom);
  return marker == nullptr ? 0 : static_cast<size_t>(marker - data) + 2;
}

ScanEnd ScanVideoData(const uint8_t* data, size_t length, LoadObserver& observer, const std::atomic<bool>& stop,
                      std::vector<FRAMEINFOVIDEO>& frames, size_t from) {
  observer.SetProgressRange(0, static_cast<int>(length / kProgressUnit));
  observer.SetProgressPos(static_cast<int>(std::min(from, length) / kProgressUnit));
  observer.ShowProgress();
  Conversions convert;
  Walk walk{data, length, from, &observer, &stop, &frames, &convert, false, false};
  if (!RunWithSigbusGuard(data, length, WalkPictures, &walk) || walk.outOfMemory) return ScanEnd::kFaulted;
  return walk.cancelled ? ScanEnd::kCancelled : ScanEnd::kCompleted;
}
