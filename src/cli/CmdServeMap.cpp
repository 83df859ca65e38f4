// korvane-cli serve-map [--port N]: the window's map page server, headless,
// for trying the page in a browser. Prints "Port : P" first, then
// "goto REC FRAME" for each marker click, until SIGINT or SIGTERM.

#include <cstdio>

#include "base/AppSetting.h"
#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "mapctrl/MapPageFiles.h"
#include "mapctrl/server/ServeUntilStopped.h"
#include "platform/UserFolders.h"

namespace {

constexpr int kFirstMapPort = 9865;

int RunServeMap(int port) {
  CAppSetting setting;
  setting.LoadSetting();
  HeadlessMapServer server;
  server.libFolder = MapFilesFolder(ProgramDataFolder());
  server.page = ReadMapPage(server.libFolder, MapTilesFrom(setting));
  if (server.page.empty()) {
    PrintError("cannot read the map page in " + server.libFolder.string());
    return kExitLoadFailed;
  }
  server.onListening = [](int chosen) {
    std::printf("Port : %d\n", chosen);
    std::fflush(stdout);
  };
  server.onClick = [](const MapRequest& click) {
    std::printf("goto %d %d\n", click.recording, click.frame);
    std::fflush(stdout);
  };
  if (!ServeMapUntilStopped(server, port)) {
    PrintError("cannot listen on 127.0.0.1 from port " + std::to_string(port));
    return kExitLoadFailed;
  }
  return kExitOk;
}

}  // namespace

void AddServeMapCommand(CLI::App& app, int& exitStatus) {
  auto* command = app.add_subcommand("serve-map", "Serve the map page on 127.0.0.1 until stopped");
  auto port = std::make_shared<int>(kFirstMapPort);
  command->add_option("--port", *port, "first port to try (the next nine follow)")
      ->check(CLI::Range(1, 65535 - 9))
      ->capture_default_str();
  command->callback([&exitStatus, port] { exitStatus = RunServeMap(*port); });
}
