#include "telemetry/TripRecordingRead.h"

#include <vector>

#include "platform/ReadOnlyFile.h"
#include "platform/TimeKey.h"
#include "recording/GSensorCalibration.h"
#include "recording/InfoEventFile.h"
#include "recording/VideoFormat.h"
#include "recording/VideoIndexTail.h"
#include "recording/WaitingLoadObserver.h"

namespace {

constexpr int kLoadWaitSliceMs = 1000;
// More than any recorder writes for one recording; a larger index is read
// by the loader a chunk at a time rather than held whole.
constexpr int64_t kLargestWholeIndexBytes = 64 << 20;

// Frames come at several a second: the local second is made into a time
// key once, not once per frame.
class TimeKeys {
 public:
  int64_t Of(const DateTime& time) {
    if (!known_ || !SameSecond(time, last_)) {
      DateTime whole = time;
      whole.milliseconds = 0;
      secondKey_ = MakeTimeKey(whole);
      last_ = time;
      known_ = true;
    }
    return secondKey_ + time.milliseconds;
  }

 private:
  static bool SameSecond(const DateTime& a, const DateTime& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour && a.minute == b.minute &&
           a.second == b.second;
  }

  bool known_ = false;
  DateTime last_;
  int64_t secondKey_ = 0;
};

// The G values as the loader calibrates them: only a trailer that names
// its recorder carries an angle and offsets worth applying.
GSensorCalibration CalibrationOf(const VdxTrailer& trailer) {
  if (trailer.identityFlag == 0) return GSensorCalibration();
  return GSensorCalibration(trailer.angle, trailer.offsetX, trailer.offsetY, trailer.offsetZ);
}

std::vector<uint8_t> ReadWholeIndex(const std::string& indexPath) {
  ReadOnlyFile index;
  if (!index.Open(indexPath)) return {};
  const int64_t size = index.Size();
  if (size < static_cast<int64_t>(kTrailerSize) || size > kLargestWholeIndexBytes) return {};
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  if (index.ReadAt(0, bytes.data(), bytes.size()) != bytes.size()) return {};
  return bytes;
}

}  // namespace

bool ReadTripFramesFromIndex(const std::string& dataPath, const std::string& indexPath, TripRecording& out) {
  if (indexPath.empty()) return false;
  // The loader refuses a recording whose data file cannot be opened, index
  // or not.
  ReadOnlyFile data;
  if (!data.Open(dataPath)) return false;
  data.Close();
  const std::vector<uint8_t> bytes = ReadWholeIndex(indexPath);
  if (bytes.size() < kLongRecordSize) return false;
  const ByteSpan index(bytes);
  VdxTrailer trailer;
  if (ParseIndexTrailer(index.last(kTrailerSize), trailer) != IndexTail::kTrailer) return false;
  const size_t recordSize = RecordSizeFor(ReadU8(index, 4));
  const uint64_t count = trailer.frameCount;
  if (count == 0 || count * recordSize > index.size()) return false;

  const GSensorCalibration calibration = CalibrationOf(trailer);
  const uint32_t magic = RecordMagicFor(trailer.recordFormat);
  TimeKeys keys;
  std::vector<TripFrame> frames;
  frames.reserve(static_cast<size_t>(count));
  int64_t triggerMs = 0;
  bool triggered = false;
  for (size_t i = 0; i < count; ++i) {
    const VdxRecord record = ParseRecord(index.subspan(i * recordSize, recordSize));
    if (!IsUsableRecord(record, magic)) return false;
    const GValues g = calibration.Apply(record.gX, record.gY, record.gZ);
    GpsBlock gps;
    FillGpsPosition(gps, record.gpsValid, record.latitude, record.longitude);
    const int64_t timeMs = keys.Of(record.time);
    frames.push_back(TripFrame{timeMs, g.x, g.y, gps.valid != 0, gps.LatitudeDegrees(), gps.LongitudeDegrees(),
                               static_cast<double>(record.gpsSpeed), 0, static_cast<int>(i)});
    if (!triggered && record.frameKind == kTriggerFrameKind) {
      triggerMs = timeMs;
      triggered = true;
    }
  }
  out.path = dataPath;
  out.triggerMs = triggered ? triggerMs : frames.front().timeMs;
  out.frames = std::move(frames);
  return true;
}

bool TakeTripRecording(const CInfoEventFile& recording, const std::string& path, TripRecording& out) {
  if (recording.FrameCount() == 0) return false;
  out.path = path;
  AppendTripFrames(recording.Frames(), 0, out.frames);
  out.triggerMs = out.frames.front().timeMs;
  for (int i = 0; i < recording.FrameCount(); ++i) {
    if (recording.Frame(i).frameKind != kTriggerFrameKind) continue;
    out.triggerMs = out.frames[static_cast<size_t>(i)].timeMs;
    break;
  }
  return true;
}

bool LoadTripRecording(const std::string& path, TripRecording& out) {
  CInfoEventFile recording;
  WaitingLoadObserver observer;
  observer.BeginLoad();
  if (recording.LoadVideoRecording(path, &observer) == 0) return false;
  while (!observer.WaitForLoadEnded(kLoadWaitSliceMs)) {
  }
  return TakeTripRecording(recording, path, out);
}

bool ReadTripRecording(const std::string& path, const std::string& indexPath, TripRecording& out) {
  return ReadTripFramesFromIndex(path, indexPath, out) || LoadTripRecording(path, out);
}
