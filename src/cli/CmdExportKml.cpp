// korvane-cli export-kml LOG... -o OUT.kml [--interval S | --no-points]
// [--no-route] [--width W] [--opacity A] [--color C] [--units kmh|mph] [--yes]: the GPS track
// of logs as the KML export dialog writes it, its defaults read from the
// settings file as the dialog reads them.

#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <vector>

#include "base/AppSetting.h"
#include "cli/CliCommon.h"
#include "cli/CliLoad.h"
#include "cli/Commands.h"
#include "cli/ExportCli.h"
#include "cli/SpeedUnitOption.h"
#include "export/KmlExportJob.h"
#include "platform/Utf8.h"
#include "recording/ExportGuard.h"

namespace {

constexpr std::string_view kKmlSuffix = ".kml";

struct KmlRequest {
  std::vector<std::string> logs;
  std::string output;
  std::optional<int> interval;
  bool noPoints = false;
  bool noRoute = false;
  std::optional<int> width;
  std::optional<int> opacity;
  std::optional<std::string> color;
  SpeedUnit units = SpeedUnit::kKmh;
  bool yes = false;
};

// A colour as decimal or as 0xBBGGRR; -1 (never a list colour) otherwise.
int ParseColor(const std::string& text) {
  try {
    size_t used = 0;
    const long value = std::stol(text, &used, StartsWithNoCase(text, "0x") ? 16 : 10);
    if (used != text.size() || value < 0 || value > 0xFFFFFF) return -1;
    return static_cast<int>(value);
  } catch (const std::exception&) {
    return -1;
  }
}

KmlExportInputs InputsFor(const KmlRequest& request, const CAppSetting& setting) {
  const std::filesystem::path output(request.output);
  const std::string folder = output.parent_path().empty() ? "." : output.parent_path().string();
  KmlExportInputs in = KmlInputsFromSettings(setting.Kml(), folder);
  std::string name = output.filename().string();
  if (EndsWithNoCase(name, kKmlSuffix)) name.resize(name.size() - kKmlSuffix.size());
  in.fileName = name;
  if (request.interval) {
    in.pointer = true;
    in.pointerInterval = *request.interval;
  }
  if (request.noPoints) in.pointer = false;
  if (request.noRoute) in.route = false;
  if (request.width) in.lineWidth = *request.width;
  if (request.opacity) in.lineOpacity = *request.opacity;
  if (request.color) in.lineColor = ParseColor(*request.color);
  in.speedUnit = request.units;
  return in;
}

int RunExportKml(const KmlRequest& request) {
  CAppSetting setting;
  setting.LoadSetting();
  FindLangFile(setting);
  FailWritesBeyondFileSizeLimit();

  std::vector<std::unique_ptr<CInfoLogFile>> logs;
  for (const std::string& path : request.logs) {
    auto log = std::make_unique<CInfoLogFile>();
    WaitingLoadObserver observer;
    if (LoadLogForCli(path, *log, observer) == LoadStatus::kFailed) return kExitLoadFailed;
    logs.push_back(std::move(log));
  }
  const KmlExportInputs inputs = InputsFor(request, setting);
  if (const auto failure = CheckKmlInputs(inputs)) {
    PrintMessage(failure->message);
    return kExitLoadFailed;
  }
  if (!OutputAllowed(KmlOutputPath(inputs), ExportGuard(request.logs, inputs.folder), request.yes))
    return kExitLoadFailed;

  GSensorGraphModel logGraph;
  logGraph.LoadLogs(logs);
  std::vector<const CInfoLogFile*> loaded;
  for (const auto& log : logs) loaded.push_back(log.get());
  ManualUiQueue ui;
  OverwriteAnswer answer(request.yes);
  KmlExportJob job(ui);
  ExportResult result = ExportResult::kFailed;
  const KmlStartResult start = job.Start(inputs, loaded, &logGraph, answer, [&result](ExportResult r) { result = r; });
  switch (start.outcome) {
    case KmlStart::kStarted:
      break;
    case KmlStart::kDeclined:
      PrintNotOverwritten(KmlOutputPath(inputs));
      return kExitLoadFailed;
    case KmlStart::kInvalid:
    case KmlStart::kFailed:
    case KmlStart::kBusy:
      PrintMessage(start.failure ? start.failure->message : kMsgSaveLogFileFail);
      return kExitLoadFailed;
  }
  WaitForExportEnd(
      ui, [&job] { return job.Running(); }, [&job] { job.Cancel(); });
  if (result == ExportResult::kDone) {
    std::cout << job.OutputPath() << "\n";
    return kExitOk;
  }
  if (result == ExportResult::kCancelled) {
    PrintMessage(kMsgSaveLogFileCancel);
  } else {
    PrintError(MessageText(kMsgSaveLogFileFail) + (job.Error().empty() ? "" : " " + job.Error()));
  }
  return kExitLoadFailed;
}

}  // namespace

void AddExportKmlCommand(CLI::App& app, int& exitStatus) {
  auto* command = app.add_subcommand("export-kml", "Write the GPS track of logs as a KML file");
  auto request = std::make_shared<KmlRequest>();
  command->add_option("LOG", request->logs, "the log files (.log), in their time order")->required();
  command->add_option("-o,--output", request->output, "the KML file to write")->required();
  auto* interval = command->add_option("--interval", request->interval, "seconds between point marks (1..30)");
  auto* noPoints = command->add_flag("--no-points", request->noPoints, "no point marks");
  command->add_flag("--no-route", request->noRoute, "no route line");
  command->add_option("--width", request->width, "route line width (1..10)");
  command->add_option("--opacity", request->opacity, "route line opacity (0..255)");
  command->add_option("--color", request->color, "route line colour, one of the 16 of the list (decimal or 0xBBGGRR)");
  AddSpeedUnitOption(*command, request->units);
  command->add_flag("--yes", request->yes, "overwrite an existing file");
  interval->excludes(noPoints);
  command->callback([&exitStatus, request] { exitStatus = RunExportKml(*request); });
}
