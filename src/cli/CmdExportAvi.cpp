// korvane-cli export-avi FILE.vdd [NEXT.vdd ...] -o OUT.avi [--fps F]
// [--from FRAME] [--until "YYYY-MM-DD HH:MM:SS"]
// [--caption date,speed,id,position|none] [--model M]
// [--speed-source gps|pulse] [--units kmh|mph] [--yes] [--json]: a stretch of video as an AVI
// film, as the save-as-AVI dialog writes it. An event recording is written
// whole; a normal recording from its start frame on, running on into the
// recordings named after it.

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
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
#include "export/AviExportJob.h"
#include "export/render/QtCaptionPainter.h"
#include "recording/ExportGuard.h"
#include "recording/ShownFrame.h"

namespace {

struct AviRequest {
  std::vector<std::string> paths;
  std::string output;
  std::optional<int> startFrame;
  std::optional<std::string> end;
  std::optional<int> fps;
  std::string caption = "none";
  int model = 0;
  std::string speedSource = "gps";
  SpeedUnit units = SpeedUnit::kKmh;
  bool yes = false;
  bool json = false;
};

// The dialog's four caption boxes from "date,speed,id,position" (any of
// them, in any order) or "none"; nothing for an item the dialog has no box for.
std::optional<AviCaptionItems> ParseCaption(const std::string& text) {
  AviCaptionItems items;
  if (text == "none") return items;
  std::string::size_type from = 0;
  while (from <= text.size()) {
    const std::string::size_type comma = std::min(text.find(',', from), text.size());
    const std::string item = text.substr(from, comma - from);
    if (item == "date") {
      items.dateTime = true;
    } else if (item == "speed") {
      items.speed = true;
    } else if (item == "id") {
      items.vehicleId = true;
    } else if (item == "position") {
      items.position = true;
    } else {
      return std::nullopt;
    }
    from = comma + 1;
  }
  return items;
}

// The inputs the dialog would hold after these options; nothing (and the
// message said) for a value its controls do not offer.
std::optional<AviExportInputs> InputsFor(const AviRequest& request, CInfoEventFile& recording) {
  const int startFrame = request.startFrame.value_or(0);
  if (startFrame < 0 || startFrame >= recording.FrameCount()) {
    PrintMessage(kMsgInvalidInputdata);
    return std::nullopt;
  }
  AviExportInputs inputs = AviInputsOnOpening(recording, startFrame, DecodedFrameComment(recording, startFrame), "");
  SplitOutputPath(request.output, ".avi", inputs.folder, inputs.fileName);
  const int fpsListSize = inputs.fps;
  if (request.fps) inputs.fps = *request.fps;
  if (inputs.fps < 1 || inputs.fps > fpsListSize) {
    PrintMessage(kMsgInvalidInputdata);
    return std::nullopt;
  }
  if (!ApplyRangeEnd(request.end, recording, inputs.rangeEnd)) return std::nullopt;
  const std::optional<AviCaptionItems> caption = ParseCaption(request.caption);
  if (!caption) {
    PrintMessage(kMsgInvalidInputdata);
    return std::nullopt;
  }
  inputs.caption = *caption;
  inputs.speedSource.currentModel = request.model;
  inputs.speedSource.displaySpeed = request.speedSource == "pulse" ? kDisplaySpeedPulse : kDisplaySpeedGps;
  inputs.speedSource.unit = request.units;
  inputs.pulseType = PulseTypeOfCardHolding(request.paths.front());
  return inputs;
}

// "samples" counts every sample position, the empty ones included;
// "written" the pictures among them.
void PrintJson(const AviExportInputs& inputs, bool rangeMode, ExportResult result, const AviExportJob& job) {
  std::cout << WriteJson(Json{{"path", job.OutputPath()},
                              {"result", result},
                              {"width", job.Width()},
                              {"height", job.Height()},
                              {"fps", inputs.fps},
                              {"samples", job.SampleCount()},
                              {"written", job.PictureCount()},
                              {"stream_copy", job.StreamCopy()},
                              {"range_mode", rangeMode},
                              {"stopped_at_gap", job.StoppedAtGap()}});
}

int RunExportAvi(const AviRequest& request) {
  UseProgramLanguage();
  FailWritesBeyondFileSizeLimit();
  const std::optional<FilmRecordings> recordings = LoadFilmRecordings(request.paths);
  if (!recordings) return kExitLoadFailed;
  const CInfoEventFile& first = *recordings->loaded.front();
  const std::optional<AviExportInputs> inputs = InputsFor(request, *recordings->loaded.front());
  if (!inputs) return kExitLoadFailed;
  if (const auto message = CheckAviInputs(*inputs)) {
    PrintMessage(*message);
    return kExitLoadFailed;
  }
  if (!OutputAllowed(AviOutputPath(*inputs), ExportGuard(request.paths, inputs->folder), request.yes))
    return kExitLoadFailed;
  if (inputs->caption.Any() && !EnsureTextRendering()) {
    PrintError("no text renderer for the caption");
    return kExitLoadFailed;
  }

  ManualUiQueue ui;
  QtCaptionPainter painter;
  AviExportJob job(ui, &painter);
  FilmJobReport report{AviOutputPath(*inputs), kMsgAviError, AviResultMessage, {}};
  if (request.json)
    report.printJson = [&](ExportResult result) { PrintJson(*inputs, AviRangeMode(first), result, job); };
  return RunFilmJob(job, *inputs, recordings->Source(request.startFrame.value_or(0)), request.yes, ui, report);
}

}  // namespace

void AddExportAviCommand(CLI::App& app, int& exitStatus) {
  auto* command = app.add_subcommand("export-avi", "Save a stretch of video as an AVI film (Motion JPEG)");
  auto request = std::make_shared<AviRequest>();
  command
      ->add_option("FILES", request->paths,
                   "the recording's data file (.vdd), then the loaded recordings a range may run on into")
      ->required();
  command->add_option("-o,--output", request->output, "the film, OUT.avi")->required();
  command->add_option("--fps", request->fps, "frames per second, 1..N (default N: the recording's rate)");
  command->add_option("--from", request->startFrame, "where a normal recording's range starts (default 0)");
  command->add_option("--until", request->end,
                      "a normal recording's range end, \"YYYY-MM-DD HH:MM:SS\" (default: its last frame)");
  command->add_option("--caption", request->caption,
                      "the caption items, date,speed,id,position (id: the recorder ID, top left), or none");
  command->add_option("--model", request->model, "the recorder model id (9 has the car-pulse speed)");
  command->add_option("--speed-source", request->speedSource, "the speed shown: gps or pulse")
      ->check(CLI::IsMember({"gps", "pulse"}));
  AddSpeedUnitOption(*command, request->units);
  command->add_flag("--yes", request->yes, "overwrite an existing file");
  command->add_flag("--json", request->json, "print a JSON summary");
  command->callback([&exitStatus, request] { exitStatus = RunExportAvi(*request); });
}
