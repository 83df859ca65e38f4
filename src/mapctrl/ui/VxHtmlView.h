#pragma once
// The browser view of the map window. It reports each completed document
// other than "about:blank"; the page's script calls go through its CWebPage.
// The page pans with the arrow keys, which elsewhere step the frames: it
// takes the keyboard only when the user clicks into it, never from Tab.

#include <QWebEngineView>

#include "mapctrl/ui/WebPage.h"

class CVxHtmlView : public QWebEngineView {
  Q_OBJECT

 public:
  explicit CVxHtmlView(QWidget* parent = nullptr);

  CWebPage& Page() { return *page_; }

 protected:
  bool event(QEvent* event) override;

 signals:
  // A document other than "about:blank" completed; `ok` false when it
  // failed to load.
  void DocumentComplete(bool ok);

 private:
  void OnLoadFinished(bool ok);

  CWebPage* page_;
};
