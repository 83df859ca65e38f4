#include "mapctrl/ui/web/MapBrowserPlugin.h"

#include "mapctrl/ui/web/VxHtmlView.h"
#include "mapctrl/ui/web/WebEngineStartup.h"

MapBrowser* MapBrowserPlugin::MakeBrowser(QWidget* parent, MapBrowserHooks hooks) {
  if (!prepared_) {
    PrepareWebEngine();
    prepared_ = true;
  }
  return new CVxHtmlView(std::move(hooks), parent);
}
