#include "mapctrl/ui/MapBrowserModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QPluginLoader>

#include "mapctrl/ui/MapBrowser.h"
#include "platform/Trace.h"

namespace {

MapBrowserMaker* Load() {
  // An installed program finds its modules beside bin/, whatever the prefix.
  const QString installed =
      QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QStringLiteral("../" KORVANE_MODULE_SUBDIR));
  if (QDir(installed).exists()) QCoreApplication::addLibraryPath(QDir::cleanPath(installed));
  QPluginLoader loader(QString::fromLatin1(kMapBrowserModuleName));
  QObject* instance = loader.instance();
  if (instance == nullptr) {
    KTRACE("The map module could not be loaded: %s", loader.errorString().toUtf8().constData());
    return nullptr;
  }
  MapBrowserMaker* maker = qobject_cast<MapBrowserMaker*>(instance);
  if (maker == nullptr) KTRACE("The map module is not the map's: %s", loader.fileName().toUtf8().constData());
  return maker;
}

}  // namespace

MapBrowserMaker* LoadMapBrowserModule() {
  static MapBrowserMaker* const maker = Load();
  return maker;
}
