#pragma once
// One loaded log recording: the recorder's header values and one record per
// second, read from a ".log" file on a worker thread of its own.
//
// Nothing but the worker touches the recording between LoadLogRecording and
// the observer's PostLoadEnded. A new load, Clear and the destructor wait for
// a running worker to finish; to stop it early, write LoadStatus::kCancel to the
// observer's status word first.

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <thread>

#include "recording/FrameInfoLog.h"
#include "recording/GSensorCalibration.h"
#include "recording/LoadObserver.h"

class CInfoLogFile {
 public:
  // A log holds at most this many records (one hour and ten seconds at one
  // record per second); further data sentences are never read.
  static constexpr int kMaxRecords = 3610;
  // Records more than this many seconds after the first end the log.
  static constexpr int64_t kMaxSpanSeconds = 3600;

  CInfoLogFile() = default;
  ~CInfoLogFile();
  CInfoLogFile(const CInfoLogFile&) = delete;
  CInfoLogFile& operator=(const CInfoLogFile&) = delete;

  // Starts reading the log at path on a worker thread and returns 1 at once;
  // the worker reports through the observer (status 3 on failure, left at 1
  // on success or 2 after a cancel) and ends every load with PostLoadEnded.
  // 0 without an observer, or when no worker could be started (the observer
  // then has status 3 and its PostLoadEnded).
  int LoadLogRecording(const std::filesystem::path& path, LoadObserver* observer);
  // The same for a log whose bytes are in memory already: what the worker
  // reads of a file, it reads of them.
  int LoadLogBytes(std::string bytes, LoadObserver* observer);

  // Frees the records; count, angle and offsets back to 0.
  void Clear();

  int HeaderValue() const { return headerValue_; }
  const std::string& Drid() const { return drid_; }
  const std::string& Sdid() const { return sdid_; }
  int Angle() const { return calibration_.AngleDegrees(); }
  float OffsetX() const { return calibration_.OffsetX(); }
  float OffsetY() const { return calibration_.OffsetY(); }
  float OffsetZ() const { return calibration_.OffsetZ(); }

  // The path the file lists show this log under (they set it after a load).
  const std::string& ListedPath() const { return listedPath_; }
  void SetListedPath(std::string path) { listedPath_ = std::move(path); }

  int RecordCount() const { return recordCount_; }
  // Null outside 0..RecordCount() - 1.
  const FRAMEINFOLOG* Record(int index) const;
  std::span<const FRAMEINFOLOG> Records() const {
    return {records_.get(), static_cast<size_t>(std::max(recordCount_, 0))};
  }

  const std::string& Path() const { return path_; }

 private:
  int StartLoad(std::string path, std::optional<std::string> bytes, LoadObserver* observer);
  void ReadLog();
  void ReadLogOrFail();
  size_t SkipHeader(std::string_view text);
  void ReadHeader(std::string_view headerWord);
  int ReadRecords(std::string_view text, size_t pos, int count);
  void FillData(std::string_view sentence, FRAMEINFOLOG& record) const;
  void JoinWorker();

  int headerValue_ = 1;
  std::string drid_;
  std::string sdid_;
  GSensorCalibration calibration_;
  std::string listedPath_;
  LoadObserver* observer_ = nullptr;
  int recordCount_ = 0;
  std::unique_ptr<FRAMEINFOLOG[]> records_;
  std::string path_;
  std::optional<std::string> bytes_;  // the log to read in place of path_'s file

  std::thread worker_;
};
