// korvane-cli export-jpeg FILE.vdd -o DIR [--current FRAME | --selected FRAME
// --seconds S | --all] [--fps F] [--yes] [--json]: frames as JPEG files named
// after their recorded time, as the save-images dialog writes them.

#include <iostream>
#include <optional>
#include <vector>

#include "cli/CliCommon.h"
#include "cli/CliLoad.h"
#include "cli/Commands.h"
#include "cli/ExportCli.h"
#include "cli/JsonWriter.h"
#include "export/JpegExportJob.h"
#include "recording/StreamImage.h"

namespace {

struct JpegRequest {
  std::string path;
  std::string folder;
  std::optional<int> current;
  std::optional<int> selected;
  std::optional<int> seconds;
  bool all = false;
  std::optional<int> fps;
  bool yes = false;
  bool json = false;
};

const char* KindName(int kind) {
  if (kind == kJpegAllImages) return "all";
  if (kind == kJpegSelectedImages) return "selected";
  return "current";
}

// The comment segment of the picture the viewer decodes after the load.
std::vector<unsigned char> ShownFrameComment(CInfoEventFile& recording, int frame) {
  std::vector<unsigned char> picture(FRAMEDATA_MAXSIZE);
  const int count = recording.ReadFrameData(frame, picture.data());
  CStreamImage codec;
  if (count <= 0 || !codec.DecodeToPixels(picture.data(), count)) return {};
  return {codec.ComSegment(), codec.ComSegment() + codec.ComSize()};
}

bool InRange(int value, int low, int high) { return value >= low && value <= high; }

// The selection record the dialog would fill from these options; nothing
// (and the message said) for a value the dialog's lists do not offer.
std::optional<JpegSelection> SelectionFor(const JpegRequest& request, CInfoEventFile& recording) {
  const int n = recording.FrameCount();
  const int shown = ViewerStartFrame(recording);
  const int fpsListSize = JpegFpsListSize(recording, ShownFrameComment(recording, shown));
  JpegSelection s;
  s.folder = request.folder;
  s.fps = request.fps.value_or(fpsListSize);
  s.everyFrame = s.fps == fpsListSize;
  s.startFrame = shown;
  bool valid = InRange(s.fps, 1, fpsListSize);
  if (request.all) {
    s.kind = kJpegAllImages;
  } else if (request.selected) {
    s.kind = kJpegSelectedImages;
    s.startFrame = *request.selected;
    valid = valid && InRange(s.startFrame, 0, n - 1);
    s.seconds = request.seconds.value_or(1);
    valid = valid && InRange(s.seconds, 1, JpegSecondsListSize(recording, s.startFrame));
  } else {
    s.kind = kJpegCurrentImages;
    s.startFrame = request.current.value_or(shown);
    valid = valid && InRange(s.startFrame, 0, n - 1);
  }
  if (!valid) {
    PrintMessage(kMsgInvalidInputdata);
    return std::nullopt;
  }
  return s;
}

void PrintJson(const JpegRequest& request, const JpegSelection& s, int result, const JpegExportJob& job) {
  Json written = Json::array();
  for (const std::string& path : job.Written()) written.push_back(path);
  std::cout << WriteJson(Json{{"path", request.path},
                              {"folder", s.folder},
                              {"selection", KindName(s.kind)},
                              {"start_frame", s.startFrame},
                              {"seconds", s.kind == kJpegSelectedImages ? Json(s.seconds) : Json(nullptr)},
                              {"fps", s.fps},
                              {"every_frame", s.everyFrame},
                              {"result", result},
                              {"written", std::move(written)},
                              {"skipped", job.Skipped()}});
}

int RunExportJpeg(const JpegRequest& request) {
  UseProgramLanguage();
  FailWritesBeyondFileSizeLimit();
  CInfoEventFile recording;
  WaitingLoadObserver observer;
  if (LoadVideoForCli(request.path, recording, observer) == kLoadFailed) return kExitLoadFailed;
  const std::optional<JpegSelection> selection = SelectionFor(request, recording);
  if (!selection) return kExitLoadFailed;
  if (const auto message = CheckJpegFolder(selection->folder)) {
    PrintMessage(*message);
    return kExitLoadFailed;
  }

  ManualUiQueue ui;
  OverwriteAnswer answer(request.yes);
  JpegExportJob job(ui);
  int result = kJpegError;
  if (!job.Start(&recording, *selection, {selection->startFrame}, answer, [&result](int r) { result = r; })) {
    PrintMessage(kMsgSaveJpegError);
    return kExitLoadFailed;
  }
  WaitForExportEnd(
      ui, [&job] { return job.Running(); }, [&job] { job.Cancel(); });

  if (request.json) {
    PrintJson(request, *selection, result, job);
  } else {
    for (const std::string& path : job.Written()) std::cout << path << "\n";
  }
  if (result == kJpegDone) return kExitOk;
  if (!job.NotOverwritten().empty()) {
    PrintNotOverwritten(job.NotOverwritten());
  } else if (result == kJpegError) {
    PrintError(MessageText(kMsgSaveJpegError) + (job.Error().empty() ? "" : ": " + job.Error()));
  } else {
    PrintError("stopped; " + std::to_string(job.Written().size()) + " files written");
  }
  return kExitLoadFailed;
}

}  // namespace

void AddExportJpegCommand(CLI::App& app, int& exitStatus) {
  auto* command = app.add_subcommand("export-jpeg", "Save frames as JPEG files named after their recorded time");
  auto request = std::make_shared<JpegRequest>();
  command->add_option("FILE", request->path, "the recording's data file (.vdd)")->required();
  command->add_option("-o,--output", request->folder, "the folder the files go into")->required();
  auto* current = command->add_option("--current", request->current,
                                      "the frame shown (default: the frame the viewer shows after loading)");
  auto* selected = command->add_option("--selected", request->selected, "selected images from this frame on");
  auto* seconds = command->add_option("--seconds", request->seconds, "how many seconds of selected images");
  auto* all = command->add_flag("--all", request->all, "every frame of the recording (thinned by --fps)");
  command->add_option("--fps", request->fps, "frames per second, 1..N (default N: every frame)");
  command->add_flag("--yes", request->yes, "overwrite existing files");
  command->add_flag("--json", request->json, "print a JSON summary");
  current->excludes(selected)->excludes(all);
  selected->excludes(all)->needs(seconds);
  seconds->needs(selected);
  command->callback([&exitStatus, request] { exitStatus = RunExportJpeg(*request); });
}
