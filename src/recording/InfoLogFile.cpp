#include "recording/InfoLogFile.h"

#include <algorithm>
#include <system_error>

#include "platform/Trace.h"
#include "recording/LogFormat.h"
#include "recording/LogLine.h"
#include "recording/LogSource.h"
#include "recording/LogTime.h"
#include "recording/NmeaSentence.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kWhiteSpace = " \t\r\n\v\f";
constexpr double kKnotsToKmh = 1.852;

// "$GPRMC" fields.
constexpr size_t kRmcTime = 1;
constexpr size_t kRmcStatus = 2;
constexpr size_t kRmcLatitude = 3;
constexpr size_t kRmcNorthSouth = 4;
constexpr size_t kRmcLongitude = 5;
constexpr size_t kRmcEastWest = 6;
constexpr size_t kRmcKnots = 7;
constexpr size_t kRmcCourse = 8;
constexpr size_t kRmcDate = 9;
constexpr size_t kRmcFields = kRmcDate + 1;

// "$GPGGA" and "$GPGSV" fields.
constexpr size_t kGgaSatsUsed = 7;
constexpr size_t kGgaDop = 8;
constexpr size_t kGgaAltitude = 9;
constexpr size_t kGsvSatsInView = 3;
constexpr size_t kGgaFields = kGgaAltitude + 1;
constexpr size_t kGsvFields = kGsvSatsInView + 1;

// Counts are clamped into their fields rather than wrapped: 300 satellites
// are "many", not 44.
uint8_t ToU8(int value) { return static_cast<uint8_t>(std::clamp(value, 0, 255)); }
uint16_t ToU16(int value) { return static_cast<uint16_t>(std::clamp(value, 0, 65535)); }

void ApplyGprmc(const NmeaSentence& s, FRAMEINFOLOG& record) {
  record.gpsTime = GpsDateTime(s.Field(kRmcTime), s.Field(kRmcDate));
  record.gpsValid = s.Field(kRmcStatus) == "A" ? 1 : 0;
  record.lat = s.Coordinate(kRmcLatitude, kRmcNorthSouth, 2, "S");
  record.lon = s.Coordinate(kRmcLongitude, kRmcEastWest, 3, "W");
  if (record.lat < -90.0 || record.lat > 90.0 || record.lon < -180.0 || record.lon > 180.0) record.gpsValid = 0;
  record.speed = static_cast<float>(s.Number(kRmcKnots) * kKnotsToKmh);
  record.course = static_cast<float>(s.Number(kRmcCourse));
}

void ApplyGpgga(const NmeaSentence& s, FRAMEINFOLOG& record) {
  record.satsUsed = ToU8(s.Int(kGgaSatsUsed));
  record.dop = static_cast<float>(s.Number(kGgaDop));
  record.altitude = static_cast<float>(s.Number(kGgaAltitude));
}

void ApplyGpgsv(const NmeaSentence& s, FRAMEINFOLOG& record) { record.satsInView = ToU8(s.Int(kGsvSatsInView)); }

}  // namespace

CInfoLogFile::~CInfoLogFile() { JoinWorker(); }

void CInfoLogFile::JoinWorker() {
  if (worker_.joinable()) worker_.join();
}

void CInfoLogFile::Clear() {
  JoinWorker();
  records_.reset();
  recordCount_ = 0;
  calibration_ = GSensorCalibration();
}

const FRAMEINFOLOG* CInfoLogFile::Record(int index) const {
  if (index < 0 || index >= recordCount_) return nullptr;
  return &records_[static_cast<size_t>(index)];
}

int CInfoLogFile::LoadLogRecording(const std::filesystem::path& path, LoadObserver* observer) {
  return StartLoad(path.string(), std::nullopt, observer);
}

int CInfoLogFile::LoadLogBytes(std::string bytes, LoadObserver* observer) {
  return StartLoad({}, std::move(bytes), observer);
}

int CInfoLogFile::StartLoad(std::string path, std::optional<std::string> bytes, LoadObserver* observer) {
  if (observer == nullptr) return 0;
  Clear();
  // A log without a header must not show the identity of the one loaded before.
  headerValue_ = 1;
  drid_.clear();
  sdid_.clear();
  listedPath_.clear();
  path_ = std::move(path);
  bytes_ = std::move(bytes);
  observer_ = observer;
  try {
    worker_ = std::thread([this] { ReadLog(); });
  } catch (const std::system_error&) {
    KTRACE("LOG : cannot start the reader for %s", path_.c_str());
    observer_->Status().store(LoadStatus::kFailed);
    observer_->PostLoadEnded();
    return 0;
  }
  return 1;
}

void CInfoLogFile::ReadLog() {
  // The worker is a module boundary: nothing may escape it.
  try {
    ReadLogOrFail();
  } catch (...) {
    records_.reset();
    recordCount_ = 0;
    observer_->Status().store(LoadStatus::kFailed);
  }
  observer_->PostLoadEnded();
}

void CInfoLogFile::ReadLogOrFail() {
  std::string text;
  LogSource source;
  if (bytes_) {
    source.OpenBytes(std::move(*bytes_));
    bytes_.reset();
  } else {
    source.Open(path_);
  }
  if (!source.ReadAll(text)) {
    KTRACE("LOG : cannot read %s", path_.c_str());
    observer_->Status().store(LoadStatus::kFailed);
    return;
  }

  const int count = CountDataSentences(text, kMaxRecords);
  if (count == 0) {
    observer_->Status().store(LoadStatus::kFailed);
    return;
  }
  records_ = std::make_unique<FRAMEINFOLOG[]>(static_cast<size_t>(count));
  observer_->SetProgressRange(0, count);
  observer_->SetProgressPos(1);
  observer_->ShowProgress();

  const std::string_view all(text);
  const int completed = ReadRecords(all, SkipHeader(all), count);
  // Data sentences that all lacked a time leave a log without records; the
  // file lists show it as an empty row rather than as a failed load.
  recordCount_ = completed;
}

size_t CInfoLogFile::SkipHeader(std::string_view all) {
  const size_t start = all.substr(0, kByteOrderMark.size()) == kByteOrderMark ? kByteOrderMark.size() : 0;
  if (all.substr(start, kLogHeaderStart.size()) != kLogHeaderStart) return start;
  const size_t wordEnd = std::min(all.find_first_of(kWhiteSpace, start), all.size());
  ReadHeader(all.substr(start, wordEnd - start));
  // The rest of the header's line, whatever ends it, is not a sentence.
  const size_t lineEnd = all.find('\n', wordEnd);
  return lineEnd == std::string_view::npos ? all.size() : lineEnd + 1;
}

int CInfoLogFile::ReadRecords(std::string_view all, size_t pos, int count) {
  int completed = 0;
  int64_t firstSeconds = 0;
  while (pos < all.size() && observer_->Status().load() != LoadStatus::kCancel && completed < count) {
    const std::string_view sentence = LogLineSentence(TakeLogLine(all, pos));
    if (sentence.empty() || sentence.front() != '$') continue;
    FRAMEINFOLOG& record = records_[static_cast<size_t>(completed)];
    if (IsDataSentence(sentence)) {
      FillData(sentence, record);
      if (record.time <= 0) continue;  // no time: the next data sentence overwrites it
      const int64_t seconds = record.time / 1000;
      if (completed == 0) {
        firstSeconds = seconds;
      } else if (seconds < firstSeconds || seconds > firstSeconds + kMaxSpanSeconds) {
        break;
      }
      ++completed;
      observer_->SetProgressPos(completed);
      continue;
    }
    // Each sentence is split only as far as its last field that is read.
    const std::string_view word = NmeaSentence(sentence, 1).Field(0);
    if (word == "GPRMC") {
      ApplyGprmc(NmeaSentence(sentence, kRmcFields), record);
    } else if (word == "GPGGA") {
      ApplyGpgga(NmeaSentence(sentence, kGgaFields), record);
    } else if (word == "GPGSV") {
      ApplyGpgsv(NmeaSentence(sentence, kGsvFields), record);
    }
  }
  return completed;
}

void CInfoLogFile::ReadHeader(std::string_view headerWord) {
  const NmeaSentence header(headerWord);
  headerValue_ = header.Int(kLogHeaderValue);
  drid_ = LogHeaderId(header.Field(kLogHeaderDrid));
  sdid_ = LogHeaderId(header.Field(kLogHeaderSdid));
  calibration_ = GSensorCalibration(header.Int(kLogHeaderAngle), header.Int(kLogHeaderOffsetX),
                                    header.Int(kLogHeaderOffsetY), header.Int(kLogHeaderOffsetZ));
  KTRACE("LOG : offsetX:%f, offsetY:%f, offsetZ:%f", calibration_.OffsetX(), calibration_.OffsetY(),
         calibration_.OffsetZ());
}

void CInfoLogFile::FillData(std::string_view sentence, FRAMEINFOLOG& record) const {
  const NmeaSentence data(sentence, kLogDataFields);
  record.valueA = ToU8(data.Int(kLogDataValueA));
  const GValues g = calibration_.Apply(data.Int(kLogDataX), data.Int(kLogDataY), data.Int(kLogDataZ));
  record.gX = g.x;
  record.gY = g.y;
  record.gZ = g.z;
  record.time = LogRecordTime(data.Field(kLogDataTime), data.Field(kLogDataDate));
  record.signal = ToU8(data.Int(kLogDataSignal));
  record.pulse = ToU16(data.Int(kLogDataPulse));
}
