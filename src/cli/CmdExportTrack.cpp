// korvane-cli export-gpx FILE... -o OUT.gpx, export-csv FILE... -o OUT.csv
// and a command so for every track format: the telemetry of video
// recordings (.vdd) and logs (.log), one point or row per frame or record.

#include <filesystem>
#include <iostream>
#include <memory>
#include <vector>

#include "cli/CliCommon.h"
#include "cli/CliLoad.h"
#include "cli/Commands.h"
#include "cli/ExportCli.h"
#include "export/TrackExportJob.h"
#include "platform/Utf8.h"
#include "recording/ExportGuard.h"

namespace {

struct TrackRequest {
  std::vector<std::string> files;
  std::string output;
  bool yes = false;
};

// The loaded files, each kept alive until the export has ended.
struct LoadedFiles {
  std::vector<std::unique_ptr<CInfoEventFile>> videos;
  std::vector<std::unique_ptr<CInfoLogFile>> logs;
  std::vector<TrackSource> sources;
};

bool LoadFile(const std::string& path, LoadedFiles& loaded) {
  WaitingLoadObserver observer;
  const std::string name = std::filesystem::path(path).filename().string();
  if (EndsWithNoCase(path, ".log")) {
    auto log = std::make_unique<CInfoLogFile>();
    if (LoadLogForCli(path, *log, observer) == LoadStatus::kFailed) return false;
    loaded.sources.push_back({name, nullptr, log.get()});
    loaded.logs.push_back(std::move(log));
    return true;
  }
  auto video = std::make_unique<CInfoEventFile>();
  if (LoadVideoForCli(path, *video, observer) == LoadStatus::kFailed) return false;
  loaded.sources.push_back({name, video.get(), nullptr});
  loaded.videos.push_back(std::move(video));
  return true;
}

int RunExportTrack(const TrackRequest& request, const TrackFormat& format) {
  UseProgramLanguage();
  FailWritesBeyondFileSizeLimit();
  LoadedFiles loaded;
  for (const std::string& path : request.files)
    if (!LoadFile(path, loaded)) return kExitLoadFailed;
  if (const auto message = CheckTrackOutput(request.output)) {
    PrintMessage(*message);
    return kExitLoadFailed;
  }
  const std::string folder = std::filesystem::path(request.output).parent_path().string();
  if (!OutputAllowed(request.output, ExportGuard(request.files, folder), request.yes)) return kExitLoadFailed;

  ManualUiQueue ui;
  OverwriteAnswer answer(request.yes);
  TrackExportJob job(ui);
  ExportResult result = ExportResult::kFailed;
  const TrackStartResult start =
      job.Start(format, request.output, std::move(loaded.sources), PulseTypeOfCardHolding(request.files.front()),
                answer, [&result](ExportResult r) { result = r; });
  if (start.outcome == TrackStart::kDeclined) {
    PrintNotOverwritten(request.output);
    return kExitLoadFailed;
  }
  if (start.outcome != TrackStart::kStarted) {
    if (start.message)
      PrintMessage(*start.message);
    else
      PrintError("cannot start the export");
    return kExitLoadFailed;
  }
  WaitForExportEnd(
      ui, [&job] { return job.Running(); }, [&job] { job.Cancel(); });
  if (result == ExportResult::kDone) {
    std::cout << request.output << "\n";
    return kExitOk;
  }
  PrintError(result == ExportResult::kCancelled ? "cancelled; nothing written" : "cannot write " + job.Error());
  return kExitLoadFailed;
}

void AddTrackCommand(CLI::App& app, int& exitStatus, const TrackFormat& format) {
  auto* command = app.add_subcommand(format.command, format.summary);
  auto request = std::make_shared<TrackRequest>();
  command->add_option("FILE", request->files, "video data files (.vdd) and logs (.log), in order")->required();
  command->add_option("-o,--output", request->output, format.outputHelp)->required();
  command->add_flag("--yes", request->yes, "overwrite an existing file");
  command->callback([&exitStatus, request, &format] { exitStatus = RunExportTrack(*request, format); });
}

}  // namespace

void AddTrackExportCommands(CLI::App& app, int& exitStatus) {
  for (const TrackFormat* format : TrackFormats()) AddTrackCommand(app, exitStatus, *format);
}
