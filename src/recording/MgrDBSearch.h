#pragma once
// The recording store: the one place that knows where a drive recorder's
// recordings lie. It takes a card root (a mounted card or a backup folder),
// checks its layout, runs the check-files pass that builds the catalogue,
// reads the speed-pulse type from the card's settings file and offers a disk
// check when damaged files turned up. It answers the per-file questions of
// the file lists, and holds what the user loaded: the recordings, the frame
// buffer every picture is read into, and the codec that decodes it.
//
// Everything here runs on the user-interface thread; the check-files pass
// and the disk check run their own workers under their dialogs.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/AppState.h"
#include "platform/Ports.h"
#include "platform/Prompt.h"
#include "platform/Volumes.h"
#include "recording/CardCatalogue.h"
#include "recording/CardFolders.h"
#include "recording/CheckFilesPass.h"
#include "recording/InfoEventFile.h"
#include "recording/InfoLogFile.h"
#include "recording/InfoMapObject.h"
#include "recording/LogFileProbe.h"
#include "recording/ShownFrame.h"
#include "recording/StoreViewSink.h"
#include "recording/StreamImage.h"
#include "recording/VideoFileProbe.h"

// The speed-pulse type when the card does not tell: pulse speeds read 0.
constexpr int kUnknownPulseType = -1;
constexpr int kLargestPulseType = 5;

struct CardFileCounts {
  int event = 0;
  int normal = 0;
  int log = 0;
  int Total() const { return event + normal + log; }
};

// What the last scan found, beside the catalogue.
struct CardScanReport {
  CardFileCounts counts;
  bool crashed = false;
  std::vector<std::string> deleted;  // files the check-files pass removed
  // Folders whose files could not be counted: their lists are incomplete.
  std::vector<UnreadableFolder> unreadable;
};

// Shows the check-files dialog over a pass and returns once the pass has
// ended. The default starts the pass and waits for it.
using CheckFilesRunner = std::function<void(CheckFilesPass& pass)>;
// Runs the disk check on the card holding root; true when it ended with OK.
using DiskCheckRunner = std::function<bool(const std::string& root)>;

class CMgrDBSearch {
 public:
  CMgrDBSearch(Prompt& prompt, UiQueue& ui, AppState& app, const Volumes& volumes);
  ~CMgrDBSearch();
  CMgrDBSearch(const CMgrDBSearch&) = delete;
  CMgrDBSearch& operator=(const CMgrDBSearch&) = delete;

  void SetViewSink(StoreViewSink* view);
  void SetCheckFilesRunner(CheckFilesRunner runner) { checkFiles_ = std::move(runner); }
  void SetDiskCheckRunner(DiskCheckRunner runner) { diskCheck_ = std::move(runner); }

  // ---- choosing and scanning a card --------------------------------------

  // Asks for a root folder; scans it when it is valid.
  void SelectAndScan();
  // Asks for a root folder and validates it without scanning (for a tool
  // that needs a root); true when a valid root was chosen.
  bool SelectFolder();
  // What follows the picker's answer: path becomes the root and is
  // validated; an invalid one resets the store, clears the root and says so.
  // A mount point is a root as it is: unlike a Windows drive root ("E:\"
  // becoming "E:"), nothing is cut off a Linux path.
  bool ChooseRoot(const std::string& path);
  // The layout check: ch1/event and log must exist (ch1/normal need not).
  // A valid layout without any recording also says "No recorded file.".
  bool ValidateFolder(const std::string& root);
  // Scans the chosen root (also what the posted rescan runs).
  void Scan();
  // Posts a rescan to the store itself, as the disk check does when it ended
  // with OK.
  void PostRescan();
  // Empties the store and what shows it (the first step of every scan).
  void Reset();
  // The card went away: the store is emptied and no folder is chosen.
  void ForgetRoot();

  // Whether the card holds any recording a scan would count, reading its
  // folders only up to the first.
  static bool HasRecordedFiles(const std::string& root);
  // CARPULSETYPE of the card's settings file; kUnknownPulseType when it is
  // missing or outside 0..5.
  static int ReadPulseType(const std::string& root);

  // ---- per-file questions of the file lists ------------------------------
  // None of them fails: an unreadable file gives 0 or empty texts.

  uint8_t ReadEventCode(const std::string& dataPath) const;
  uint8_t ReadExtendedEventCode(const std::string& dataPath) const;
  std::string GetEventName(const std::string& dataPath) const;
  VideoIds ReadVideoIds(const std::string& dataPath) const;
  LogIds ReadLogIds(const std::string& logPath) const;
  int64_t ReadLogStartTime(const std::string& logPath) const;
  int64_t ReadLogEndTime(const std::string& logPath) const;
  std::string GetLogDurationText(const std::string& logPath) const;

  // ---- the loaded recordings ---------------------------------------------

  // km/h of a speed-pulse count for the card's pulse type; 0 for a negative
  // count or an unknown type.
  int PulseToKmh(int pulses) const { return PulseToKmhFor(pulseType_, pulses); }
  static int PulseToKmhFor(int pulseType, int pulses);
  // Whether recording index has a frame with a GPS fix; for an index outside
  // the loaded recordings, whether any of them has one.
  bool HasGpsFix(int recordingIndex) const;
  // Whether the current frame of recording index has no GPS fix.
  bool IsCurrentFrameWithoutFix(int recordingIndex) const;
  // The frame with a fix nearest before the current one (searching back to
  // frame 0), else the first after it; 0 when there is none.
  int FindNearestFixFrame(int recordingIndex) const;
  // Reads the picture of a frame into the frame buffer; its byte count, 0
  // when there is no such frame or it cannot be read.
  int ReadFrame(int recordingIndex, int frameIndex);
  // Reads a frame's picture and decodes it into the shared codec: from now
  // on it is the frame shown. Its byte count (0: unreadable) and whether the
  // picture decoded.
  struct FrameDecode {
    int bytes = 0;
    bool decoded = false;
  };
  FrameDecode DecodeFrame(int recordingIndex, int frameIndex);
  // The frame decoded for showing last; none after a reset.
  const ShownFrame& Shown() const { return shown_; }

  std::vector<std::unique_ptr<CInfoEventFile>>& Videos() { return videos_; }
  const std::vector<std::unique_ptr<CInfoEventFile>>& Videos() const { return videos_; }
  std::vector<std::unique_ptr<CInfoLogFile>>& Logs() { return logs_; }
  const std::vector<std::unique_ptr<CInfoLogFile>>& Logs() const { return logs_; }
  CStreamImage& StreamImage() { return streamImage_; }
  // The trigger list (only the trigger halves are used): one entry per
  // loaded video recording, at most 100; a single entry in log view.
  std::vector<CInfoMapObject>& MapTriggers() { return mapTriggers_; }
  const std::vector<CInfoMapObject>& MapTriggers() const { return mapTriggers_; }
  // The route of the current video recording (its route half).
  CInfoMapObject& MapRoute() { return mapRoute_; }
  int PulseType() const { return pulseType_; }
  // The pulse type the device settings just wrote to the card; a value
  // outside -1..5 counts as unknown, as when read from the card.
  void SetPulseType(int type);
  const std::string& Root() const { return root_; }
  int CurrentIndex() const { return currentIndex_; }
  void SetCurrentIndex(int index) { currentIndex_ = index; }
  const uint8_t* FrameBuffer() const { return frameBuffer_.get(); }
  int FrameBytes() const { return frameBytes_; }

  const CardCatalogue& Catalogue() const { return catalogue_; }
  // Where the store's workers post their ends; the window's other readers
  // post theirs there too.
  UiQueue& Ui() const { return ui_; }
  const CardScanReport& LastScan() const { return lastScan_; }
  AppState& App() { return app_; }
  // The mount table and sysfs the store judges drives by.
  const Volumes& Drives() const { return volumes_; }

 private:
  bool AskForRoot();
  // Every change of the root goes through here, so the view hears of it.
  void SetRoot(std::string root);
  const CInfoEventFile* Video(int recordingIndex) const;
  FileListKind ListToShow() const;
  void OfferDiskCheck();

  std::vector<std::unique_ptr<CInfoEventFile>> videos_;
  std::vector<std::unique_ptr<CInfoLogFile>> logs_;
  // The map points of what is loaded, built by the map synchronisation.
  std::vector<CInfoMapObject> mapTriggers_;
  CInfoMapObject mapRoute_;
  CStreamImage streamImage_;
  ShownFrame shown_;
  int pulseType_ = kUnknownPulseType;
  std::string root_;
  int currentIndex_ = -1;
  std::unique_ptr<uint8_t[]> frameBuffer_;
  int frameBytes_ = 0;

  CardCatalogue catalogue_;
  CardScanReport lastScan_;
  Prompt& prompt_;
  UiQueue& ui_;
  AppState& app_;
  const Volumes& volumes_;
  StoreViewSink defaultView_;
  StoreViewSink* view_ = &defaultView_;
  CheckFilesRunner checkFiles_;
  DiskCheckRunner diskCheck_;
  // Posted rescans find out through this whether the store still exists.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};
