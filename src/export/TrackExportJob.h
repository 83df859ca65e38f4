#pragma once
// The one job behind every track export (KML, GPX, CSV): the output rules,
// one overwrite question, the worker that hands the sources' points to a
// TrackWriter part by part, and one end: the file committed when the writer
// is done, discarded after a cancel. The sources must stay loaded until the
// end has been delivered.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "export/ExportMessages.h"
#include "export/ExportWorker.h"
#include "export/TrackFormat.h"
#include "export/TrackSource.h"
#include "export/TrackWriter.h"
#include "platform/OutputFile.h"
#include "platform/Prompt.h"

// Caption of the overwrite question and of the window's result boxes.
inline constexpr LangText kCaptionSaveTrack{"SaveTrackFile", "Save track"};
inline constexpr LangText kMsgSaveTrackOK{"SaveTrackOK", "Save track OK."};
inline constexpr LangText kMsgSaveTrackCancel{"SaveTrackCancel", "Save track Cancel."};
inline constexpr LangText kMsgSaveTrackFail{"SaveTrackFail", "Save track Fail."};

// The output's folder exists, accepts a file, and the file has a name.
std::optional<LangText> CheckTrackOutput(const std::string& outputPath);

enum class TrackStart {
  kStarted,   // the worker runs; the end callback will follow
  kInvalid,   // a check failed: show its message
  kDeclined,  // the user would not overwrite the existing file
  kFailed,    // the output rules refuse the file, or it cannot be created
  kBusy,      // an export runs already
};

struct TrackStartResult {
  TrackStart outcome = TrackStart::kFailed;
  std::optional<LangText> message;  // of kInvalid
};

// Where a track export writes.
struct TrackTarget {
  std::string path;
  LangText caption = kCaptionSaveTrack;  // of the overwrite question
  // Create the file once before the worker starts, so that a file that
  // cannot be made fails Start instead of the end.
  bool createFirst = false;
};

class TrackExportJob {
 public:
  explicit TrackExportJob(UiQueue& ui) : worker_(ui) {}

  // The file of one format: the output checks, the overwrite question
  // through prompt, then the worker. pulseType is the card's speed-pulse
  // type. The end callback gets ExportResult::kFailed, ExportResult::kCancelled or
  // ExportResult::kDone on the user-interface thread.
  TrackStartResult Start(const TrackFormat& format, const std::string& outputPath, std::vector<TrackSource> sources,
                         int pulseType, Prompt& prompt, std::function<void(ExportResult result)> onEnd);

  // The same for any writer whose inputs the caller has checked.
  TrackStartResult Start(std::unique_ptr<TrackWriter> writer, const TrackTarget& target,
                         std::vector<TrackSource> sources, int pulseType, Prompt& prompt,
                         std::function<void(ExportResult result)> onEnd);

  // The cancel flag; the worker reads it before each source.
  void Cancel() { worker_.Cancel(); }
  bool Running() const { return worker_.Running(); }
  // Range 0..points of the source being written, position, "source / sources".
  const ExportProgress& Progress() const { return worker_.Progress(); }

  // The file of the export started last.
  const std::string& OutputPath() const { return outputPath_; }
  // After the end: what the writer counts as written, and why the file
  // could not be written.
  int Written() const { return writer_ ? writer_->Written() : 0; }
  const std::string& Error() const { return error_; }
  // The writer of the export started last; null before the first.
  const TrackWriter* Writer() const { return writer_.get(); }

 private:
  ExportResult Write();
  ExportResult End(OutputFile& file);

  ExportWorker worker_;
  std::unique_ptr<TrackWriter> writer_;
  std::string outputPath_;
  OutputGuard guard_;
  Overwrite overwrite_ = Overwrite::kKeep;
  std::vector<TrackSource> sources_;
  int pulseType_ = -1;
  std::string error_;
};
