#include "mapctrl/ui/VxHtmlView.h"

CVxHtmlView::CVxHtmlView(QWidget* parent) : QWebEngineView(parent), page_(new CWebPage(this)) {
  setPage(page_);
  setContextMenuPolicy(Qt::NoContextMenu);
  connect(page_, &QWebEnginePage::loadFinished, this, &CVxHtmlView::OnLoadFinished);
}

void CVxHtmlView::OnLoadFinished(bool ok) {
  if (page_->url().toString().compare(QStringLiteral("about:blank"), Qt::CaseInsensitive) == 0) return;
  emit DocumentComplete(ok);
}
