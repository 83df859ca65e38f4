// korvane-cli map-commands FILE... [--mode event|normal|log] [--json]: loads
// the files as the viewer's Load does (event recordings one each, a normal
// run, or logs in time order), selects as the viewer does after a load, and
// prints the script calls the map page receives when it completes loading
// at that moment: one line per call, the function's name and then each
// argument as a JSON string. Nothing when the load left the map disabled.

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/AppSetting.h"
#include "base/ScriptPolicy.h"
#include "cli/CliCommon.h"
#include "cli/CliLoad.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "cli/KeptMessagesPrompt.h"
#include "mapctrl/MgrMapSync.h"
#include "mapctrl/RecordingMapPageHost.h"
#include "platform/ManualPorts.h"
#include "playback/LoadingDialogModel.h"
#include "playback/PlaybackEngine.h"
#include "playback/WaitingLoadingDialogRunner.h"
#include "recording/FileListRows.h"
#include "recording/LogSource.h"
#include "recording/MgrDBSearch.h"

namespace {

struct MapCommandsRequest {
  std::vector<std::string> paths;
  std::string mode = "event";
  bool json = false;
};

// The page the command stands for runs its scripts.
class AllowedScripts final : public ScriptPolicy {
 public:
  bool ScriptsAllowed() const override { return true; }
};

FileListKind KindOf(const std::string& mode) {
  if (mode == "log") return FileListKind::kLog;
  return mode == "normal" ? FileListKind::kNormal : FileListKind::kEvent;
}

bool AllAreLoadable(const std::vector<std::string>& paths, FileListKind kind) {
  const uint64_t limit = kind == FileListKind::kLog ? LogSource::kMaxWholeBytes : 0;
  for (const std::string& path : paths) {
    if (!CheckInputFile(path, limit)) return false;
  }
  return true;
}

// The folder of this program, as the window's page host gives it.
std::string ProgramFolder() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : self.parent_path().string();
}

std::string JsonString(const std::string& text) {
  return Json(text).dump(-1, ' ', false, Json::error_handler_t::replace);
}

void PrintCalls(const std::vector<MapScriptCall>& calls, bool json) {
  if (json) {
    Json out = Json::array();
    for (const MapScriptCall& call : calls) out.push_back(Json{{"fn", call.function}, {"args", call.args}});
    std::cout << WriteJson(out);
    return;
  }
  for (const MapScriptCall& call : calls) {
    std::string line = call.function;
    for (const std::string& arg : call.args) line += " " + JsonString(arg);
    std::printf("%s\n", line.c_str());
  }
}

int RunMapCommands(const MapCommandsRequest& request) {
  const FileListKind kind = KindOf(request.mode);
  if (!AllAreLoadable(request.paths, kind)) return kExitLoadFailed;
  KeptMessagesPrompt prompt;
  ManualUiQueue ui;
  AppState app;
  const Volumes volumes;
  CMgrDBSearch store(prompt, ui, app, volumes);
  const CAppSetting settings;
  ManualClock clock;
  ManualTimerHost timers(clock);
  WaitingLoadingDialogRunner dialogs;
  PlaybackEngine engine(store, settings, timers, clock, prompt, dialogs);

  const AllowedScripts scripts;
  RecordingMapPageHost host([&clock](int ms) { clock.Advance(ms); });
  host.programFolder = ProgramFolder();
  CMgrMapSync map(store, engine.Control(), engine.LogGraph(), MapSyncPorts{host, scripts, prompt, clock, ui});
  host.OnPageComplete([&map] { map.OnMapDocumentComplete(); });
  PlaybackEngineSinks sinks;
  sinks.playback.map = &map;
  engine.AttachViews(sinks);

  std::vector<FileListRow> rows;
  for (const std::string& path : request.paths) rows.push_back(MakeFileListRow(store, kind, path));
  CListEvent& list = engine.List(kind);
  list.Fill(rows);
  list.SetAllChecked(true);
  if (engine.LoadChecked(kind) != LoadOutcome::kLoaded) {
    prompt.PrintMessages();
    return kExitLoadFailed;
  }
  PrintCalls(map.IsMapEnabled() ? host.completionCalls : std::vector<MapScriptCall>{}, request.json);
  return kExitOk;
}

}  // namespace

void AddMapCommandsCommand(CLI::App& app, int& exitStatus) {
  auto* command =
      app.add_subcommand("map-commands", "Load recordings and print the script calls a freshly loaded map page gets");
  auto request = std::make_shared<MapCommandsRequest>();
  command->add_option("FILE", request->paths, "the data files (.vdd) or, with --mode log, the logs (.log)")->required();
  command->add_option("--mode", request->mode, "event (one recording each), normal (a run) or log")
      ->check(CLI::IsMember({"event", "normal", "log"}));
  command->add_flag("--json", request->json, "print a JSON array of {fn, args}");
  command->callback([&exitStatus, request] { exitStatus = RunMapCommands(*request); });
}
