#include "shell/ui/MapPanel.h"

#include <QPainter>

namespace {

const QColor kWell(28, 30, 33);

}  // namespace

CMapPanel::CMapPanel(QImage fallback, QWidget* parent) : QWidget(parent), fallback_(std::move(fallback)) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void CMapPanel::SetHasData(bool hasData) {
  if (hasData_ == hasData) return;
  hasData_ = hasData;
  update();
}

void CMapPanel::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), kWell);
  if (!fallback_.isNull()) painter.drawImage(rect(), fallback_);
}
