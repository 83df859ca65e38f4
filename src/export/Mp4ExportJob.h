#pragma once
// The MP4 export: frames of the loaded video as an H.264 film whose pictures
// keep their recorded times, with the drive's data drawn in (FilmOverlays),
// a subtitle cue a second and, if asked, the cue points as a GPX file
// beside it. What it covers follows Save AVI: an event recording whole; a
// normal recording from its start frame through the following loaded
// recordings up to the range end, stopping at a gap of more than five
// seconds. The window's dialog and korvane-cli drive it the way they drive
// AviExportJob: opening values, checks in order, Start with the overwrite
// question, progress and cancel, one end callback.
//
// The recordings must stay loaded until the end has been delivered.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "export/AviExportJob.h"
#include "export/ExportMessages.h"
#include "export/ExportWorker.h"
#include "export/FilmOverlays.h"
#include "platform/DateTime.h"
#include "platform/OutputFile.h"
#include "platform/Prompt.h"
#include "recording/StreamImage.h"
#include "telemetry/SpeedUnit.h"

inline constexpr LangText kCaptionSaveMp4{"SaveMP4", "Save as MP4"};
inline constexpr LangText kMsgInvalidMp4Range{"InvalidMp4Range", "Invalid MP4 range."};
inline constexpr LangText kMsgMp4OK{"MP4OK", "MP4 OK"};
inline constexpr LangText kMsgMp4Cancel{"MP4Cancel", "MP4 Cancel"};
inline constexpr LangText kMsgMp4Error{"MP4Error", "MP4 Error"};

enum class Mp4Quality { kHigh, kMedium, kSmall };

// x264's constant rate factor of each choice: 18, 23, 28.
int Mp4Crf(Mp4Quality quality);
// "high", "medium", "small".
std::string_view Mp4QualityKey(Mp4Quality quality);
std::optional<Mp4Quality> Mp4QualityFromKey(std::string_view key);

struct Mp4ExportInputs {
  std::string folder;
  std::string fileName;  // without ".mp4"; trimmed before use
  DateTime rangeStart;   // milliseconds are taken as 0
  DateTime rangeEnd;     // milliseconds are taken as 999
  FilmOverlayItems overlays;
  Mp4Quality quality = Mp4Quality::kMedium;
  SpeedUnit unit = SpeedUnit::kKmh;
  bool gpx = false;         // the cue points beside the film
  SpeedSource speedSource;  // CurrentModel and DisplaySpeed of the settings
  int pulseType = -1;       // the card's CARPULSETYPE; -1 unknown
};

// The unit Save MP4 opens with: the one remembered from its last start,
// else the unit the window shows speeds in. And what a start remembers: the
// chosen unit when it differs from the window's, else nothing, so that the
// dialog keeps following the window's unit until a film is made in another.
SpeedUnit Mp4UnitOnOpening(std::string_view remembered, SpeedUnit shown);
std::string Mp4UnitToRemember(SpeedUnit chosen, SpeedUnit shown);

// The range as Save AVI opens with it, the name proposed from its start.
Mp4ExportInputs Mp4InputsOnOpening(const CInfoEventFile& recording, int startFrame, const std::string& folder);

// The range, the folder exists, it accepts a file, the file name; nothing
// when all pass.
std::optional<LangText> CheckMp4Inputs(const Mp4ExportInputs& inputs);

// "<folder>/<trimmed file name>.mp4" and the GPX file beside it.
std::string Mp4OutputPath(const Mp4ExportInputs& inputs);
std::string Mp4GpxPath(const Mp4ExportInputs& inputs);

// MP4 OK, MP4 Cancel or MP4 Error.
LangText Mp4ResultMessage(ExportResult result);

// "+37.5665+126.9780/": four decimals (about 10 m), all the MP4 tag keeps.
std::string Iso6709Location(double latitude, double longitude);
// The time key as UTC, "2024-06-14T07:30:00.250000Z".
std::string UtcCreationTime(int64_t timeKey);

// One picture of the film: which frame, at which time key.
struct FilmFrame {
  CInfoEventFile* recording = nullptr;
  int index = 0;
  int64_t timeMs = 0;
};

// The frames a film holds, in order: from the start frame (the first
// trusted one from it) through the recordings after it while rangeMode,
// until the first frame past rangeEndMs or a gap of more than five seconds
// (then stoppedAtGap is set). Damaged times are left out, and so is a frame
// not later than the one before it, which no film time can hold.
std::vector<FilmFrame> SelectFilmFrames(const std::vector<CInfoEventFile*>& recordings, int startFrame, bool rangeMode,
                                        int64_t rangeEndMs, bool& stoppedAtGap);

class Mp4ExportJob {
 public:
  // painter draws the overlays on the worker thread; it may be null when
  // none is ever asked for.
  Mp4ExportJob(UiQueue& ui, FilmOverlayPainter* painter) : worker_(ui), painter_(painter) {}

  AviStartResult Start(const Mp4ExportInputs& inputs, const AviExportSource& source, Prompt& prompt,
                       std::function<void(ExportResult result)> onEnd);

  void Cancel() { worker_.Cancel(); }
  bool Running() const { return worker_.Running(); }
  // 0..frames of the film, position the frame.
  const ExportProgress& Progress() const { return worker_.Progress(); }

  const std::string& OutputPath() const { return outputPath_; }
  // After the end: the picture size, the pictures written, the film's
  // length, the cues, whether a gap ended the film and why it failed.
  int Width() const { return width_; }
  int Height() const { return height_; }
  int64_t Frames() const { return frames_; }
  int64_t DurationMs() const { return durationMs_; }
  int64_t Cues() const { return cues_; }
  bool StoppedAtGap() const { return stoppedAtGap_; }
  const std::string& Error() const { return error_; }

 private:
  ExportResult Export();
  bool FindPictureSize(const std::vector<FilmFrame>& frames);
  // The frame's picture in the film's size with its overlays; false when
  // it cannot be read or decoded or is of another size.
  bool Picture(const FilmFrame& frame, class FilmTelemetry& telemetry, YuvPicture& planes);

  ExportWorker worker_;
  FilmOverlayPainter* painter_;
  Mp4ExportInputs inputs_;
  AviExportSource source_;
  bool rangeMode_ = false;
  bool drawOverlays_ = false;
  CStreamImage decoder_;
  std::vector<unsigned char> picture_;
  YuvPicture decoded_;
  std::string outputPath_;
  std::string gpxPath_;
  OutputGuard guard_;
  Overwrite overwrite_ = Overwrite::kKeep;
  Overwrite gpxOverwrite_ = Overwrite::kKeep;
  int width_ = 0;
  int height_ = 0;
  bool doubling_ = false;
  int64_t frames_ = 0;
  int64_t durationMs_ = 0;
  int64_t cues_ = 0;
  bool stoppedAtGap_ = false;
  std::string error_;
};
