#include "export/TrackExportJob.h"

#include <filesystem>

#include "export/CsvDocument.h"
#include "export/ExportTarget.h"
#include "export/GpxDocument.h"
#include "export/TargetFolderCheck.h"
#include "export/TrackPoints.h"
#include "recording/ExportGuard.h"
#include "recording/InfoEventFile.h"
#include "recording/InfoLogFile.h"

namespace {

std::string FolderOf(const std::string& path) {
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  return folder.empty() ? std::string(".") : folder.string();
}

std::vector<TrackPoint> PointsOf(const TrackSource& source, int pulseType) {
  if (source.video) return TrackPointsOf(*source.video, pulseType);
  if (source.log) return TrackPointsOf(*source.log, pulseType);
  return {};
}

}  // namespace

std::optional<ExportMessage> CheckTrackOutput(const std::string& outputPath) {
  if (const auto folder = CheckTargetFolder(FolderOf(outputPath))) return folder;
  if (TrimFileName(std::filesystem::path(outputPath).filename().string()).empty()) return kMsgEnterFileName;
  return std::nullopt;
}

TrackStartResult TrackExportJob::Start(TrackFormat format, const std::string& outputPath,
                                       std::vector<TrackSource> sources, int pulseType, Prompt& prompt,
                                       std::function<void(int)> onEnd) {
  if (worker_.Running()) return {TrackStart::kBusy, std::nullopt};
  if (const auto message = CheckTrackOutput(outputPath)) return {TrackStart::kInvalid, message};
  std::vector<std::string> inputs;
  for (const TrackSource& source : sources) {
    if (source.video) inputs.push_back(source.video->RecordingPath());
    if (source.log) inputs.push_back(source.log->Path());
  }
  const OutputGuard guard = ExportGuard(inputs, FolderOf(outputPath));
  const TargetDecision target =
      DecideExportTarget(outputPath, guard, prompt, MessageText(kMsgSameFileOverwrite), CaptionText(kCaptionSaveTrack));
  error_ = target.refusal;
  if (target.verdict == TargetVerdict::kRefused) return {TrackStart::kFailed, std::nullopt};
  if (target.verdict == TargetVerdict::kDeclined) return {TrackStart::kDeclined, std::nullopt};
  format_ = format;
  outputPath_ = outputPath;
  guard_ = guard;
  overwrite_ = target.overwrite;
  sources_ = std::move(sources);
  pulseType_ = pulseType;
  written_ = 0;
  error_.clear();
  if (!worker_.Start([this] { return Write(); }, std::move(onEnd))) return {TrackStart::kFailed, std::nullopt};
  return {TrackStart::kStarted, std::nullopt};
}

int TrackExportJob::Write() {
  OutputFile file;
  if (!file.Open(outputPath_, overwrite_, guard_)) {
    error_ = file.Error();
    return kExportFailed;
  }
  ExportProgress& progress = worker_.Progress();
  progress.parts = static_cast<int>(sources_.size());
  const bool gpx = format_ == TrackFormat::kGpx;
  std::string out;
  if (gpx)
    AppendGpxStart(out);
  else
    out += kTrackCsvHeader;
  for (size_t s = 0; s < sources_.size() && !worker_.CancelRequested(); ++s) {
    const std::vector<TrackPoint> points = PointsOf(sources_[s], pulseType_);
    progress.part = static_cast<int>(s) + 1;
    progress.high = static_cast<int>(points.size());
    if (gpx) AppendGpxTrackStart(out, sources_[s].name);
    for (size_t i = 0; i < points.size(); ++i) {
      progress.pos = static_cast<int>(i) + 1;
      if (gpx && !points[i].fix) continue;
      if (gpx)
        AppendGpxPoint(out, points[i]);
      else
        AppendCsvRow(out, points[i]);
      ++written_;
    }
    if (gpx) AppendGpxTrackEnd(out);
    file.Write(out);
    out.clear();
  }
  if (gpx) AppendGpxEnd(out);
  file.Write(out);
  progress.pos = 0;
  progress.part = 0;
  if (worker_.CancelRequested()) {
    file.Discard();
    return kExportCancelled;
  }
  if (!file.Commit()) {
    error_ = file.Error();
    return kExportFailed;
  }
  return kExportDone;
}
