#include "export/TrackExportJob.h"

#include <filesystem>

#include "export/ExportTarget.h"
#include "export/TargetFolderCheck.h"
#include "recording/ExportGuard.h"

namespace {

// The text goes to the file in pieces of about this size, so the text
// being built stays in the cache.
constexpr size_t kWriteChunk = 64 * 1024;

std::string FolderOf(const std::string& path) {
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  return folder.empty() ? std::string(".") : folder.string();
}

std::vector<std::string> SourcePaths(const std::vector<TrackSource>& sources) {
  std::vector<std::string> paths;
  for (const TrackSource& source : sources)
    if (std::string path = SourcePath(source); !path.empty()) paths.push_back(std::move(path));
  return paths;
}

}  // namespace

std::optional<LangText> CheckTrackOutput(const std::string& outputPath) {
  if (const auto folder = CheckTargetFolder(FolderOf(outputPath))) return folder;
  if (TrimFileName(std::filesystem::path(outputPath).filename().string()).empty()) return kMsgEnterFileName;
  return std::nullopt;
}

TrackStartResult TrackExportJob::Start(const TrackFormat& format, const std::string& outputPath,
                                       std::vector<TrackSource> sources, int pulseType, Prompt& prompt,
                                       std::function<void(ExportResult)> onEnd) {
  if (worker_.Running()) return {TrackStart::kBusy, std::nullopt};
  if (const auto message = CheckTrackOutput(outputPath)) return {TrackStart::kInvalid, message};
  return Start(format.makeWriter(), TrackTarget{outputPath}, std::move(sources), pulseType, prompt, std::move(onEnd));
}

TrackStartResult TrackExportJob::Start(std::unique_ptr<TrackWriter> writer, const TrackTarget& target,
                                       std::vector<TrackSource> sources, int pulseType, Prompt& prompt,
                                       std::function<void(ExportResult)> onEnd) {
  if (worker_.Running()) return {TrackStart::kBusy, std::nullopt};
  const OutputGuard guard = ExportGuard(SourcePaths(sources), FolderOf(target.path));
  const TargetDecision decision =
      DecideExportTarget(target.path, guard, prompt, MessageText(kMsgSameFileOverwrite), GuiText(target.caption));
  error_ = decision.refusal;
  if (decision.verdict == TargetVerdict::kRefused) return {TrackStart::kFailed, std::nullopt};
  if (decision.verdict == TargetVerdict::kDeclined) return {TrackStart::kDeclined, std::nullopt};
  if (target.createFirst) {
    OutputFile probe;
    if (!probe.Open(target.path, decision.overwrite, guard)) return {TrackStart::kFailed, std::nullopt};
    probe.Discard();
  }
  writer_ = std::move(writer);
  outputPath_ = target.path;
  guard_ = guard;
  overwrite_ = decision.overwrite;
  sources_ = std::move(sources);
  pulseType_ = pulseType;
  error_.clear();
  if (!worker_.Start<ExportResult>([this] { return Write(); }, std::move(onEnd)))
    return {TrackStart::kFailed, std::nullopt};
  return {TrackStart::kStarted, std::nullopt};
}

ExportResult TrackExportJob::Write() {
  OutputFile file;
  if (!file.Open(outputPath_, overwrite_, guard_)) {
    error_ = file.Error();
    return ExportResult::kFailed;
  }
  ExportProgress& progress = worker_.Progress();
  progress.parts = static_cast<int>(sources_.size());
  std::string out;
  out.reserve(kWriteChunk + kWriteChunk / 4);
  writer_->Begin(out);
  for (size_t s = 0; s < sources_.size() && !worker_.CancelRequested(); ++s) {
    const std::vector<TrackPoint> points = TrackPointsOf(sources_[s], pulseType_);
    progress.part = static_cast<int>(s) + 1;
    progress.high = static_cast<int>(points.size());
    progress.pos = 0;
    writer_->BeginSource(out, sources_[s]);
    for (size_t i = 0; i < points.size(); ++i) {
      progress.pos = static_cast<int>(i) + 1;
      writer_->Point(out, points[i]);
      if (out.size() >= kWriteChunk) {
        file.Write(out);
        out.clear();
      }
    }
    writer_->EndSource(out);
    file.Write(out);
    out.clear();
  }
  progress.pos = 0;
  writer_->End(out);
  file.Write(out);
  progress.part = 0;
  return End(file);
}

// A cancel leaves the old file, if any, as it was.
ExportResult TrackExportJob::End(OutputFile& file) {
  if (worker_.CancelRequested()) {
    file.Discard();
    return ExportResult::kCancelled;
  }
  if (!file.Commit()) {
    error_ = file.Error();
    return ExportResult::kFailed;
  }
  return ExportResult::kDone;
}
