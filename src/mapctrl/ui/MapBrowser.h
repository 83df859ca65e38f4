#pragma once
// The browser view the map window shows its page in, and the module that
// makes it. The view is Qt WebEngine's, a library far larger than the rest
// of the program: it lives in a module of its own (MapBrowserModule.h loads
// it) so that the window starts without it and the engine comes only when a
// map is first shown.

#include <QString>
#include <QVariant>
#include <QtPlugin>
#include <functional>

class QUrl;
class QWidget;

class MapBrowser {
 public:
  virtual ~MapBrowser() = default;
  // The view itself, a child of the widget it was made in.
  virtual QWidget* Widget() = 0;
  virtual void Load(const QUrl& address) = 0;
  // Runs `script` in the loaded page; `answer`, when given, gets its value
  // later, on the user-interface thread. Scripts run in the order given.
  virtual void RunScript(const QString& script, std::function<void(const QVariant&)> answer) = 0;
  // The view's JavaScript setting.
  virtual bool ScriptsAllowed() const = 0;
};

struct MapBrowserHooks {
  // A document other than "about:blank" completed (or failed to load).
  std::function<void()> documentComplete;
  // An error the page's scripts reported, with its place.
  std::function<void(const QString& text)> scriptError;
};

class MapBrowserMaker {
 public:
  virtual ~MapBrowserMaker() = default;
  // A new view inside `parent`, which owns it. The first call starts the
  // web engine.
  virtual MapBrowser* MakeBrowser(QWidget* parent, MapBrowserHooks hooks) = 0;
};

#define KORVANE_MAP_BROWSER_MAKER_IID "org.korvane.MapBrowserMaker/1"
Q_DECLARE_INTERFACE(MapBrowserMaker, KORVANE_MAP_BROWSER_MAKER_IID)
