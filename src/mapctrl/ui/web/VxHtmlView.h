#pragma once
// The browser view of the map window, in the map module. It reports each
// completed document other than "about:blank". The page pans with the
// arrow keys, which elsewhere step the frames: it takes the keyboard only
// when the user clicks into it, never from Tab.

#include <QWebEngineView>

#include "mapctrl/ui/MapBrowser.h"

class CWebPage;

class CVxHtmlView : public QWebEngineView, public MapBrowser {
  Q_OBJECT

 public:
  CVxHtmlView(MapBrowserHooks hooks, QWidget* parent);

  // MapBrowser
  QWidget* Widget() override { return this; }
  void Load(const QUrl& address) override;
  void RunScript(const QString& script, std::function<void(const QVariant&)> answer) override;
  bool ScriptsAllowed() const override;

 protected:
  bool event(QEvent* event) override;

 private:
  void OnLoadFinished(bool ok);

  MapBrowserHooks hooks_;
  CWebPage* page_;
};
