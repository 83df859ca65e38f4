#include "recording/InfoEventFile.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/TimeKey.h"
#include "platform/Trace.h"
#include "platform/Utf8.h"
#include "recording/MappedFile.h"
#include "recording/VideoDataScan.h"
#include "recording/VideoDurationText.h"
#include "recording/VideoFileProbe.h"
#include "recording/VideoFormat.h"
#include "recording/VideoIndexPath.h"
#include "recording/VideoIndexTail.h"

namespace {

constexpr size_t kIdentityChars = 10;
constexpr size_t kIndexChunk = 64 * 1024;
// Attribute B that goes with the newer record magic of trailerless indexes.
constexpr uint8_t kAttrBForMagicA2 = 101;

// Index records one after another from offset 0, read a chunk at a time.
class RecordReader {
 public:
  explicit RecordReader(const ReadOnlyFile& file) : file_(file) {}

  // The next size bytes; fewer at the end of the file.
  ByteSpan Next(size_t size) {
    if (end_ - begin_ < size) Refill();
    const size_t take = std::min(size, end_ - begin_);
    const ByteSpan record(buffer_.data() + begin_, take);
    begin_ += take;
    return record;
  }

 private:
  void Refill() {
    const size_t kept = end_ - begin_;
    std::memmove(buffer_.data(), buffer_.data() + begin_, kept);
    const size_t got = file_.ReadAt(fileOffset_, buffer_.data() + kept, buffer_.size() - kept);
    fileOffset_ += got;
    begin_ = 0;
    end_ = kept + got;
  }

  const ReadOnlyFile& file_;
  std::array<uint8_t, kIndexChunk> buffer_{};
  uint64_t fileOffset_ = 0;
  size_t begin_ = 0;
  size_t end_ = 0;
};

// The record size that the index's first record selects; 0 when the index
// is shorter than one long record.
size_t FirstRecordSize(const ReadOnlyFile& index) {
  const std::optional<IndexFirstRecord> first = ReadFirstRecord(index);
  return first ? first->recordSize : 0;
}

// Where the pictures the frames point at end in the data file.
uint64_t IndexedDataEnd(const std::vector<FRAMEINFOVIDEO>& frames) {
  uint64_t end = 0;
  for (const FRAMEINFOVIDEO& f : frames) end = std::max<uint64_t>(end, uint64_t{f.dataOffset} + f.dataSize);
  return end;
}

}  // namespace

const char* FrameSourceName(FrameSource source) {
  switch (source) {
    case FrameSource::kIndex:
      return "index";
    case FrameSource::kIndexNoTrailer:
      return "index-no-trailer";
    case FrameSource::kScan:
      return "scan";
    case FrameSource::kNone:
      break;
  }
  return "none";
}

CInfoEventFile::CInfoEventFile() : zoneOffset_(CurrentZoneOffsetSeconds()) {}

CInfoEventFile::~CInfoEventFile() { StopWorker(); }

void CInfoEventFile::Clear() {
  StopWorker();
  ResetFields();
  dataFile_.Close();
}

void CInfoEventFile::ResetFields() {
  currentFrame_ = -1;
  identityFlag_ = 0;
  attrA_ = 0;
  eventCode_ = 1;
  recordFormat_ = 1;
  attrB_ = 1;
  drid_.clear();
  sdid_.clear();
  extEventCode_ = 0;
  attrC_ = 0;
  attrD_ = 0;
  calibration_ = GSensorCalibration();
  frames_.clear();
  frames_.shrink_to_fit();
  dataFilePath_.clear();
  source_ = FrameSource::kNone;
  framesFromDataFile_ = 0;
  unreadableTold_ = false;
}

void CInfoEventFile::StopWorker() {
  if (!worker_.joinable()) return;
  stop_.store(true);
  worker_.join();
  stop_.store(false);
}

void CInfoEventFile::End(LoadStatus status) {
  observer_->Status().store(status);
  observer_->PostLoadEnded();
}

const FRAMEINFOVIDEO& CInfoEventFile::Frame(int index) const {
  static const FRAMEINFOVIDEO kNoFrame{};
  if (index < 0 || index >= FrameCount()) return kNoFrame;
  return frames_[static_cast<size_t>(index)];
}

int CInfoEventFile::LoadVideoRecording(const std::string& recordingPath, LoadObserver* observer) {
  StopWorker();
  observer_ = observer != nullptr ? observer : &quietObserver_;
  recordingPath_ = recordingPath;
  // A reused recording starts from the construction values, so nothing of
  // an earlier recording's trailer survives into this one.
  ResetFields();
  dataFile_.Close();
  const std::string indexPath = VideoIndexPath(recordingPath);

  if (!dataFile_.Open(recordingPath)) {
    End(LoadStatus::kFailed);
    return 0;
  }
  ReadOnlyFile index;
  const int64_t indexSize = index.Open(indexPath) ? index.Size() : -1;
  VdxTrailer trailer;
  const IndexTail tail = ReadIndexTrailer(index, indexSize, trailer);
  // An index too short for a trailer is passed over like a missing one.
  if (tail == IndexTail::kUnreadable) {
    StartScan();
    return 1;
  }
  if (tail == IndexTail::kNoTrailer) {
    index.Close();
    return LoadIndexWithoutTrailer(indexPath);
  }
  TakeTrailer(trailer);
  return LoadRecords(index, indexSize, trailer.frameCount);
}

void CInfoEventFile::TakeTrailer(const VdxTrailer& trailer) {
  identityFlag_ = trailer.identityFlag;
  attrA_ = trailer.attrA;
  eventCode_ = trailer.eventCode;
  recordFormat_ = trailer.recordFormat;
  attrB_ = trailer.attrB;
  if (identityFlag_ == 0) return;

  drid_ = Utf8Prefix(trailer.drid, kIdentityChars);
  sdid_ = Utf8Prefix(trailer.sdid, kIdentityChars);
  calibration_ = GSensorCalibration(trailer.angle, trailer.offsetX, trailer.offsetY, trailer.offsetZ);
  KTRACE("DRID:%s, SDID:%s", drid_.c_str(), sdid_.c_str());
  KTRACE("Install Angle : %d", calibration_.AngleDegrees());
  KTRACE("offsetX:%f, offsetY:%f, offsetZ:%f", calibration_.OffsetX(), calibration_.OffsetY(), calibration_.OffsetZ());
  extEventCode_ = trailer.extEventCode;
  attrC_ = trailer.attrC;
  attrD_ = trailer.attrD;
}

FRAMEINFOVIDEO CInfoEventFile::FrameFromRecord(const VdxRecord& r, const GSensorCalibration& calibration,
                                               uint8_t extraEventBits) {
  FRAMEINFOVIDEO f;
  f.dataOffset = r.dataOffset;
  f.dataSize = r.dataSize;
  f.time = r.time;
  f.recordValid = r.valid;
  f.frameKind = r.frameKind;
  f.signal = r.signal;
  f.pulse = r.pulse;
  f.eventBits = static_cast<uint8_t>(r.eventBits | extraEventBits);
  const GValues g = calibration.Apply(r.gX, r.gY, r.gZ);
  f.gX = g.x;
  f.gY = g.y;
  f.gZ = g.z;
  FillGpsPosition(f.gps, r.gpsValid, r.latitude, r.longitude);
  f.gps.speed = r.gpsSpeed;
  f.gps.altitude = r.altitude;
  f.gps.course = r.course;
  return f;
}

int CInfoEventFile::LoadRecords(const ReadOnlyFile& index, int64_t indexSize, uint32_t frameCount) {
  source_ = FrameSource::kIndex;
  const size_t recordSize = FirstRecordSize(index);
  if (recordSize == 0) return EndIndexLoad();
  const uint32_t magic = RecordMagicFor(recordFormat_);
  // The trailer's count is not trusted further than the file can hold.
  const auto fits = static_cast<uint64_t>(indexSize) / recordSize;
  frames_.reserve(static_cast<size_t>(std::min<uint64_t>(frameCount, fits)));

  RecordReader reader(index);
  for (uint32_t i = 0; i < frameCount; ++i) {
    const ByteSpan bytes = reader.Next(recordSize);
    if (bytes.size() < recordSize) return EndIndexLoad();
    const VdxRecord record = ParseRecord(bytes);
    if (!IsUsableRecord(record, magic)) continue;
    frames_.push_back(FrameFromRecord(record, calibration_, eventCode_));
  }
  if (frames_.size() == frameCount) return EndIndexLoad();
  return ScanInsteadOfIndex();
}

int CInfoEventFile::EndIndexLoad() {
  // An index that gave not one frame says nothing about the pictures (a
  // trailer that counts 0, an index cut down to its trailer); the data file
  // itself may still be whole.
  if (frames_.empty()) return ScanInsteadOfIndex();
  End(LoadStatus::kRunning);
  return 1;
}

int CInfoEventFile::ScanInsteadOfIndex() {
  KTRACE("VDX is out of data. Read VDD");
  KTRACE("%s", recordingPath_.c_str());
  StartScan();
  return 1;
}

int CInfoEventFile::LoadIndexWithoutTrailer(const std::string& indexPath) {
  ReadOnlyFile index;
  if (!index.Open(indexPath)) {
    StartScan();
    return 1;
  }
  source_ = FrameSource::kIndexNoTrailer;
  const size_t recordSize = FirstRecordSize(index);
  if (recordSize == 0) return EndIndexLoad();
  const uint64_t recordCount = static_cast<uint64_t>(std::max<int64_t>(index.Size(), 0)) / recordSize;
  frames_.reserve(static_cast<size_t>(recordCount));

  RecordReader reader(index);
  uint32_t fixedMagic = 0;
  for (uint64_t i = 0; i < recordCount; ++i) {
    const ByteSpan bytes = reader.Next(recordSize);
    if (bytes.size() < recordSize) return EndIndexLoad();
    const VdxRecord record = ParseRecord(bytes);
    if (fixedMagic == 0 && (record.magic == kRecordMagicA1 || record.magic == kRecordMagicA2)) {
      fixedMagic = record.magic;
    }
    if (fixedMagic == 0 || !IsUsableRecord(record, fixedMagic)) continue;
    // Without a trailer there is nothing to calibrate with: raw values in g.
    frames_.push_back(FrameFromRecord(record, GSensorCalibration(), 0));
  }
  index.Close();
  if (frames_.empty()) return ScanInsteadOfIndex();
  identityFlag_ = 0;
  attrA_ = 0;
  eventCode_ = ReadVideoEventCode(VideoDataPathForIndex(indexPath));
  const bool olderMagic = fixedMagic == kRecordMagicA1;
  recordFormat_ = olderMagic ? 1 : kRecordFormatA2;
  attrB_ = olderMagic ? 1 : kAttrBForMagicA2;
  // An index without trailer may simply have been cut short: what the data
  // file holds beyond its last picture is read from there, so no frame the
  // card holds stays hidden.
  const uint64_t indexedEnd = IndexedDataEnd(frames_);
  if (indexedEnd < static_cast<uint64_t>(std::max<int64_t>(dataFile_.Size(), 0))) {
    StartTailScan(indexedEnd);
    return 1;
  }
  End(LoadStatus::kRunning);
  return 1;
}

void CInfoEventFile::StartTailScan(uint64_t from) {
  stop_.store(false);
  try {
    worker_ = std::thread(&CInfoEventFile::RunTailScan, this, from);
  } catch (const std::system_error&) {
    KTRACE("No thread for the VDD tail scan: %s", recordingPath_.c_str());
    End(LoadStatus::kRunning);
  }
}

CInfoEventFile::DataWalk CInfoEventFile::WalkDataFile(uint64_t from) {
  DataWalk walk;
  MappedFile mapping;
  if (!mapping.Map(dataFile_.Fd())) return walk;
  walk.mapped = true;
  walk.end = ScanVideoData(mapping.Data(), mapping.Size(), *observer_, stop_, walk.frames, static_cast<size_t>(from));
  if (walk.end == ScanEnd::kFaulted) walk.frames.clear();
  return walk;
}

// The index's frames stay whatever happens to the walk.
void CInfoEventFile::RunTailScan(uint64_t from) {
  DataWalk walk = WalkDataFile(from);
  if (walk.end == ScanEnd::kFaulted) KTRACE("VDD tail not read (unmapped or changed): %s", recordingPath_.c_str());
  KTRACE("Index ends before its VDD; %zu frames read from the VDD: %s", walk.frames.size(), recordingPath_.c_str());
  framesFromDataFile_ = static_cast<int>(walk.frames.size());
  frames_.insert(frames_.end(), walk.frames.begin(), walk.frames.end());
  observer_->PostLoadEnded();
}

void CInfoEventFile::StartScan() {
  // Nothing read from an index survives into a scanned recording.
  ResetFields();
  stop_.store(false);
  try {
    worker_ = std::thread(&CInfoEventFile::RunScan, this);
  } catch (const std::system_error&) {
    KTRACE("No thread for the VDD scan: %s", recordingPath_.c_str());
    dataFile_.Close();
    End(LoadStatus::kFailed);
  }
}

void CInfoEventFile::RunScan() {
  DataWalk walk = WalkDataFile(0);
  if (walk.end == ScanEnd::kFaulted) {
    if (walk.mapped) KTRACE("VDD changed while it was read: %s", recordingPath_.c_str());
    dataFile_.Close();
    End(LoadStatus::kFailed);
    return;
  }
  const ScanEnd end = walk.end;
  std::vector<FRAMEINFOVIDEO>& found = walk.frames;
  if (end == ScanEnd::kCancelled)
    KTRACE("VDD scan cancelled after %zu frames: %s", found.size(), recordingPath_.c_str());
  frames_ = std::move(found);
  if (!frames_.empty()) {
    source_ = FrameSource::kScan;
  } else {
    dataFile_.Close();
    // A cancelled scan keeps the cancel word for the dialog to see.
    if (end != ScanEnd::kCancelled) observer_->Status().store(LoadStatus::kFailed);
  }
  observer_->PostLoadEnded();
}

int CInfoEventFile::ReadFrameData(int index, uint8_t* buffer) {
  if (!dataFile_.IsOpen()) {
    KTRACE("Event file had been closed; opening it again: %s", dataFilePath_.c_str());
    if (!dataFile_.Open(dataFilePath_)) return 0;
  }
  if (buffer == nullptr || index < 0 || index >= FrameCount()) return 0;
  const FRAMEINFOVIDEO& frame = frames_[static_cast<size_t>(index)];
  if (frame.dataSize > FRAMEDATA_MAXSIZE) {
    KTRACE("FrameData size is over FRAMEDATA_MAXSIZE");
    return 0;
  }
  if (dataFile_.ReadAt(frame.dataOffset, buffer, frame.dataSize) == frame.dataSize) {
    return static_cast<int>(frame.dataSize);
  }
  KTRACE("Fail to fread FrameData");
  return 0;
}

std::string CInfoEventFile::GetDurationText() const {
  if (frames_.empty()) return {};
  const int64_t span = MakeTimeKey(frames_.back().time) - MakeTimeKey(frames_.front().time);
  return VideoDurationText(span / 1000);
}

int CInfoEventFile::UnreadableFrameCount() const {
  std::error_code error;
  const int64_t size =
      dataFile_.IsOpen() ? dataFile_.Size() : static_cast<int64_t>(std::filesystem::file_size(dataFilePath_, error));
  const uint64_t length = size < 0 || error ? 0 : static_cast<uint64_t>(size);
  return static_cast<int>(std::count_if(frames_.begin(), frames_.end(), [length](const FRAMEINFOVIDEO& f) {
    return f.dataSize > FRAMEDATA_MAXSIZE || uint64_t{f.dataOffset} + f.dataSize > length;
  }));
}

bool CInfoEventFile::TakeUnreadableNotice() {
  if (unreadableTold_) return false;
  unreadableTold_ = true;
  return true;
}
