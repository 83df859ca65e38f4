#pragma once
// The AVI export: frames of the loaded video as a Motion-JPEG AVI film at a
// chosen number of frames per second, optionally with a caption burnt in.
// An event recording is exported whole; a normal recording is exported as a
// time range from its start frame on, running on through the following
// loaded recordings. The window's dialog and korvane-cli both drive this
// class; the dialog only shows what it says.
//
// How a dialog drives it:
//  1. On opening, AviInputsOnOpening fills the inputs (range pickers, the
//     proposed file name, the fps list's N); AviRangeMode tells whether the
//     end pickers may be changed. ProposeAviFileName re-proposes the name
//     whenever a range picker changes.
//  2. Start runs the checks in their order (range, folder exists, folder
//     writable, file name), asks before overwriting, warns when the display
//     is not true colour, and starts the worker. kInvalid carries the one
//     message to show.
//  3. While Running, Progress gives the bar (range 0..high, position);
//     Cancel is the Cancel button.
//  4. The end callback gets ExportResult::kFailed, ExportResult::kCancelled or ExportResult::kDone
//     on the user-interface thread; AviResultMessage gives its message box.
//
// The recordings must stay loaded until the end has been delivered.

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "export/AviCaption.h"
#include "export/ExportMessages.h"
#include "export/ExportWorker.h"
#include "platform/DateTime.h"
#include "platform/OutputFile.h"
#include "platform/Prompt.h"
#include "recording/StreamImage.h"

class CInfoEventFile;

struct AviExportInputs {
  std::string folder;
  std::string fileName;  // without ".avi"; trimmed before use
  int fps = 1;           // the chosen entry of the fps list, 1..N
  DateTime rangeStart;   // the start pickers; milliseconds are taken as 0
  DateTime rangeEnd;     // the end pickers; milliseconds are taken as 999
  AviCaptionItems caption;
  // Whether the display shows at least 24 bits per pixel; without, the
  // caption is not drawn.
  bool trueColorDisplay = true;
  SpeedSource speedSource;  // CurrentModel and DisplaySpeed of the settings
  int pulseType = -1;       // the card's CARPULSETYPE; -1 unknown
};

// What is exported: the current recording first, then the loaded ones after
// it (a range may run on into them), and the frame the export starts at in
// the first.
struct AviExportSource {
  std::vector<CInfoEventFile*> recordings;
  int startFrame = 0;
};

// Whether the recording is exported as a time range (a normal recording)
// rather than whole (an event recording).
bool AviRangeMode(const CInfoEventFile& recording);

// The inputs as the dialog opens with them: the start at the start frame's
// time (frame 0 for an event recording), the end at the last frame's time,
// the file name proposed from the start, the fps list's last entry. The
// comment segment is that of the picture decoded last (see JpegFpsListSize).
AviExportInputs AviInputsOnOpening(const CInfoEventFile& recording, int startFrame,
                                   std::span<const unsigned char> lastCommentSegment, const std::string& folder);

// "%d%.2d%.2d_%.2d%.2d%.2d" of the range start.
std::string ProposeAviFileName(const DateTime& rangeStart);

// The checks of Start before the overwrite question, in their order: the
// range, the folder exists, it accepts a file, the file name; nothing when
// all pass.
std::optional<LangText> CheckAviInputs(const AviExportInputs& inputs);

// "<folder>/<trimmed file name>.avi".
std::string AviOutputPath(const AviExportInputs& inputs);

// The message box of an export's end: AVI OK, AVI Cancel or AVI Error.
LangText AviResultMessage(ExportResult result);

enum class AviStart {
  kStarted,   // the worker runs; the end callback will follow
  kInvalid,   // a check failed: show its message
  kDeclined,  // the user would not overwrite the existing file
  kBusy,      // an export runs already
  kFailed,    // no worker could be started: show AVI Error
};

struct AviStartResult {
  AviStart outcome = AviStart::kFailed;
  std::optional<LangText> message;
};

class AviExportJob {
 public:
  // painter draws the caption's texts on the worker thread; it may be null
  // when no caption is ever asked for.
  AviExportJob(UiQueue& ui, AviCaptionPainter* painter) : worker_(ui), painter_(painter) {}

  // The Start button. Questions and the true-colour warning go to prompt
  // on the calling (user-interface) thread.
  AviStartResult Start(const AviExportInputs& inputs, const AviExportSource& source, Prompt& prompt,
                       std::function<void(ExportResult result)> onEnd);

  // The cancel word; the worker reads it before every frame and the writer
  // inside every run of empty samples. A cancelled export leaves no file
  // behind.
  void Cancel() { worker_.Cancel(); }
  bool Running() const { return worker_.Running(); }
  // Single: range 0..frames, position the frame. Range: 0..seconds of the
  // range + 1, position the seconds since the range start.
  const ExportProgress& Progress() const { return worker_.Progress(); }

  const std::string& OutputPath() const { return outputPath_; }
  // After the end: the stream's picture size, the samples in the film and
  // how many of them hold a picture (the rest are empty samples), whether
  // the pictures went in as recorded, whether a gap of more than five
  // seconds ended the film early (frames with damaged times are left out
  // instead, see FilmFrameTimes), and why the film could not be written.
  int Width() const { return width_; }
  int Height() const { return height_; }
  int64_t SampleCount() const { return sampleCount_; }
  int PictureCount() const { return pictureCount_; }
  bool StreamCopy() const { return streamCopy_; }
  bool StoppedAtGap() const { return stoppedAtGap_; }
  const std::string& Error() const { return error_; }

 private:
  struct Frame {
    CInfoEventFile* recording;
    int index;
  };

  ExportResult Export();
  bool FindPictureSize();
  void PrepareCaption(const CInfoEventFile& recording);
  // Hands frame's picture to the encode stage at position; a frame that
  // cannot be read, decoded or is of another size is left out.
  void HandOver(class AviEncodeStage& stage, const Frame& frame, int64_t position);
  // The frame's caption on a width x height picture.
  std::vector<CaptionStamp> CaptionStamps(const Frame& frame, int width, int height);

  ExportWorker worker_;
  AviCaptionPainter* painter_;
  AviExportInputs inputs_;
  AviExportSource source_;
  bool rangeMode_ = false;
  bool drawCaption_ = false;
  AviCaptionContext caption_;
  const CInfoEventFile* captionRecording_ = nullptr;
  // The worker reads picture sizes; the stage's threads have codecs of
  // their own.
  CStreamImage decoder_;
  std::vector<unsigned char> picture_;
  std::string outputPath_;
  OutputGuard guard_;
  Overwrite overwrite_ = Overwrite::kKeep;
  int width_ = 0;
  int height_ = 0;
  bool doubling_ = false;
  bool streamCopy_ = false;
  int64_t sampleCount_ = 0;
  int pictureCount_ = 0;
  bool stoppedAtGap_ = false;
  std::string error_;
};
