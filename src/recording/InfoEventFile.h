#pragma once
// One loaded video recording: its frames with their telemetry, what the
// index trailer says about the recording, and the open data file from which
// frame pictures are read.
//
// The frames come from the index file when it is whole; a missing or
// damaged index makes a worker thread walk the data file's pictures instead.
// Until the observer has had PostLoadEnded nobody else may use the
// recording.

#include <atomic>
#include <cstdint>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "platform/ReadOnlyFile.h"
#include "recording/FrameInfoVideo.h"
#include "recording/GSensorCalibration.h"
#include "recording/LoadObserver.h"
#include "recording/VideoDataScan.h"

struct VdxTrailer;
struct VdxRecord;

enum class FrameSource {
  kNone,            // nothing loaded
  kIndex,           // the index file with its trailer
  kIndexNoTrailer,  // an older index file that ends without a trailer
  kScan,            // the data file's pictures
};

// "index", "index-no-trailer", "scan" ("none" before a load).
const char* FrameSourceName(FrameSource source);

class CInfoEventFile {
 public:
  CInfoEventFile();
  ~CInfoEventFile();
  CInfoEventFile(const CInfoEventFile&) = delete;
  CInfoEventFile& operator=(const CInfoEventFile&) = delete;

  // Loads the recording whose data file is recordingPath. 1 when the load
  // finished or a data-file scan was started (which ends with PostLoadEnded
  // from its thread), 0 when the data file cannot be opened. The observer
  // (may be null) must outlive the load.
  int LoadVideoRecording(const std::string& recordingPath, LoadObserver* observer);

  // Copies frame index's picture into buffer, which holds FRAMEDATA_MAXSIZE
  // bytes; returns the byte count, 0 on any failure.
  int ReadFrameData(int index, uint8_t* buffer);

  // "%d Min" / "%d Sec" for the span of the frames; empty without frames.
  std::string GetDurationText() const;

  // Back to the construction values (the observer, the recording path and
  // the time-zone offset stay); stops a running scan and closes the file.
  void Clear();

  int CurrentFrameIndex() const { return currentFrame_; }
  void SetCurrentFrameIndex(int index) { currentFrame_ = index; }

  uint8_t IdentityFlag() const { return identityFlag_; }
  uint8_t AttributeA() const { return attrA_; }
  uint8_t EventCode() const { return eventCode_; }
  uint8_t RecordFormat() const { return recordFormat_; }
  uint8_t AttributeB() const { return attrB_; }
  int InstallAngle() const { return calibration_.AngleDegrees(); }
  const std::string& Drid() const { return drid_; }
  const std::string& Sdid() const { return sdid_; }
  uint8_t ExtendedEventCode() const { return extEventCode_; }
  uint8_t AttributeC() const { return attrC_; }
  uint8_t AttributeD() const { return attrD_; }
  float OffsetX() const { return calibration_.OffsetX(); }
  float OffsetY() const { return calibration_.OffsetY(); }
  float OffsetZ() const { return calibration_.OffsetZ(); }

  int FrameCount() const { return static_cast<int>(frames_.size()); }
  // A zeroed frame for an index outside the frames.
  const FRAMEINFOVIDEO& Frame(int index) const;
  std::span<const FRAMEINFOVIDEO> Frames() const { return frames_; }
  FrameSource Source() const { return source_; }
  // Frames appended from the data file after an index without trailer that
  // ended before the data file does (0 otherwise).
  int FramesFromDataFile() const { return framesFromDataFile_; }
  // The frames whose pictures reach past the data file's end or exceed
  // the largest picture: their reads can only fail.
  int UnreadableFrameCount() const;
  // True only the first time it is asked for after a load: the user is
  // told about unreadable frames once per recording.
  bool TakeUnreadableNotice();

  const std::string& DataFilePath() const { return dataFilePath_; }
  void SetDataFilePath(const std::string& path) { dataFilePath_ = path; }
  bool IsDataFileOpen() const { return dataFile_.IsOpen(); }
  const std::string& RecordingPath() const { return recordingPath_; }

 private:
  class QuietObserver final : public LoadObserver {
   public:
    void PostLoadEnded() override {}
    void SetProgressRange(int, int) override {}
    void SetProgressPos(int) override {}
    void ShowProgress() override {}
  };

  void ResetFields();
  void StopWorker();
  void End(LoadStatus status);
  void TakeTrailer(const VdxTrailer& trailer);
  int LoadRecords(const ReadOnlyFile& index, int64_t indexSize, uint32_t frameCount);
  int EndIndexLoad();
  int ScanInsteadOfIndex();
  int LoadIndexWithoutTrailer(const std::string& indexPath);
  static FRAMEINFOVIDEO FrameFromRecord(const VdxRecord& record, const GSensorCalibration& calibration,
                                        uint8_t extraEventBits);
  // The data file's pictures from an offset on, walked under a mapping of
  // the worker's own: none, and not mapped, when the file cannot be mapped;
  // none after a fault (the file changed under the walk).
  struct DataWalk {
    bool mapped = false;
    ScanEnd end = ScanEnd::kFaulted;
    std::vector<FRAMEINFOVIDEO> frames;
  };
  DataWalk WalkDataFile(uint64_t from);
  void StartScan();
  void RunScan();
  void StartTailScan(uint64_t from);
  void RunTailScan(uint64_t from);

  int currentFrame_ = -1;
  uint8_t identityFlag_ = 0;
  uint8_t attrA_ = 0;
  uint8_t eventCode_ = 1;
  uint8_t recordFormat_ = 1;
  uint8_t attrB_ = 1;
  std::string drid_;
  std::string sdid_;
  uint8_t extEventCode_ = 0;
  uint8_t attrC_ = 0;
  uint8_t attrD_ = 0;
  GSensorCalibration calibration_;
  std::vector<FRAMEINFOVIDEO> frames_;
  std::string dataFilePath_;
  ReadOnlyFile dataFile_;
  LoadObserver* observer_ = nullptr;
  std::string recordingPath_;
  int zoneOffset_ = 0;

  FrameSource source_ = FrameSource::kNone;
  int framesFromDataFile_ = 0;
  bool unreadableTold_ = false;
  QuietObserver quietObserver_;
  std::atomic<bool> stop_{false};
  std::thread worker_;
};
