#include "export/ui/PrintPage.h"

#include <QPainter>

namespace {

constexpr int kInset = 10;
const QColor kDesk(70, 76, 84);

}  // namespace

CPrintPage::CPrintPage(const PrintDocument& document, QWidget* parent) : QWidget(parent), painter_(document) {
  setObjectName(QStringLiteral("printPage"));
  setMinimumSize(300, 400);
}

void CPrintPage::SetPageSize(QSize size) {
  if (size.width() > 0 && size.height() > 0) pageSize_ = size;
  update();
}

void CPrintPage::SetPage(int page) {
  page_ = page;
  update();
}

QRect CPrintPage::PageRect() const {
  const QRect frame = rect().adjusted(kInset, kInset, -kInset, -kInset);
  if (frame.width() <= 0 || frame.height() <= 0) return {};
  int height = frame.height();
  int width = static_cast<int>(static_cast<double>(height) * pageSize_.width() / pageSize_.height() + 0.5);
  // A window wider than tall keeps the page inside it too.
  if (width > frame.width()) {
    width = frame.width();
    height = static_cast<int>(static_cast<double>(width) * pageSize_.height() / pageSize_.width() + 0.5);
  }
  return {frame.left() + (frame.width() - width) / 2, frame.top() + (frame.height() - height) / 2, width, height};
}

void CPrintPage::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), kDesk);
  const QRect page = PageRect();
  if (page.isEmpty()) return;
  painter.fillRect(page, Qt::white);
  painter_.Paint(painter, page, page_);
}
