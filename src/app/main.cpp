// korvane [FOLDER]: the drive recorder viewer. With a folder, that card or
// backup folder is opened at start. korvane --screenshot FILE renders the
// window after start-up into a PNG and quits (see StartOptions.h).
#include <QApplication>
#include <QStringList>
#include <csignal>
#include <cstdio>

#include "app/KorvaneApp.h"
#include "app/StartUpWarmUp.h"
#include "base/AppTitle.h"
#include "platform/TimeKey.h"

int main(int argc, char** argv) {
  // Help and version need no display: they are answered before the
  // application object connects to one.
  QStringList raw;
  for (int i = 0; i < argc; ++i) raw << QString::fromLocal8Bit(argv[i]);
  if (const QString answer = ImmediateAnswer(raw); !answer.isEmpty()) {
    std::fputs(answer.toUtf8().constData(), stdout);
    return 0;
  }
  // A film or picture that outgrows the file-size limit must end its
  // export with a write error, not end the program.
  std::signal(SIGXFSZ, SIG_IGN);
  NameLocalZoneOnce();
  StartUpWarmUp fontConfig(LoadFontConfiguration);
  QApplication application(argc, argv);
  QApplication::setApplicationName(QString::fromUtf8(kApplicationTitle));
  const StartOptions options = ParseStartOptions(QApplication::arguments());
  if (!options.error.isEmpty()) {
    std::fprintf(stderr, "korvane: %s\n%s", options.error.toUtf8().constData(),
                 StartOptionsUsage().toUtf8().constData());
    return 64;
  }
  CKorvaneApp app(options);
  fontConfig.Wait();
  if (!app.InitInstance()) return 1;
  return app.Run();
}
