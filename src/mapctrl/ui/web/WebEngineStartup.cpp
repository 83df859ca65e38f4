#include "mapctrl/ui/web/WebEngineStartup.h"

#include <unistd.h>

#include <QByteArray>
#include <QCoreApplication>
#include <QOpenGLContext>
#include <filesystem>

QT_BEGIN_NAMESPACE
// Qt GUI's setter of the context every GL widget shares, exported for the
// web engine: what Qt::AA_ShareOpenGLContexts makes when it is set before
// the application object.
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);
QT_END_NAMESPACE

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

QOpenGLContext* sharedContext = nullptr;

void DropSharedContext() {
  qt_gl_set_global_share_context(nullptr);
  delete sharedContext;
  sharedContext = nullptr;
}

// The engine draws through a GL context shared with the window's. Made
// before the application object, it would cost every start the loading of
// GL; made here it comes with the first map, before the engine asks for it.
void ShareGlContexts() {
  if (QOpenGLContext::globalShareContext() != nullptr) return;
  sharedContext = new QOpenGLContext;
  sharedContext->setFormat(QSurfaceFormat::defaultFormat());
  sharedContext->create();
  qt_gl_set_global_share_context(sharedContext);
  qAddPostRoutine(DropSharedContext);
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

}  // namespace

// The engine reads its switches when its first view is made.
void PrepareWebEngine() {
  ShareGlContexts();
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
