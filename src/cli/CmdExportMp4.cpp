// korvane-cli export-mp4 FILE.vdd [NEXT.vdd ...] -o OUT.mp4 [--from FRAME]
// [--until "YYYY-MM-DD HH:MM:SS"]
// [--overlay caption,speed,gmeter,graph,route,lamps|none]
// [--quality high|medium|small] [--units kmh|mph] [--gpx] [--model ID]
// [--yes] [--json]: a stretch of video as an H.264 MP4 film with the
// drive's data drawn in and a subtitle track, as the Save MP4 dialog
// writes it.

#include <iostream>
#include <memory>
#include <optional>
#include <vector>

#include "base/DisplaySpeed.h"
#include "cli/CliCommon.h"
#include "cli/CliLoad.h"
#include "cli/Commands.h"
#include "cli/ExportCli.h"
#include "cli/FilmCli.h"
#include "cli/JsonWriter.h"
#include "cli/SpeedUnitOption.h"
#include "export/Mp4ExportJob.h"
#include "export/render/QtFilmOverlayPainter.h"
#include "recording/ExportGuard.h"

namespace {

struct Mp4Request {
  std::vector<std::string> paths;
  std::string output;
  std::optional<int> startFrame;
  std::optional<std::string> end;
  std::string overlay = "none";
  std::string quality = "medium";
  SpeedUnit units = SpeedUnit::kKmh;
  bool gpx = false;
  int model = 0;
  std::string speedSource = "gps";
  bool yes = false;
  bool json = false;
};

// The inputs the dialog would hold after these options; nothing (and the
// message said) for a value its controls do not offer.
std::optional<Mp4ExportInputs> InputsFor(const Mp4Request& request, CInfoEventFile& recording) {
  const int startFrame = request.startFrame.value_or(0);
  const std::optional<FilmOverlayItems> overlays = FilmOverlaysFromKeys(request.overlay);
  const std::optional<Mp4Quality> quality = Mp4QualityFromKey(request.quality);
  if (startFrame < 0 || startFrame >= recording.FrameCount() || !overlays || !quality) {
    PrintMessage(kMsgInvalidInputdata);
    return std::nullopt;
  }
  Mp4ExportInputs inputs = Mp4InputsOnOpening(recording, startFrame, "");
  SplitOutputPath(request.output, ".mp4", inputs.folder, inputs.fileName);
  if (!ApplyRangeEnd(request.end, recording, inputs.rangeEnd)) return std::nullopt;
  inputs.overlays = *overlays;
  inputs.quality = *quality;
  inputs.unit = request.units;
  inputs.gpx = request.gpx;
  inputs.speedSource.currentModel = request.model;
  inputs.speedSource.displaySpeed = request.speedSource == "pulse" ? kDisplaySpeedPulse : kDisplaySpeedGps;
  inputs.pulseType = PulseTypeOfCardHolding(request.paths.front());
  return inputs;
}

void PrintJson(const Mp4ExportInputs& inputs, ExportResult result, const Mp4ExportJob& job) {
  std::cout << WriteJson(Json{{"path", job.OutputPath()},
                              {"result", result},
                              {"frames", job.Frames()},
                              {"width", job.Width()},
                              {"height", job.Height()},
                              {"duration_ms", job.DurationMs()},
                              {"overlays", FilmOverlayKeys(inputs.overlays)},
                              {"cues", job.Cues()},
                              {"stopped_at_gap", job.StoppedAtGap()}});
}

int RunExportMp4(const Mp4Request& request) {
  UseProgramLanguage();
  FailWritesBeyondFileSizeLimit();
  const std::optional<FilmRecordings> recordings = LoadFilmRecordings(request.paths);
  if (!recordings) return kExitLoadFailed;
  const std::optional<Mp4ExportInputs> inputs = InputsFor(request, *recordings->loaded.front());
  if (!inputs) return kExitLoadFailed;
  if (const auto message = CheckMp4Inputs(*inputs)) {
    PrintMessage(*message);
    return kExitLoadFailed;
  }
  const OutputGuard guard = ExportGuard(request.paths, inputs->folder);
  if (!OutputAllowed(Mp4OutputPath(*inputs), guard, request.yes)) return kExitLoadFailed;
  if (inputs->gpx && !OutputAllowed(Mp4GpxPath(*inputs), guard, request.yes)) return kExitLoadFailed;
  if (inputs->overlays.Any() && !EnsureTextRendering()) {
    PrintError("no renderer for the overlays");
    return kExitLoadFailed;
  }

  ManualUiQueue ui;
  std::unique_ptr<QtFilmOverlayPainter> painter;
  if (inputs->overlays.Any()) painter = std::make_unique<QtFilmOverlayPainter>();
  Mp4ExportJob job(ui, painter.get());
  FilmJobReport report{Mp4OutputPath(*inputs), kMsgMp4Error, Mp4ResultMessage, {}};
  if (request.json) report.printJson = [&](ExportResult result) { PrintJson(*inputs, result, job); };
  return RunFilmJob(job, *inputs, recordings->Source(request.startFrame.value_or(0)), request.yes, ui, report);
}

}  // namespace

void AddExportMp4Command(CLI::App& app, int& exitStatus) {
  auto* command =
      app.add_subcommand("export-mp4", "Save a stretch of video as an H.264 MP4 film with the drive's data");
  auto request = std::make_shared<Mp4Request>();
  command
      ->add_option("FILES", request->paths,
                   "the recording's data file (.vdd), then the loaded recordings a range may run on into")
      ->required();
  command->add_option("-o,--output", request->output, "the film, OUT.mp4")->required();
  command->add_option("--from", request->startFrame, "where a normal recording's range starts (default 0)");
  command->add_option("--until", request->end,
                      "a normal recording's range end, \"YYYY-MM-DD HH:MM:SS\" (default: its last frame)");
  command->add_option("--overlay", request->overlay,
                      "what is drawn in, caption,speed,gmeter,graph,route,lamps (any of them), or none");
  command->add_option("--quality", request->quality, "high, medium or small (x264 CRF 18, 23, 28)")
      ->check(CLI::IsMember({"high", "medium", "small"}));
  AddSpeedUnitOption(*command, request->units);
  command->add_flag("--gpx", request->gpx, "write the subtitle points beside the film as OUT.gpx");
  command->add_option("--model", request->model, "the recorder model id (9 has the car-pulse speed and the lamps)");
  command->add_option("--speed-source", request->speedSource, "the speed shown: gps or pulse")
      ->check(CLI::IsMember({"gps", "pulse"}));
  command->add_flag("--yes", request->yes, "overwrite an existing file");
  command->add_flag("--json", request->json, "print a JSON summary");
  command->callback([&exitStatus, request] { exitStatus = RunExportMp4(*request); });
}
