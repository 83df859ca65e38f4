#include "mapctrl/ui/VxHtmlView.h"

#include <QChildEvent>

CVxHtmlView::CVxHtmlView(QWidget* parent) : QWebEngineView(parent), page_(new CWebPage(this)) {
  setPage(page_);
  setContextMenuPolicy(Qt::NoContextMenu);
  setFocusPolicy(Qt::ClickFocus);
  connect(page_, &QWebEnginePage::loadFinished, this, &CVxHtmlView::OnLoadFinished);
}

void CVxHtmlView::OnLoadFinished(bool ok) {
  if (page_->url().toString().compare(QStringLiteral("about:blank"), Qt::CaseInsensitive) == 0) return;
  emit DocumentComplete(ok);
}

// The engine puts the widget that really takes the keys in as a child.
bool CVxHtmlView::event(QEvent* event) {
  if (event->type() == QEvent::ChildPolished) {
    if (auto* child = qobject_cast<QWidget*>(static_cast<QChildEvent*>(event)->child()))
      child->setFocusPolicy(Qt::ClickFocus);
  }
  return QWebEngineView::event(event);
}
