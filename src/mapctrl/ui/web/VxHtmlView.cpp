#include "mapctrl/ui/web/VxHtmlView.h"

#include <QChildEvent>
#include <QWebEngineSettings>

#include "mapctrl/ui/web/WebPage.h"

CVxHtmlView::CVxHtmlView(MapBrowserHooks hooks, QWidget* parent)
    : QWebEngineView(parent), hooks_(std::move(hooks)), page_(new CWebPage(hooks_.scriptError, this)) {
  setPage(page_);
  setContextMenuPolicy(Qt::NoContextMenu);
  setFocusPolicy(Qt::ClickFocus);
  connect(page_, &QWebEnginePage::loadFinished, this, &CVxHtmlView::OnLoadFinished);
}

void CVxHtmlView::Load(const QUrl& address) { load(address); }

void CVxHtmlView::RunScript(const QString& script, std::function<void(const QVariant&)> answer) {
  if (answer) {
    page_->runJavaScript(script, std::move(answer));
  } else {
    page_->runJavaScript(script);
  }
}

bool CVxHtmlView::ScriptsAllowed() const { return settings()->testAttribute(QWebEngineSettings::JavascriptEnabled); }

void CVxHtmlView::OnLoadFinished(bool /*ok*/) {
  if (page_->url().toString().compare(QStringLiteral("about:blank"), Qt::CaseInsensitive) == 0) return;
  if (hooks_.documentComplete) hooks_.documentComplete();
}

// The engine puts the widget that really takes the keys in as a child.
bool CVxHtmlView::event(QEvent* event) {
  if (event->type() == QEvent::ChildPolished) {
    if (auto* child = qobject_cast<QWidget*>(static_cast<QChildEvent*>(event)->child()))
      child->setFocusPolicy(Qt::ClickFocus);
  }
  return QWebEngineView::event(event);
}
