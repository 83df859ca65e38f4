// Arbitrary bytes as a ".log" file: the reader must end every load with a
// clean status and only records that keep the format's promises, and the
// file-list probes must agree with the load on what both read (the header's
// ids, the first record's time) and with each other. The log is held in
// memory: the reader and the probes read its bytes as they read a file's.

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

#include "recording/InfoLogFile.h"
#include "recording/LogFileProbe.h"
#include "recording/LogFormat.h"
#include "recording/LogLine.h"
#include "recording/LogSource.h"

namespace {

constexpr size_t kMaxInput = 1 << 20;

class FuzzObserver final : public LoadObserver {
 public:
  void PostLoadEnded() override {
    {
      std::lock_guard guard(lock_);
      ++ended_;
    }
    cv_.notify_all();
  }
  void SetProgressRange(int low, int high) override {
    if (low != 0 || high <= 0 || high > CInfoLogFile::kMaxRecords) __builtin_trap();
    high_ = high;
  }
  void SetProgressPos(int pos) override {
    if (pos < 0 || pos > high_) __builtin_trap();
  }
  void ShowProgress() override {}

  int WaitForEnd() {
    std::unique_lock guard(lock_);
    cv_.wait(guard, [this] { return ended_ > 0; });
    return ended_;
  }

 private:
  std::mutex lock_;
  std::condition_variable cv_;
  int ended_ = 0;
  int high_ = 0;
};

// "$KX" and three more characters, then ",": the sentence that closes a
// record, wherever it stands.
bool HasDataSentence(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (size_t at = text.find("$KX"); at != std::string_view::npos; at = text.find("$KX", at + 1)) {
    if (at + 6 < text.size() && text[at + 6] == ',') return true;
  }
  return false;
}

// The lists and the reader recognise sentences each by its own rule: the
// reader any "$KX" sentence with a "," as its seventh character and the
// header's first word, the lists "$KXDRL," lines with a "*" and the header's
// whole line. On a log whose sentences are all as the recorder writes them,
// both rules read the same.
bool WrittenAsTheRecorderWrites(std::string_view text) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  for (bool first = true; !text.empty(); first = false) {
    const size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    if (line.size() + 1 > kLogLineMax) return false;
    const size_t sentence = line.find(kLogDataStart);
    if (sentence == std::string_view::npos) continue;
    if (sentence != 0 || line.find(kLogDataStart, 1) != std::string_view::npos) return false;
    if (line.ends_with('\r')) line.remove_suffix(1);
    const bool header = first && line.starts_with(kLogHeaderStart);
    if (header && line.find_first_of(" \t\r\v\f") != std::string_view::npos) return false;
    if (!header && (!line.starts_with(kLogDataLineStart) || line.find('*') == std::string_view::npos)) return false;
  }
  return true;
}

void CheckRecords(const CInfoLogFile& log) {
  const int count = log.RecordCount();
  if (count < 0 || count > CInfoLogFile::kMaxRecords) __builtin_trap();
  if (count > 0 && log.Record(count) != nullptr) __builtin_trap();
  int64_t firstSeconds = 0;
  for (int i = 0; i < count; ++i) {
    const FRAMEINFOLOG* r = log.Record(i);
    if (r == nullptr || r->time <= 0) __builtin_trap();
    const int64_t seconds = r->time / 1000;
    if (i == 0) firstSeconds = seconds;
    if (seconds < firstSeconds || seconds > firstSeconds + CInfoLogFile::kMaxSpanSeconds) __builtin_trap();
    if (r->gpsValid && (r->lat < -90.0 || r->lat > 90.0 || r->lon < -180.0 || r->lon > 180.0)) __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return 0;
  const std::string bytes(reinterpret_cast<const char*>(data), size);

  FuzzObserver observer;  // outlives the worker: the log joins it first
  CInfoLogFile log;
  if (log.LoadLogBytes(bytes, &observer) != 1) __builtin_trap();
  if (observer.WaitForEnd() != 1) __builtin_trap();
  const LoadStatus status = observer.Status().load();
  if (status != LoadStatus::kRunning && status != LoadStatus::kFailed) __builtin_trap();
  CheckRecords(log);
  // A failed load keeps nothing. A load without records is a success only
  // for a log that has data sentences, none of them with a time: the file
  // lists show it as an empty row, not as a load that failed.
  if (status == LoadStatus::kFailed && log.RecordCount() != 0) __builtin_trap();
  if (status == LoadStatus::kRunning && log.RecordCount() == 0 && !HasDataSentence(data, size)) __builtin_trap();

  LogSource file;
  file.OpenBytes(bytes);
  const LogIds ids = ReadLogIds(file);
  if (ids.drid.size() > 30 || ids.sdid.size() > 30) __builtin_trap();
  const bool agreeing = WrittenAsTheRecorderWrites(std::string_view(reinterpret_cast<const char*>(data), size));
  if (agreeing && status == LoadStatus::kRunning && (ids.drid != log.Drid() || ids.sdid != log.Sdid()))
    __builtin_trap();
  const int64_t start = ReadLogStartTime(file);
  const int64_t end = ReadLogEndTime(file);
  if (start == 0 && end != 0) __builtin_trap();
  if (end != 0 && end - start >= 3611) __builtin_trap();
  if (agreeing && log.RecordCount() > 0 && start != log.Record(0)->time / 1000) __builtin_trap();
  const std::string duration = GetLogDurationText(file);
  if (duration.empty()) __builtin_trap();  // the file opened, so some text is due

  // The log list reads all of it in one go, the same as one at a time.
  const LogListFacts facts = ReadLogListFacts(file, ReadDurationWords());
  if (facts.ids.drid != ids.drid || facts.ids.sdid != ids.sdid) __builtin_trap();
  if (facts.start != start || facts.end != end || facts.duration != duration) __builtin_trap();
  return 0;
}
