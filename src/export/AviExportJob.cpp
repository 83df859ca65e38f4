#include "export/AviExportJob.h"

#include <cstdio>
#include <thread>

#include "export/AviEncodeStage.h"
#include "export/AviWriter.h"
#include "export/ExportTarget.h"
#include "export/FilmFrameTimes.h"
#include "export/JpegSelection.h"
#include "export/TargetFolderCheck.h"
#include "platform/TimeKey.h"
#include "platform/Trace.h"
#include "recording/ExportGuard.h"
#include "recording/InfoEventFile.h"

namespace {

constexpr int kMillisecondsPerSecond = 1000;
constexpr uint16_t kRangeEndMilliseconds = 999;

DateTime WithMilliseconds(DateTime time, uint16_t milliseconds) {
  time.milliseconds = milliseconds;
  return time;
}

int64_t RangeStartKey(const AviExportInputs& inputs) { return MakeTimeKey(WithMilliseconds(inputs.rangeStart, 0)); }

int64_t RangeEndKey(const AviExportInputs& inputs) {
  return MakeTimeKey(WithMilliseconds(inputs.rangeEnd, kRangeEndMilliseconds));
}

bool HasGpsFix(const CInfoEventFile& recording) {
  for (const FRAMEINFOVIDEO& frame : recording.Frames()) {
    if (frame.gps.valid != 0) return true;
  }
  return false;
}

}  // namespace

bool AviRangeMode(const CInfoEventFile& recording) { return recording.EventCode() == 0; }

AviExportInputs AviInputsOnOpening(const CInfoEventFile& recording, int startFrame,
                                   std::span<const unsigned char> lastCommentSegment, const std::string& folder) {
  AviExportInputs inputs;
  inputs.folder = folder;
  const int start = AviRangeMode(recording) ? startFrame : 0;
  inputs.rangeStart = WithMilliseconds(recording.Frame(FirstTrustedFrame(recording, start)).time, 0);
  inputs.rangeEnd = WithMilliseconds(recording.Frame(LastTrustedFrame(recording)).time, kRangeEndMilliseconds);
  inputs.fileName = ProposeAviFileName(inputs.rangeStart);
  inputs.fps = JpegFpsListSize(recording, lastCommentSegment);
  return inputs;
}

std::string ProposeAviFileName(const DateTime& t) {
  char name[64];
  std::snprintf(name, sizeof name, "%d%.2d%.2d_%.2d%.2d%.2d", t.year, t.month, t.day, t.hour, t.minute, t.second);
  return name;
}

std::optional<LangText> CheckAviInputs(const AviExportInputs& inputs) {
  if (RangeStartKey(inputs) >= RangeEndKey(inputs)) return kMsgInvalidAviRange;
  if (const auto folder = CheckTargetFolder(inputs.folder)) return folder;
  if (TrimFileName(inputs.fileName).empty()) return kMsgEnterFileName;
  return std::nullopt;
}

std::string AviOutputPath(const AviExportInputs& inputs) {
  return inputs.folder + "/" + TrimFileName(inputs.fileName) + ".avi";
}

LangText AviResultMessage(ExportResult result) {
  if (result == ExportResult::kDone) return kMsgAviOK;
  if (result == ExportResult::kCancelled) return kMsgAviCancel;
  return kMsgAviError;
}

AviStartResult AviExportJob::Start(const AviExportInputs& inputs, const AviExportSource& source, Prompt& prompt,
                                   std::function<void(ExportResult)> onEnd) {
  if (worker_.Running()) return {AviStart::kBusy, std::nullopt};
  if (const auto failure = CheckAviInputs(inputs)) return {AviStart::kInvalid, failure};
  // The fps list never offers anything else; a caller that does gets the
  // general message rather than a division by zero.
  if (inputs.fps < 1 || inputs.fps > kJpegMaxFps) return {AviStart::kInvalid, kMsgInvalidInputdata};
  const std::string path = AviOutputPath(inputs);
  std::vector<std::string> sources;
  for (const CInfoEventFile* recording : source.recordings)
    if (recording) sources.push_back(recording->RecordingPath());
  const OutputGuard guard = ExportGuard(sources, inputs.folder);
  const TargetDecision target =
      DecideExportTarget(path, guard, prompt, MessageText(kMsgSameFileOverwrite), GuiText(kCaptionSaveAvi));
  if (target.verdict == TargetVerdict::kRefused) {
    error_ = target.refusal;
    return {AviStart::kFailed, kMsgAviError};
  }
  if (target.verdict == TargetVerdict::kDeclined) return {AviStart::kDeclined, std::nullopt};
  if (!inputs.trueColorDisplay && inputs.caption.Any())
    prompt.Show(MessageText(kMsgNoTrueColorOSDWarn), GuiText(kCaptionSaveAvi), PromptButtons::Ok);

  inputs_ = inputs;
  source_ = source;
  outputPath_ = path;
  guard_ = guard;
  overwrite_ = target.overwrite;
  rangeMode_ = !source_.recordings.empty() && source_.recordings.front() && AviRangeMode(*source_.recordings.front());
  if (!rangeMode_) {
    source_.startFrame = 0;
    // Only the current recording; erase rather than resize, which GCC's
    // release build flags as writing past a one-element array.
    if (source_.recordings.size() > 1)
      source_.recordings.erase(source_.recordings.begin() + 1, source_.recordings.end());
  }
  drawCaption_ = inputs.trueColorDisplay && inputs.caption.Any() && painter_ != nullptr;
  caption_ = AviCaptionContext{};
  caption_.items = inputs.caption;
  caption_.speedSource = inputs.speedSource;
  caption_.pulseType = inputs.pulseType;
  caption_.texts = LoadAviCaptionTexts();
  captionRecording_ = nullptr;
  width_ = height_ = 0;
  doubling_ = streamCopy_ = false;
  sampleCount_ = 0;
  pictureCount_ = 0;
  stoppedAtGap_ = false;
  error_.clear();
  picture_.resize(FRAMEDATA_MAXSIZE);
  if (!worker_.Start<ExportResult>([this] { return Export(); }, std::move(onEnd)))
    return {AviStart::kFailed, kMsgAviError};
  return {AviStart::kStarted, std::nullopt};
}

// The stream's size is that of the first picture that can be read from the
// start frame on; a half-height picture doubles its height.
bool AviExportJob::FindPictureSize() {
  if (source_.recordings.empty() || !source_.recordings.front() || source_.startFrame < 0) return false;
  CInfoEventFile& first = *source_.recordings.front();
  for (int i = source_.startFrame; i < first.FrameCount(); ++i) {
    const int count = first.ReadFrameData(i, picture_.data());
    if (count <= 0 || !decoder_.GetImageSize(picture_.data(), count, width_, height_)) continue;
    doubling_ = 2 * height_ < width_;
    if (doubling_) height_ *= 2;
    return true;
  }
  return false;
}

void AviExportJob::PrepareCaption(const CInfoEventFile& recording) {
  if (captionRecording_ == &recording) return;
  captionRecording_ = &recording;
  caption_.recordingHasGps = HasGpsFix(recording);
  caption_.vehicleId = recording.Drid();
}

ExportResult AviExportJob::Export() {
  if (!FindPictureSize()) {
    error_ = outputPath_ + ": no picture to export";
    return ExportResult::kFailed;
  }
  // Without a caption or doubling, the recorded pictures are what the film
  // holds: copying them loses nothing and needs no codec.
  streamCopy_ = !drawCaption_ && !doubling_;
  AviWriter writer;
  if (!writer.Open(outputPath_, overwrite_, guard_, width_, height_, inputs_.fps)) {
    error_ = writer.Error();
    return ExportResult::kFailed;
  }
  // Empty samples are written in runs; a cancel stops a run too.
  writer.WatchCancel(&worker_.CancelWord());
  AviEncodeStage stage(writer, width_, height_, doubling_);
  if (!stage.Start()) {
    error_ = outputPath_ + ": no encoder thread";
    return ExportResult::kFailed;
  }

  ExportProgress& progress = worker_.Progress();
  const int64_t step = kMillisecondsPerSecond / inputs_.fps;
  const int64_t rangeStart = RangeStartKey(inputs_);
  const int64_t rangeEnd = RangeEndKey(inputs_);
  CInfoEventFile& first = *source_.recordings.front();
  progress.high =
      rangeMode_ ? static_cast<int>((rangeEnd - rangeStart) / kMillisecondsPerSecond + 1) : first.FrameCount();
  int64_t next = JpegFrameTime(first.Frame(FirstTrustedFrame(first, source_.startFrame)).time);
  int64_t position = 0;
  bool cancelled = false;

  for (size_t r = 0; r < source_.recordings.size() && !cancelled && !stoppedAtGap_; ++r) {
    CInfoEventFile* recording = source_.recordings[r];
    if (!recording) continue;
    const int from = r == 0 ? source_.startFrame : 0;
    bool pastEnd = false;
    for (int i = from; i < recording->FrameCount(); ++i) {
      if (worker_.CancelRequested()) {
        cancelled = true;
        break;
      }
      std::this_thread::yield();
      if (!rangeMode_) progress.pos = i;
      if (FrameTimeDamaged(*recording, i)) continue;
      const int64_t time = JpegFrameTime(recording->Frame(i).time);
      if (rangeMode_ && time > rangeEnd) {
        pastEnd = true;
        break;
      }
      if (time < next) continue;
      if (BeyondLongestGap(next, time)) {
        KTRACE("불연속 구간 감지");
        stoppedAtGap_ = true;
        break;
      }
      if (rangeMode_) progress.pos = static_cast<int>((time - rangeStart) / kMillisecondsPerSecond);
      // The samples the recording has no frame for stay empty, before the
      // frame, so that every picture keeps its place in time.
      if (time - next >= step) {
        const int64_t empty = (time - next) / step;
        KTRACE("Add null : %d", static_cast<int>(empty));
        position += empty;
        next = time;
      }
      HandOver(stage, {recording, i}, position);
      ++position;
      next += step;
    }
    if (pastEnd) break;
  }

  if (cancelled) {
    stage.Abandon();
    pictureCount_ = stage.Written();
    writer.Discard();
    return ExportResult::kCancelled;
  }
  const bool written = stage.Finish();
  pictureCount_ = stage.Written();
  if (!written || !writer.Close(position)) {
    // A cancel that stopped a run of empty samples is still a cancel.
    if (worker_.CancelRequested()) return ExportResult::kCancelled;
    error_ = writer.Error();
    return ExportResult::kFailed;
  }
  sampleCount_ = position;
  progress.pos = progress.high.load();
  return ExportResult::kDone;
}

void AviExportJob::HandOver(AviEncodeStage& stage, const Frame& frame, int64_t position) {
  const int count = frame.recording->ReadFrameData(frame.index, picture_.data());
  if (count <= 0) return;
  std::vector<unsigned char> source(picture_.begin(), picture_.begin() + count);
  if (!streamCopy_) {
    // The caption is laid out and drawn here, where the painter lives; the
    // stage's threads decode, stamp and encode.
    std::vector<CaptionStamp> stamps;
    if (drawCaption_) stamps = CaptionStamps(frame, width_, height_);
    stage.SubmitPicture(position, std::move(source), std::move(stamps));
    return;
  }
  int width = 0;
  int height = 0;
  if (!decoder_.GetImageSize(source.data(), count, width, height) || width != width_ || height != height_) return;
  stage.SubmitCopy(position, std::move(source));
}

std::vector<CaptionStamp> AviExportJob::CaptionStamps(const Frame& frame, int width, int height) {
  PrepareCaption(*frame.recording);
  return painter_->Render(width, height,
                          LayOutAviCaption(caption_, frame.recording->Frame(frame.index), width, height));
}
