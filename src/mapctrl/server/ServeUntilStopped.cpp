#include "mapctrl/server/ServeUntilStopped.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>

#include "mapctrl/server/CVxServerSock.h"

namespace {

// The signal handler only writes a byte here; the event loop reads it.
int stopPipe[2] = {-1, -1};

void OnStopSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const auto written = write(stopPipe[1], &byte, 1);
}

}  // namespace

bool ServeMapUntilStopped(const HeadlessMapServer& headless, int port) {
  if (stopPipe[0] < 0 && pipe(stopPipe) != 0) return false;
  int argc = 1;
  char name[] = "korvane-cli";
  char* argv[] = {name, nullptr};
  QCoreApplication application(argc, argv);
  QSocketNotifier stop(stopPipe[0], QSocketNotifier::Read);
  QObject::connect(&stop, &QSocketNotifier::activated, &application, &QCoreApplication::quit);
  std::signal(SIGINT, OnStopSignal);
  std::signal(SIGTERM, OnStopSignal);

  CVxServerSock server;
  server.SetPage(headless.page);
  server.SetLibFolder(headless.libFolder);
  server.SetClickHandler(headless.onClick);
  if (!server.StartServer(port)) return false;
  if (headless.onListening) headless.onListening(port);
  application.exec();
  return true;
}
