#include "export/Mp4ExportJob.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <thread>

#include "export/ExportTarget.h"
#include "export/FilmCues.h"
#include "export/FilmFrameTimes.h"
#include "export/JpegSelection.h"
#include "export/Mp4Writer.h"
#include "export/TargetFolderCheck.h"
#include "platform/TimeKey.h"
#include "recording/ExportGuard.h"
#include "recording/InfoEventFile.h"

namespace {

constexpr int64_t kMillisecondsPerSecond = 1000;
constexpr uint16_t kRangeEndMilliseconds = 999;
constexpr int kDefaultFps = 30;
constexpr int kMostFps = 60;

struct QualityRow {
  Mp4Quality quality;
  std::string_view key;
  int crf;
};
constexpr std::array kQualities = {QualityRow{Mp4Quality::kHigh, "high", 18},
                                   QualityRow{Mp4Quality::kMedium, "medium", 23},
                                   QualityRow{Mp4Quality::kSmall, "small", 28}};

const QualityRow& RowOf(Mp4Quality quality) {
  return *std::find_if(kQualities.begin(), kQualities.end(),
                       [quality](const QualityRow& r) { return r.quality == quality; });
}

DateTime WithMilliseconds(DateTime time, uint16_t milliseconds) {
  time.milliseconds = milliseconds;
  return time;
}

int64_t RangeStartKey(const Mp4ExportInputs& inputs) { return MakeTimeKey(WithMilliseconds(inputs.rangeStart, 0)); }
int64_t RangeEndKey(const Mp4ExportInputs& inputs) {
  return MakeTimeKey(WithMilliseconds(inputs.rangeEnd, kRangeEndMilliseconds));
}

bool HasGpsFix(const CInfoEventFile& recording) {
  return std::any_of(recording.Frames().begin(), recording.Frames().end(),
                     [](const FRAMEINFOVIDEO& f) { return f.gps.valid != 0; });
}

// Each line of a half-height picture twice, as Save AVI doubles it.
void DoubleLines(const YuvPicture& half, YuvPicture& full) {
  full.Resize(half.width, half.height * 2);
  const auto doublePlane = [](const unsigned char* from, int width, int lines, unsigned char* to) {
    for (int y = 0; y < lines; ++y) {
      const unsigned char* row = from + static_cast<size_t>(y) * width;
      std::memcpy(to + static_cast<size_t>(2 * y) * width, row, static_cast<size_t>(width));
      std::memcpy(to + static_cast<size_t>(2 * y + 1) * width, row, static_cast<size_t>(width));
    }
  };
  doublePlane(half.luma.data(), half.width, half.height, full.luma.data());
  doublePlane(half.blue.data(), half.ChromaWidth(), half.ChromaHeight(), full.blue.data());
  doublePlane(half.red.data(), half.ChromaWidth(), half.ChromaHeight(), full.red.data());
}

// The recorder's rate over the film's frames, a hint for the encoder.
int FpsHint(const std::vector<FilmFrame>& frames) {
  if (frames.size() < 2) return kDefaultFps;
  const int64_t span = frames.back().timeMs - frames.front().timeMs;
  if (span <= 0) return kDefaultFps;
  const int64_t fps = (static_cast<int64_t>(frames.size() - 1) * kMillisecondsPerSecond + span / 2) / span;
  return static_cast<int>(std::clamp<int64_t>(fps, 1, kMostFps));
}

std::optional<std::string> FirstFixLocation(const std::vector<FilmFrame>& frames) {
  for (const FilmFrame& f : frames) {
    const GpsBlock& gps = f.recording->Frame(f.index).gps;
    if (gps.valid != 0) return Iso6709Location(gps.LatitudeDegrees(), gps.LongitudeDegrees());
  }
  return std::nullopt;
}

}  // namespace

int Mp4Crf(Mp4Quality quality) { return RowOf(quality).crf; }
std::string_view Mp4QualityKey(Mp4Quality quality) { return RowOf(quality).key; }

std::optional<Mp4Quality> Mp4QualityFromKey(std::string_view key) {
  for (const QualityRow& r : kQualities)
    if (r.key == key) return r.quality;
  return std::nullopt;
}

SpeedUnit Mp4UnitOnOpening(std::string_view remembered, SpeedUnit shown) {
  return SpeedUnitFromKey(remembered).value_or(shown);
}

std::string Mp4UnitToRemember(SpeedUnit chosen, SpeedUnit shown) {
  return chosen == shown ? std::string() : std::string(SpeedUnitKey(chosen));
}

Mp4ExportInputs Mp4InputsOnOpening(const CInfoEventFile& recording, int startFrame, const std::string& folder) {
  Mp4ExportInputs inputs;
  inputs.folder = folder;
  const int start = AviRangeMode(recording) ? startFrame : 0;
  inputs.rangeStart = WithMilliseconds(recording.Frame(FirstTrustedFrame(recording, start)).time, 0);
  inputs.rangeEnd = WithMilliseconds(recording.Frame(LastTrustedFrame(recording)).time, kRangeEndMilliseconds);
  inputs.fileName = ProposeAviFileName(inputs.rangeStart);
  return inputs;
}

std::optional<LangText> CheckMp4Inputs(const Mp4ExportInputs& inputs) {
  if (RangeStartKey(inputs) >= RangeEndKey(inputs)) return kMsgInvalidMp4Range;
  if (const auto folder = CheckTargetFolder(inputs.folder)) return folder;
  if (TrimFileName(inputs.fileName).empty()) return kMsgEnterFileName;
  return std::nullopt;
}

std::string Mp4OutputPath(const Mp4ExportInputs& inputs) {
  return inputs.folder + "/" + TrimFileName(inputs.fileName) + ".mp4";
}

std::string Mp4GpxPath(const Mp4ExportInputs& inputs) {
  return inputs.folder + "/" + TrimFileName(inputs.fileName) + ".gpx";
}

LangText Mp4ResultMessage(ExportResult result) {
  if (result == ExportResult::kDone) return kMsgMp4OK;
  if (result == ExportResult::kCancelled) return kMsgMp4Cancel;
  return kMsgMp4Error;
}

std::string Iso6709Location(double latitude, double longitude) {
  char text[40];
  std::snprintf(text, sizeof text, "%+08.4f%+09.4f/", latitude, longitude);
  return text;
}

std::string UtcCreationTime(int64_t timeKey) {
  const std::time_t seconds = static_cast<std::time_t>(timeKey / kMillisecondsPerSecond);
  std::tm utc{};
  gmtime_r(&seconds, &utc);
  char text[96];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03d000Z", utc.tm_year + 1900, utc.tm_mon + 1,
                utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec, static_cast<int>(timeKey % kMillisecondsPerSecond));
  return text;
}

std::vector<FilmFrame> SelectFilmFrames(const std::vector<CInfoEventFile*>& recordings, int startFrame, bool rangeMode,
                                        int64_t rangeEndMs, bool& stoppedAtGap) {
  std::vector<FilmFrame> frames;
  stoppedAtGap = false;
  if (recordings.empty() || !recordings.front() || startFrame < 0) return frames;
  const size_t count = rangeMode ? recordings.size() : 1;
  const int first = FirstTrustedFrame(*recordings.front(), startFrame);
  for (size_t r = 0; r < count; ++r) {
    CInfoEventFile* recording = recordings[r];
    if (!recording) continue;
    for (int i = r == 0 ? first : 0; i < recording->FrameCount(); ++i) {
      if (FrameTimeDamaged(*recording, i)) continue;
      const int64_t time = JpegFrameTime(recording->Frame(i).time);
      if (rangeMode && time > rangeEndMs) return frames;
      if (!frames.empty() && time <= frames.back().timeMs) continue;
      if (!frames.empty() && BeyondLongestGap(frames.back().timeMs, time)) {
        stoppedAtGap = true;
        return frames;
      }
      frames.push_back({recording, i, time});
    }
  }
  return frames;
}

AviStartResult Mp4ExportJob::Start(const Mp4ExportInputs& inputs, const AviExportSource& source, Prompt& prompt,
                                   std::function<void(ExportResult)> onEnd) {
  if (worker_.Running()) return {AviStart::kBusy, std::nullopt};
  if (const auto failure = CheckMp4Inputs(inputs)) return {AviStart::kInvalid, failure};
  const std::string path = Mp4OutputPath(inputs);
  std::vector<std::string> sources;
  for (const CInfoEventFile* recording : source.recordings)
    if (recording) sources.push_back(recording->RecordingPath());
  const OutputGuard guard = ExportGuard(sources, inputs.folder);
  const std::string question = MessageText(kMsgSameFileOverwrite);
  const std::string caption = GuiText(kCaptionSaveMp4);
  const TargetDecision target = DecideExportTarget(path, guard, prompt, question, caption);
  if (target.verdict == TargetVerdict::kRefused) {
    error_ = target.refusal;
    return {AviStart::kFailed, kMsgMp4Error};
  }
  if (target.verdict == TargetVerdict::kDeclined) return {AviStart::kDeclined, std::nullopt};
  TargetDecision gpx;
  if (inputs.gpx) {
    gpx = DecideExportTarget(Mp4GpxPath(inputs), guard, prompt, question, caption);
    if (gpx.verdict == TargetVerdict::kRefused) {
      error_ = gpx.refusal;
      return {AviStart::kFailed, kMsgMp4Error};
    }
    if (gpx.verdict == TargetVerdict::kDeclined) return {AviStart::kDeclined, std::nullopt};
  }

  inputs_ = inputs;
  source_ = source;
  outputPath_ = path;
  gpxPath_ = inputs.gpx ? Mp4GpxPath(inputs) : std::string();
  guard_ = guard;
  overwrite_ = target.overwrite;
  gpxOverwrite_ = gpx.overwrite;
  rangeMode_ = !source_.recordings.empty() && source_.recordings.front() && AviRangeMode(*source_.recordings.front());
  if (!rangeMode_) source_.startFrame = 0;
  drawOverlays_ = inputs.overlays.Any() && painter_ != nullptr;
  width_ = height_ = 0;
  doubling_ = false;
  frames_ = durationMs_ = cues_ = 0;
  stoppedAtGap_ = false;
  error_.clear();
  picture_.resize(FRAMEDATA_MAXSIZE);
  if (!worker_.Start<ExportResult>([this] { return Export(); }, std::move(onEnd)))
    return {AviStart::kFailed, kMsgMp4Error};
  return {AviStart::kStarted, std::nullopt};
}

bool Mp4ExportJob::FindPictureSize(const std::vector<FilmFrame>& frames) {
  for (const FilmFrame& f : frames) {
    const int count = f.recording->ReadFrameData(f.index, picture_.data());
    if (count <= 0 || !decoder_.GetImageSize(picture_.data(), count, width_, height_)) continue;
    doubling_ = 2 * height_ < width_;
    if (doubling_) height_ *= 2;
    return true;
  }
  return false;
}

bool Mp4ExportJob::Picture(const FilmFrame& frame, FilmTelemetry& telemetry, YuvPicture& planes) {
  const int count = frame.recording->ReadFrameData(frame.index, picture_.data());
  if (count <= 0) return false;
  if (!decoder_.DecodeToYuv(picture_.data(), count, doubling_ ? decoded_ : planes)) return false;
  if (doubling_) {
    if (2 * decoded_.height >= decoded_.width) return false;
    DoubleLines(decoded_, planes);
  }
  if (planes.width != width_ || planes.height != height_) return false;
  if (drawOverlays_) {
    const OverlayScene scene = telemetry.Next(frame.timeMs, frame.recording->Frame(frame.index), width_, height_);
    StampYuv(planes, painter_->Render(scene));
  }
  return true;
}

ExportResult Mp4ExportJob::Export() {
  const std::vector<FilmFrame> frames =
      SelectFilmFrames(source_.recordings, source_.startFrame, rangeMode_, RangeEndKey(inputs_), stoppedAtGap_);
  if (frames.empty() || !FindPictureSize(frames)) {
    error_ = outputPath_ + ": no picture to export";
    return ExportResult::kFailed;
  }
  Mp4Setup setup;
  setup.width = width_;
  setup.height = height_;
  setup.crf = Mp4Crf(inputs_.quality);
  setup.fpsHint = FpsHint(frames);
  setup.creationTime = UtcCreationTime(frames.front().timeMs);
  setup.location = FirstFixLocation(frames);
  Mp4Writer writer;
  if (!writer.Open(outputPath_, overwrite_, guard_, setup)) {
    error_ = writer.Error();
    return ExportResult::kFailed;
  }

  FilmOverlayContext context;
  context.items = inputs_.overlays;
  context.caption.speedSource = inputs_.speedSource;
  context.caption.pulseType = inputs_.pulseType;
  LoadFilmOverlayTexts(context);
  context.unit = inputs_.unit;
  const std::string noFix = context.caption.texts.noGpsSignal;
  FilmTelemetry telemetry(std::move(context));

  // The film's times are known before the first picture: each cue can go
  // in with its picture, whole.
  const int64_t first = frames.front().timeMs;
  std::vector<CuePicture> pictures;
  pictures.reserve(frames.size());
  for (const FilmFrame& f : frames) pictures.push_back({f.timeMs - first, &f.recording->Frame(f.index)});
  const int64_t lastStep = frames.size() > 1 ? frames.back().timeMs - frames[frames.size() - 2].timeMs
                                             : kMillisecondsPerSecond / kDefaultFps;
  const int64_t end = pictures.back().ptsMs + lastStep;
  const std::vector<FilmCue> cues = FilmCuesOf(pictures, end, inputs_.unit, noFix, inputs_.pulseType);

  ExportProgress& progress = worker_.Progress();
  progress.high = static_cast<int>(frames.size());
  const CInfoEventFile* recording = nullptr;
  YuvPicture planes;
  size_t nextCue = 0;
  int64_t lastWritten = -1;
  for (size_t i = 0; i < frames.size(); ++i) {
    if (worker_.CancelRequested()) {
      writer.Discard();
      return ExportResult::kCancelled;
    }
    std::this_thread::yield();
    progress.pos = static_cast<int>(i);
    const FilmFrame& frame = frames[i];
    if (frame.recording != recording) {
      recording = frame.recording;
      telemetry.UseRecording(recording->Drid(), HasGpsFix(*recording));
    }
    // A picture that cannot be read keeps the one before it on screen
    // until the next one's time.
    if (!Picture(frame, telemetry, planes)) continue;
    for (; nextCue < cues.size() && cues[nextCue].picture <= i; ++nextCue)
      writer.WriteCue(cues[nextCue].startMs, cues[nextCue].durationMs, cues[nextCue].text);
    if (!writer.WritePicture(pictures[i].ptsMs, planes)) break;
    lastWritten = pictures[i].ptsMs;
  }

  OutputFile gpx;
  if (!gpxPath_.empty()) {
    if (gpx.Open(gpxPath_, gpxOverwrite_, guard_))
      gpx.Write(FilmGpxText(std::filesystem::path(outputPath_).filename().string(), cues));
    if (!gpx.IsOpen() || gpx.Failed()) {
      error_ = gpx.Error();
      writer.Discard();
      return ExportResult::kFailed;
    }
  }
  if (worker_.CancelRequested()) {
    writer.Discard();
    return ExportResult::kCancelled;
  }
  cues_ = writer.Cues();
  if (!writer.Close(end - std::max<int64_t>(lastWritten, 0))) {
    error_ = writer.Error();
    return ExportResult::kFailed;
  }
  frames_ = writer.Pictures();
  if (!gpxPath_.empty() && !gpx.Commit()) {
    error_ = gpx.Error();
    return ExportResult::kFailed;
  }
  durationMs_ = end;
  progress.pos = progress.high.load();
  return ExportResult::kDone;
}
