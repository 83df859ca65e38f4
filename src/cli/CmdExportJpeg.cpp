// korvane-cli export-jpeg FILE.vdd -o DIR [--current FRAME | --selected FRAME
// --seconds S | --all] [--fps F] [--geotag] [--yes] [--json]: frames as JPEG
// files named after their recorded time, as the save-images dialog writes them.

#include <iostream>
#include <optional>
#include <vector>

#include "cli/CliCommon.h"
#include "cli/CliLoad.h"
#include "cli/Commands.h"
#include "cli/ExportCli.h"
#include "cli/FrameChoice.h"
#include "cli/JsonWriter.h"
#include "export/JpegExportJob.h"

namespace {

struct JpegRequest {
  std::string path;
  std::string folder;
  FrameChoice choice;
  bool geotag = false;
  bool yes = false;
  bool json = false;
};

const char* KindName(int kind) {
  if (kind == kJpegAllImages) return "all";
  if (kind == kJpegSelectedImages) return "selected";
  return "current";
}

void PrintJson(const JpegRequest& request, const JpegSelection& s, JpegResult result, const JpegExportJob& job) {
  Json written = Json::array();
  for (const std::string& path : job.Written()) written.push_back(path);
  std::cout << WriteJson(Json{{"path", request.path},
                              {"folder", s.folder},
                              {"selection", KindName(s.kind)},
                              {"start_frame", s.startFrame},
                              {"seconds", s.kind == kJpegSelectedImages ? Json(s.seconds) : Json(nullptr)},
                              {"fps", s.fps},
                              {"every_frame", s.everyFrame},
                              {"geotag", s.geotag},
                              {"result", result},
                              {"written", std::move(written)},
                              {"skipped", job.Skipped()}});
}

int RunExportJpeg(const JpegRequest& request) {
  UseProgramLanguage();
  FailWritesBeyondFileSizeLimit();
  CInfoEventFile recording;
  WaitingLoadObserver observer;
  if (LoadVideoForCli(request.path, recording, observer) == LoadStatus::kFailed) return kExitLoadFailed;
  std::optional<JpegSelection> selection = SelectionOfChoice(request.choice, recording);
  if (!selection) return kExitLoadFailed;
  selection->folder = request.folder;
  selection->geotag = request.geotag;
  if (const auto message = CheckJpegFolder(selection->folder)) {
    PrintMessage(*message);
    return kExitLoadFailed;
  }

  ManualUiQueue ui;
  OverwriteAnswer answer(request.yes);
  JpegExportJob job(ui);
  JpegResult result = JpegResult::kError;
  if (!job.Start(&recording, *selection, {selection->startFrame}, answer, [&result](JpegResult r) { result = r; })) {
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
  if (result == JpegResult::kDone) return kExitOk;
  if (!job.NotOverwritten().empty()) {
    PrintNotOverwritten(job.NotOverwritten());
  } else if (result == JpegResult::kError) {
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
  AddFrameChoiceOptions(*command, request->choice);
  command->add_flag("--geotag", request->geotag, "write the frame's time and position into each picture (EXIF)");
  command->add_flag("--yes", request->yes, "overwrite existing files");
  command->add_flag("--json", request->json, "print a JSON summary");
  command->callback([&exitStatus, request] { exitStatus = RunExportJpeg(*request); });
}
