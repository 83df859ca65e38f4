// korvane-cli serve-map [--port N]: the window's map page server, headless,
// for trying the page in a browser. Prints "Port : P" first, then
// "goto REC FRAME" for each marker click, until SIGINT or SIGTERM.

#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>

#include "base/AppSetting.h"
#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "mapctrl/MapPageFiles.h"
#include "mapctrl/server/CVxServerSock.h"
#include "platform/UserFolders.h"

namespace {

constexpr int kFirstMapPort = 9865;

// The signal handler only writes a byte here; the event loop reads it.
int stopPipe[2] = {-1, -1};

void OnStopSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const auto written = write(stopPipe[1], &byte, 1);
}

int RunServeMap(int port) {
  CAppSetting setting;
  setting.LoadSetting();
  const std::filesystem::path folder = MapFilesFolder(ProgramDataFolder());
  const std::string page = ReadMapPage(folder, MapTilesFrom(setting));
  if (page.empty()) {
    PrintError("cannot read the map page in " + folder.string());
    return kExitLoadFailed;
  }
  if (pipe(stopPipe) != 0) {
    PrintError("cannot watch for the stop signal");
    return kExitLoadFailed;
  }
  int argc = 1;
  char name[] = "korvane-cli";
  char* argv[] = {name, nullptr};
  QCoreApplication application(argc, argv);
  QSocketNotifier stop(stopPipe[0], QSocketNotifier::Read);
  QObject::connect(&stop, &QSocketNotifier::activated, &application, &QCoreApplication::quit);
  std::signal(SIGINT, OnStopSignal);
  std::signal(SIGTERM, OnStopSignal);

  CVxServerSock server;
  server.SetPage(page);
  server.SetLibFolder(folder);
  server.SetClickHandler([](const MapRequest& click) {
    std::printf("goto %d %d\n", click.recording, click.frame);
    std::fflush(stdout);
  });
  if (!server.StartServer(port)) {
    PrintError("cannot listen on 127.0.0.1 from port " + std::to_string(port));
    return kExitLoadFailed;
  }
  std::printf("Port : %d\n", port);
  std::fflush(stdout);
  application.exec();
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
