#pragma once
// The GPX and CSV exports of loaded video recordings and logs: the output
// checks in the order the other exports use, one overwrite question, and
// the worker that writes the file. The recordings must stay loaded until
// the end has been delivered.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "export/ExportMessages.h"
#include "export/ExportWorker.h"
#include "platform/OutputFile.h"
#include "platform/Prompt.h"

class CInfoEventFile;
class CInfoLogFile;

enum class TrackFormat { kGpx, kCsv };

// Caption of the overwrite question and of the window's result boxes.
inline constexpr ExportMessage kCaptionSaveTrack{"SaveTrackFile", "Save track"};
inline constexpr ExportMessage kMsgSaveTrackOK{"SaveTrackOK", "Save track OK."};
inline constexpr ExportMessage kMsgSaveTrackCancel{"SaveTrackCancel", "Save track Cancel."};
inline constexpr ExportMessage kMsgSaveTrackFail{"SaveTrackFail", "Save track Fail."};

// One recording or log, in the order of the file: exactly one of the two.
struct TrackSource {
  std::string name;
  const CInfoEventFile* video = nullptr;
  const CInfoLogFile* log = nullptr;
};

// The output's folder exists, accepts a file, and the file has a name.
std::optional<ExportMessage> CheckTrackOutput(const std::string& outputPath);

enum class TrackStart { kStarted, kInvalid, kDeclined, kFailed, kBusy };

struct TrackStartResult {
  TrackStart outcome = TrackStart::kFailed;
  std::optional<ExportMessage> message;  // of kInvalid
};

class TrackExportJob {
 public:
  explicit TrackExportJob(UiQueue& ui) : worker_(ui) {}

  // The checks, the overwrite question through prompt, then the worker.
  // pulseType is the card's speed-pulse type. The end callback gets
  // kExportFailed, kExportCancelled or kExportDone.
  TrackStartResult Start(TrackFormat format, const std::string& outputPath, std::vector<TrackSource> sources,
                         int pulseType, Prompt& prompt, std::function<void(int result)> onEnd);

  void Cancel() { worker_.Cancel(); }
  bool Running() const { return worker_.Running(); }
  // Range 0..points of the source being written, position, "source / sources".
  const ExportProgress& Progress() const { return worker_.Progress(); }

  // After the end: the points (GPX) or rows (CSV) written, and why the file
  // could not be written.
  int Written() const { return written_; }
  const std::string& Error() const { return error_; }

 private:
  int Write();

  ExportWorker worker_;
  TrackFormat format_ = TrackFormat::kGpx;
  std::string outputPath_;
  OutputGuard guard_;
  Overwrite overwrite_ = Overwrite::kKeep;
  std::vector<TrackSource> sources_;
  int pulseType_ = -1;
  int written_ = 0;
  std::string error_;
};
