#include "mapctrl/ui/web/WebEngineStartup.h"

#include <unistd.h>

#include <QByteArray>
#include <filesystem>

namespace {

bool HasRenderDevice() {
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/dev/dri", error)) {
    if (entry.path().filename().string().starts_with("renderD")) return true;
  }
  return false;
}

void AddFlag(QByteArray& flags, const char* flag) {
  if (flags.contains(flag)) return;
  if (!flags.isEmpty()) flags += ' ';
  flags += flag;
}

}  // namespace

// The engine reads its switches when its first view is made. The GL context
// it shares with the window is its own doing: loading the module makes it
// (and sets Qt::AA_ShareOpenGLContexts), so the window does not pay for GL
// at its start.
void PrepareWebEngine() {
  QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
  // Chromium's sandbox refuses to start as root.
  if (geteuid() == 0) {
    AddFlag(flags, "--no-sandbox");
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  }
  if (!HasRenderDevice()) AddFlag(flags, "--disable-gpu");
  // The map asks only its own page and its tiles; the engine itself stays off
  // the network.
  AddFlag(flags, "--disable-background-networking");
  AddFlag(flags, "--disable-component-update");
  qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
}
