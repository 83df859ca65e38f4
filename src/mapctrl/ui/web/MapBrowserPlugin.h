#pragma once
// The map module's entry: the one object the window's loader asks for.

#include <QObject>

#include "mapctrl/ui/MapBrowser.h"

class MapBrowserPlugin : public QObject, public MapBrowserMaker {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID KORVANE_MAP_BROWSER_MAKER_IID)
  Q_INTERFACES(MapBrowserMaker)

 public:
  MapBrowser* MakeBrowser(QWidget* parent, MapBrowserHooks hooks) override;

 private:
  bool prepared_ = false;
};
