#include "export/KmlExportJob.h"

#include "export/ExportTarget.h"
#include "export/KmlColors.h"
#include "export/LogNameTime.h"
#include "export/TargetFolderCheck.h"
#include "platform/TimeKey.h"
#include "platform/Trace.h"
#include "recording/ExportGuard.h"
#include "recording/InfoLogFile.h"

namespace {

constexpr const char* kKmlExtension = ".kml";
// The marks go to the file in pieces of about this size, so the text being
// built stays in the cache.
constexpr size_t kWriteChunk = 64 * 1024;

bool InRange(int value, int low, int high) { return value >= low && value <= high; }

}  // namespace

KmlExportInputs KmlInputsFromSettings(const KMLSETTING& settings, const std::string& folder) {
  KmlExportInputs inputs;
  inputs.folder = folder;
  inputs.pointer = settings.pointer != 0;
  inputs.pointerInterval = settings.pointerInterval;
  inputs.route = settings.route != 0;
  inputs.lineWidth = settings.lineWidth;
  inputs.lineOpacity = settings.lineOpacity;
  inputs.lineColor = KmlLineColorOrFirst(settings.lineColor);
  if (!settings.iconServer.empty()) inputs.iconServer = settings.iconServer;
  return inputs;
}

std::optional<KmlCheckFailure> CheckKmlInputs(const KmlExportInputs& in) {
  if (!in.pointer && !in.route) return KmlCheckFailure{kMsgInvalidInputdata, KmlField::kNone};
  if (in.pointer && !InRange(in.pointerInterval, kKmlIntervalMin, kKmlIntervalMax))
    return KmlCheckFailure{kMsgInvalidInputdata, KmlField::kInterval};
  if (in.route) {
    if (!InRange(in.lineWidth, kKmlLineWidthMin, kKmlLineWidthMax))
      return KmlCheckFailure{kMsgInvalidInputdata, KmlField::kLineWidth};
    if (!InRange(in.lineOpacity, kKmlOpacityMin, kKmlOpacityMax))
      return KmlCheckFailure{kMsgInvalidInputdata, KmlField::kLineOpacity};
    if (!IsKmlLineColor(in.lineColor)) return KmlCheckFailure{kMsgInvalidInputdata, KmlField::kLineColor};
  }
  if (const auto folder = CheckTargetFolder(in.folder)) return KmlCheckFailure{*folder, KmlField::kFolder};
  if (TrimFileName(in.fileName).empty()) return KmlCheckFailure{kMsgEnterFileName, KmlField::kFileName};
  return std::nullopt;
}

std::string KmlOutputPath(const KmlExportInputs& inputs) {
  return (std::filesystem::path(inputs.folder) / (TrimFileName(inputs.fileName) + kKmlExtension)).string();
}

KmlStartResult KmlExportJob::Start(const KmlExportInputs& inputs, std::vector<const CInfoLogFile*> logs,
                                   const GSensorGraphModel* logGraph, Prompt& prompt, std::function<void(int)> onEnd) {
  if (worker_.Running()) return {KmlStart::kBusy, std::nullopt};
  if (const auto failure = CheckKmlInputs(inputs)) return {KmlStart::kInvalid, failure};
  const std::string path = KmlOutputPath(inputs);
  std::vector<std::string> sources;
  for (const CInfoLogFile* log : logs) sources.push_back(log->Path());
  const OutputGuard guard = ExportGuard(sources, inputs.folder);
  const KmlStartResult cannotCreate{KmlStart::kFailed, KmlCheckFailure{kMsgSaveLogFileFail, KmlField::kNone}};
  const TargetDecision target =
      DecideExportTarget(path, guard, prompt, MessageText(kMsgSameFileOverwrite), CaptionText(kCaptionSaveLogFile));
  error_ = target.refusal;
  if (target.verdict == TargetVerdict::kRefused) return cannotCreate;
  if (target.verdict == TargetVerdict::kDeclined) return {KmlStart::kDeclined, std::nullopt};
  OutputFile probe;
  if (logs.empty() || !probe.Open(path, target.overwrite, guard)) return cannotCreate;
  probe.Discard();

  inputs_ = inputs;
  logs_ = std::move(logs);
  outputPath_ = path;
  guard_ = guard;
  overwrite_ = target.overwrite;
  error_.clear();
  markCount_ = 0;
  routeCount_ = 0;
  texts_ = LoadKmlTexts();
  haveEventPoints_ = logGraph != nullptr;
  if (logGraph) {
    std::vector<GRAPHPOINT> points;
    points.reserve(static_cast<size_t>(logGraph->PointCount()));
    for (int i = 0; i < logGraph->PointCount(); ++i) points.push_back(logGraph->Point(i));
    eventPoints_.LoadPoints(kViewModeLog, std::move(points));
  }
  if (!worker_.Start([this] { return Write(); }, std::move(onEnd))) return cannotCreate;
  return {KmlStart::kStarted, std::nullopt};
}

// The time of the first record with a fix, in the logs' order; the first
// log's start when there is none.
DateTime KmlExportJob::DocumentTime() const {
  for (const CInfoLogFile* log : logs_) {
    for (int i = 0; i < log->RecordCount(); ++i) {
      const FRAMEINFOLOG* record = log->Record(i);
      if (record->gpsValid) return TimeKeyToDateTime(record->time / 1000 * 1000);
    }
  }
  return LogStartTime(*logs_.front());
}

bool KmlExportJob::IsEventPoint(int64_t time) const {
  if (!haveEventPoints_) return false;
  const int found = eventPoints_.FindPointByTime(time, false);
  return found >= 0 && eventPoints_.Point(found).kind != 0;
}

int KmlExportJob::Write() {
  OutputFile file;
  if (!file.Open(outputPath_, overwrite_, guard_)) {
    error_ = file.Error();
    return kExportFailed;
  }
  const KmlExportInputs& in = inputs_;
  KTRACE("%d, %d, %d", in.pointerInterval, in.lineWidth, in.lineOpacity);
  ExportProgress& progress = worker_.Progress();
  const int64_t intervalMs = static_cast<int64_t>(in.pointerInterval) * 1000;

  std::string out(kUtf8ByteOrderMark);
  out.reserve(kWriteChunk + kWriteChunk / 4);
  AppendKmlHeader(out, texts_, DocumentTime(), in.iconServer, {in.lineColor, in.lineOpacity, in.lineWidth});
  if (in.pointer) AppendKmlPointFolderStart(out, texts_);
  std::string route;
  const int logCount = static_cast<int>(logs_.size());
  progress.parts = logCount;
  for (int l = 0; l < logCount && !worker_.CancelRequested(); ++l) {
    const CInfoLogFile& log = *logs_[static_cast<size_t>(l)];
    progress.part = l + 1;
    progress.high = log.RecordCount();
    progress.pos = 0;
    int64_t lastMark = 0;
    for (int i = 0; i < log.RecordCount(); ++i) {
      progress.pos = i + 1;
      const FRAMEINFOLOG& r = *log.Record(i);
      if (!r.gpsValid) continue;
      if (in.pointer && r.time - lastMark >= intervalMs) {
        AppendKmlPointMark(out, texts_, in.iconServer, {r.time, r.lat, r.lon, r.speed, r.course, IsEventPoint(r.time)});
        lastMark = r.time;
        ++markCount_;
        if (out.size() >= kWriteChunk) {
          file.Write(out);
          out.clear();
        }
      }
      if (in.route) {
        AppendKmlRoutePosition(route, r.lat, r.lon);
        ++routeCount_;
      }
    }
    file.Write(out);
    out.clear();
  }
  if (in.pointer) AppendKmlFolderEnd(out);
  progress.pos = 0;
  if (in.route) AppendKmlRoute(out, texts_, route);
  AppendKmlEnd(out);
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
