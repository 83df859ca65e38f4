#include "skin/ui/SkinPicture.h"

#include <QPainter>

CSkinPicture::CSkinPicture(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

void CSkinPicture::SetPicture(const QImage& picture) {
  picture_ = picture;
  resize(picture_.size());
  setVisible(!picture_.isNull());
  update();
}

void CSkinPicture::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.drawImage(QPoint(0, 0), picture_);
}
