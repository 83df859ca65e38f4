// korvane [FOLDER]: the drive recorder viewer. With a folder, that card or
// backup folder is opened at start. korvane --screenshot FILE renders the
// window after start-up into a PNG and quits (see StartOptions.h).
#include <QApplication>
#include <cstdio>

#include "app/KorvaneApp.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Korvane"));
  const StartOptions options = ParseStartOptions(QApplication::arguments());
  if (!options.error.isEmpty()) {
    std::fprintf(stderr, "korvane: %s\n%s", options.error.toUtf8().constData(),
                 StartOptionsUsage().toUtf8().constData());
    return 64;
  }
  CKorvaneApp app(options);
  if (!app.InitInstance()) return 1;
  return app.Run();
}
