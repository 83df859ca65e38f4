#include "export/KmlExportJob.h"

#include <filesystem>
#include <memory>

#include "export/KmlColors.h"
#include "export/LogNameTime.h"
#include "export/TargetFolderCheck.h"
#include "platform/TimeKey.h"
#include "recording/InfoLogFile.h"
#include "recording/MgrDBSearch.h"

namespace {

constexpr const char* kKmlExtension = ".kml";
// The marks go to the file in pieces of about this size, so the text being
// built stays in the cache.
constexpr size_t kWriteChunk = 64 * 1024;

bool InRange(int value, int low, int high) { return value >= low && value <= high; }

}  // namespace

KmlExportInputs KmlInputsFromSettings(const KmlSetting& settings, const std::string& folder) {
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

namespace {

// The time of the first record with a fix, in the logs' order; the first
// log's start when there is none.
DateTime DocumentTime(const std::vector<const CInfoLogFile*>& logs) {
  for (const CInfoLogFile* log : logs) {
    for (int i = 0; i < log->RecordCount(); ++i) {
      const FRAMEINFOLOG* record = log->Record(i);
      if (record->gpsValid) return TimeKeyToDateTime(record->time / 1000 * 1000);
    }
  }
  return LogStartTime(*logs.front());
}

KmlWriterSetup WriterSetup(const KmlExportInputs& in, const std::vector<const CInfoLogFile*>& logs) {
  KmlWriterSetup setup;
  setup.pointer = in.pointer;
  setup.pointerInterval = in.pointerInterval;
  setup.route = in.route;
  setup.line = {in.lineColor, in.lineOpacity, in.lineWidth};
  setup.iconServer = in.iconServer;
  setup.texts = LoadKmlTexts(in.speedUnit);
  setup.documentTime = DocumentTime(logs);
  return setup;
}

}  // namespace

KmlStartResult KmlExportJob::Start(const KmlExportInputs& inputs, std::vector<const CInfoLogFile*> logs,
                                   const GSensorGraphModel* logGraph, Prompt& prompt,
                                   std::function<void(ExportResult)> onEnd) {
  if (job_.Running()) return {KmlStart::kBusy, std::nullopt};
  if (const auto failure = CheckKmlInputs(inputs)) return {KmlStart::kInvalid, failure};
  const KmlStartResult cannotCreate{KmlStart::kFailed, KmlCheckFailure{kMsgSaveLogFileFail, KmlField::kNone}};
  if (logs.empty()) return cannotCreate;
  std::vector<TrackSource> sources;
  for (const CInfoLogFile* log : logs)
    sources.push_back({std::filesystem::path(log->Path()).filename().string(), nullptr, log});
  const TrackTarget target{KmlOutputPath(inputs), kCaptionSaveLogFile, true};
  const TrackStartResult started = job_.Start(std::make_unique<KmlTrackWriter>(WriterSetup(inputs, logs), logGraph),
                                              target, std::move(sources), kUnknownPulseType, prompt, std::move(onEnd));
  if (started.outcome == TrackStart::kFailed) return cannotCreate;
  return {started.outcome, std::nullopt};
}
