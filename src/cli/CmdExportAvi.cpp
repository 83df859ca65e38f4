// korvane-cli export-avi FILE.vdd [NEXT.vdd ...] -o DIR [--name NAME]
// [--start-frame F] [--end "YYYY-MM-DD HH:MM:SS"] [--fps F] [--date-time]
// [--speed] [--vehicle-id] [--position] [--model M] [--speed-source gps|pulse]
// [--yes] [--json]: a stretch of video as an AVI film, as the save-as-AVI
// dialog writes it. An event recording is written whole; a normal recording
// from its start frame on, running on into the recordings named after it.

#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>
#include <vector>

#include "base/DisplaySpeed.h"
#include "cli/CliCommon.h"
#include "cli/CliLoad.h"
#include "cli/Commands.h"
#include "cli/ExportCli.h"
#include "cli/JsonWriter.h"
#include "export/AviExportJob.h"
#include "export/render/QtCaptionPainter.h"

namespace {

struct AviRequest {
  std::vector<std::string> paths;
  std::string folder;
  std::optional<std::string> name;
  std::optional<int> startFrame;
  std::optional<std::string> end;
  std::optional<int> fps;
  AviCaptionItems caption;
  int model = 0;
  std::string speedSource = "gps";
  bool yes = false;
  bool json = false;
};

// The comment segment of the picture the viewer decodes after the load.
std::vector<unsigned char> ShownFrameComment(CInfoEventFile& recording, int frame) {
  std::vector<unsigned char> picture(FRAMEDATA_MAXSIZE);
  const int count = recording.ReadFrameData(frame, picture.data());
  CStreamImage codec;
  if (count <= 0 || !codec.DecodeToPixels(picture.data(), count)) return {};
  return {codec.ComSegment(), codec.ComSegment() + codec.ComSize()};
}

std::optional<DateTime> ParseDateTime(const std::string& text) {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  char tail = 0;
  if (std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d%c", &year, &month, &day, &hour, &minute, &second, &tail) != 6)
    return std::nullopt;
  DateTime t;
  t.year = static_cast<uint16_t>(year);
  t.month = static_cast<uint16_t>(month);
  t.day = static_cast<uint16_t>(day);
  t.hour = static_cast<uint16_t>(hour);
  t.minute = static_cast<uint16_t>(minute);
  t.second = static_cast<uint16_t>(second);
  if (year < 1900 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 ||
      second > 59)
    return std::nullopt;
  return t;
}

// The inputs the dialog would hold after these options; nothing (and the
// message said) for a value its controls do not offer.
std::optional<AviExportInputs> InputsFor(const AviRequest& request, CInfoEventFile& recording) {
  const int startFrame = request.startFrame.value_or(0);
  if (startFrame < 0 || startFrame >= recording.FrameCount()) {
    PrintMessage(kMsgInvalidInputdata);
    return std::nullopt;
  }
  AviExportInputs inputs =
      AviInputsOnOpening(recording, startFrame, ShownFrameComment(recording, startFrame), request.folder);
  const int fpsListSize = inputs.fps;
  if (request.fps) inputs.fps = *request.fps;
  if (inputs.fps < 1 || inputs.fps > fpsListSize) {
    PrintMessage(kMsgInvalidInputdata);
    return std::nullopt;
  }
  if (request.end) {
    const std::optional<DateTime> end = ParseDateTime(*request.end);
    if (!end || !AviRangeMode(recording)) {
      PrintMessage(kMsgInvalidInputdata);
      return std::nullopt;
    }
    inputs.rangeEnd = *end;
  }
  if (request.name) inputs.fileName = *request.name;
  inputs.caption = request.caption;
  inputs.speedSource.currentModel = request.model;
  inputs.speedSource.displaySpeed = request.speedSource == "pulse" ? kDisplaySpeedPulse : kDisplaySpeedGps;
  inputs.pulseType = PulseTypeOfCardHolding(request.paths.front());
  return inputs;
}

void PrintJson(const AviRequest& request, const AviExportInputs& inputs, bool rangeMode, int result,
               const AviExportJob& job) {
  std::cout << WriteJson(Json{{"path", request.paths.front()},
                              {"output", job.OutputPath()},
                              {"range_mode", rangeMode},
                              {"fps", inputs.fps},
                              {"width", job.Width()},
                              {"height", job.Height()},
                              {"samples", job.SampleCount()},
                              {"pictures", job.PictureCount()},
                              {"stream_copy", job.StreamCopy()},
                              {"stopped_at_gap", job.StoppedAtGap()},
                              {"result", result}});
}

int RunExportAvi(const AviRequest& request) {
  UseProgramLanguage();
  FailWritesBeyondFileSizeLimit();
  std::vector<std::unique_ptr<CInfoEventFile>> recordings;
  for (const std::string& path : request.paths) {
    auto recording = std::make_unique<CInfoEventFile>();
    WaitingLoadObserver observer;
    if (LoadVideoForCli(path, *recording, observer) == kLoadFailed) return kExitLoadFailed;
    recordings.push_back(std::move(recording));
  }
  if (recordings.front()->FrameCount() < 1) {
    PrintError(request.paths.front() + ": no frames");
    return kExitLoadFailed;
  }
  const std::optional<AviExportInputs> inputs = InputsFor(request, *recordings.front());
  if (!inputs) return kExitLoadFailed;
  if (const auto message = CheckAviInputs(*inputs)) {
    PrintMessage(*message);
    return kExitLoadFailed;
  }
  if (inputs->caption.Any() && !EnsureTextRendering()) {
    PrintError("no text renderer for the caption");
    return kExitLoadFailed;
  }

  AviExportSource source;
  for (const auto& recording : recordings) source.recordings.push_back(recording.get());
  source.startFrame = request.startFrame.value_or(0);
  ManualUiQueue ui;
  OverwriteAnswer answer(request.yes);
  QtCaptionPainter painter;
  AviExportJob job(ui, &painter);
  int result = kExportFailed;
  const AviStartResult start = job.Start(*inputs, source, answer, [&result](int r) { result = r; });
  if (start.outcome == AviStart::kDeclined) {
    PrintNotOverwritten(AviOutputPath(*inputs));
    return kExitLoadFailed;
  }
  if (start.outcome != AviStart::kStarted) {
    PrintMessage(start.message.value_or(kMsgAviError));
    return kExitLoadFailed;
  }
  WaitForExportEnd(
      ui, [&job] { return job.Running(); }, [&job] { job.Cancel(); });

  if (request.json) {
    PrintJson(request, *inputs, AviRangeMode(*recordings.front()), result, job);
  } else if (result == kExportDone) {
    std::cout << job.OutputPath() << "\n";
  }
  if (result == kExportDone) return kExitOk;
  const std::string text = MessageText(AviResultMessage(result));
  PrintError(job.Error().empty() ? text : text + ": " + job.Error());
  return kExitLoadFailed;
}

}  // namespace

void AddExportAviCommand(CLI::App& app, int& exitStatus) {
  auto* command = app.add_subcommand("export-avi", "Save a stretch of video as an AVI film (Motion JPEG)");
  auto request = std::make_shared<AviRequest>();
  command
      ->add_option("FILES", request->paths,
                   "the recording's data file (.vdd), then the loaded recordings a range may run on into")
      ->required();
  command->add_option("-o,--output", request->folder, "the folder the film goes into")->required();
  command->add_option("--name", request->name, "the file name without .avi (default: the range start's time)");
  command->add_option("--start-frame", request->startFrame, "where a normal recording's range starts (default 0)");
  command->add_option("--end", request->end, "a normal recording's range end, \"YYYY-MM-DD HH:MM:SS\"");
  command->add_option("--fps", request->fps, "frames per second, 1..N (default N: the recording's rate)");
  command->add_flag("--date-time", request->caption.dateTime, "caption: the frame's date and time");
  command->add_flag("--speed", request->caption.speed, "caption: the speed and heading");
  command->add_flag("--vehicle-id", request->caption.vehicleId, "caption: the recorder ID, top left");
  command->add_flag("--position", request->caption.position, "caption: longitude and latitude");
  command->add_option("--model", request->model, "the recorder model id (9 has the car-pulse speed)");
  command->add_option("--speed-source", request->speedSource, "the speed shown: gps or pulse")
      ->check(CLI::IsMember({"gps", "pulse"}));
  command->add_flag("--yes", request->yes, "overwrite an existing file");
  command->add_flag("--json", request->json, "print a JSON summary");
  command->callback([&exitStatus, request] { exitStatus = RunExportAvi(*request); });
}
