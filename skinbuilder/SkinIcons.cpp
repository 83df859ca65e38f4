#include "SkinIcons.h"

#include <QPainterPath>
#include <QPolygonF>
#include <cmath>
#include <numbers>

namespace skin {
namespace {

// Icons are drawn on a unit square; strokes are given in units too, so an
// icon keeps its proportions at every button size.
constexpr qreal kStroke = 0.085;

QPen Stroke(const QColor& ink, qreal width = kStroke) {
  QPen pen(ink, width);
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  return pen;
}

void Triangle(QPainter& p, qreal x0, qreal x1, qreal top, qreal bottom) {
  // Tip at x1; a left-pointing triangle has x1 < x0.
  const QPolygonF shape{{x0, top}, {x1, (top + bottom) / 2}, {x0, bottom}};
  p.drawPolygon(shape);
}

void Magnifier(QPainter& p, const QColor& ink) {
  p.setBrush(Qt::NoBrush);
  p.setPen(Stroke(ink));
  p.drawEllipse(QPointF(0.42, 0.42), 0.25, 0.25);
  p.setPen(Stroke(ink, 0.13));
  p.drawLine(QPointF(0.61, 0.61), QPointF(0.84, 0.84));
  p.setPen(Stroke(ink));
}

void Gear(QPainter& p, const QColor& ink) {
  constexpr int kTeeth = 8;
  QPainterPath gear;
  for (int i = 0; i < kTeeth * 4; ++i) {
    const qreal angle = (i - 0.5) * 2 * std::numbers::pi / (kTeeth * 4);
    const qreal radius = (i % 4 < 2) ? 0.42 : 0.31;
    const QPointF point(0.5 + radius * std::cos(angle), 0.5 + radius * std::sin(angle));
    if (i == 0) {
      gear.moveTo(point);
    } else {
      gear.lineTo(point);
    }
  }
  gear.closeSubpath();
  gear.addEllipse(QPointF(0.5, 0.5), 0.13, 0.13);
  gear.setFillRule(Qt::OddEvenFill);
  p.setPen(Qt::NoPen);
  p.setBrush(ink);
  p.drawPath(gear);
}

void Globe(QPainter& p, const QColor& ink) {
  p.setBrush(Qt::NoBrush);
  p.setPen(Stroke(ink, 0.07));
  const QPointF centre(0.5, 0.5);
  p.drawEllipse(centre, 0.36, 0.36);
  p.drawEllipse(centre, 0.15, 0.36);
  p.drawLine(QPointF(0.5, 0.14), QPointF(0.5, 0.86));
  p.drawLine(QPointF(0.14, 0.5), QPointF(0.86, 0.5));
  QPainterPath latitudes;
  latitudes.moveTo(0.2, 0.31);
  latitudes.quadTo(0.5, 0.38, 0.8, 0.31);
  latitudes.moveTo(0.2, 0.69);
  latitudes.quadTo(0.5, 0.62, 0.8, 0.69);
  p.drawPath(latitudes);
}

void Printer(QPainter& p, const QColor& ink) {
  p.setPen(Stroke(ink, 0.07));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(0.3, 0.14, 0.4, 0.2));  // paper going in
  // The printed sheet leaves the body through a slot cut out of it.
  QPainterPath body;
  body.addRoundedRect(QRectF(0.12, 0.36, 0.76, 0.32), 0.06, 0.06);
  QPainterPath slot;
  slot.addRect(QRectF(0.24, 0.54, 0.52, 0.4));
  p.setPen(Qt::NoPen);
  p.setBrush(ink);
  p.drawPath(body.subtracted(slot));
  p.setPen(Stroke(ink, 0.07));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(0.3, 0.58, 0.4, 0.28));
  p.setPen(Stroke(ink, 0.05));
  p.drawLine(QPointF(0.37, 0.68), QPointF(0.63, 0.68));
  p.drawLine(QPointF(0.37, 0.77), QPointF(0.56, 0.77));
}

void Camera(QPainter& p, const QColor& ink) {
  QPainterPath body;
  body.addRoundedRect(QRectF(0.1, 0.3, 0.8, 0.52), 0.08, 0.08);
  body.addRoundedRect(QRectF(0.34, 0.2, 0.32, 0.14), 0.04, 0.04);
  body.setFillRule(Qt::WindingFill);
  QPainterPath lens;
  lens.addEllipse(QPointF(0.5, 0.56), 0.17, 0.17);
  p.setPen(Qt::NoPen);
  p.setBrush(ink);
  p.drawPath(body.simplified().subtracted(lens));
  p.drawEllipse(QPointF(0.5, 0.56), 0.09, 0.09);
}

void Film(QPainter& p, const QColor& ink) {
  QPainterPath strip;
  strip.addRoundedRect(QRectF(0.1, 0.22, 0.8, 0.56), 0.05, 0.05);
  QPainterPath holes;
  for (int i = 0; i < 5; ++i) {
    const qreal x = 0.16 + i * 0.145;
    holes.addRect(QRectF(x, 0.26, 0.08, 0.07));
    holes.addRect(QRectF(x, 0.67, 0.08, 0.07));
  }
  holes.addRoundedRect(QRectF(0.2, 0.38, 0.6, 0.24), 0.03, 0.03);
  p.setPen(Qt::NoPen);
  p.setBrush(ink);
  p.drawPath(strip.subtracted(holes));
}

void Backup(QPainter& p, const QColor& ink) {
  p.setPen(Stroke(ink));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(0.14, 0.56, 0.72, 0.28), 0.07, 0.07);
  p.setPen(Qt::NoPen);
  p.setBrush(ink);
  p.drawEllipse(QPointF(0.72, 0.7), 0.045, 0.045);
  p.setPen(Stroke(ink, 0.1));
  p.drawLine(QPointF(0.5, 0.1), QPointF(0.5, 0.44));
  p.setPen(Qt::NoPen);
  p.drawPolygon(QPolygonF{{0.33, 0.34}, {0.67, 0.34}, {0.5, 0.52}});
}

void House(QPainter& p, const QColor& ink) {
  QPainterPath house;
  house.moveTo(0.5, 0.14);
  house.lineTo(0.88, 0.5);
  house.lineTo(0.76, 0.5);
  house.lineTo(0.76, 0.86);
  house.lineTo(0.24, 0.86);
  house.lineTo(0.24, 0.5);
  house.lineTo(0.12, 0.5);
  house.closeSubpath();
  QPainterPath door;
  door.addRect(QRectF(0.43, 0.62, 0.14, 0.24));
  p.setPen(Qt::NoPen);
  p.setBrush(ink);
  p.drawPath(house.subtracted(door));
}

void Folder(QPainter& p, const QColor& ink) {
  QPainterPath back;
  back.moveTo(0.1, 0.24);
  back.lineTo(0.38, 0.24);
  back.lineTo(0.46, 0.32);
  back.lineTo(0.84, 0.32);
  back.lineTo(0.84, 0.8);
  back.lineTo(0.1, 0.8);
  back.closeSubpath();
  p.setPen(Stroke(ink, 0.07));
  p.setBrush(Qt::NoBrush);
  p.drawPath(back);
  QPainterPath front;
  front.moveTo(0.1, 0.8);
  front.lineTo(0.22, 0.44);
  front.lineTo(0.94, 0.44);
  front.lineTo(0.84, 0.8);
  front.closeSubpath();
  p.setBrush(ink);
  p.drawPath(front);
}

void Flag(QPainter& p, const QColor& ink) {
  p.setPen(Stroke(ink, 0.09));
  p.drawLine(QPointF(0.26, 0.12), QPointF(0.26, 0.88));
  QPainterPath cloth;
  cloth.moveTo(0.3, 0.16);
  cloth.cubicTo(0.45, 0.1, 0.58, 0.24, 0.8, 0.16);
  cloth.lineTo(0.8, 0.5);
  cloth.cubicTo(0.58, 0.58, 0.45, 0.44, 0.3, 0.5);
  cloth.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(ink);
  p.drawPath(cloth);
}

void Thumbnails(QPainter& p, const QColor& ink) {
  p.setPen(Qt::NoPen);
  p.setBrush(ink);
  constexpr qreal kCell = 0.16;
  constexpr qreal kGap = 0.05;
  const qreal start = 0.5 - (4 * kCell + 3 * kGap) / 2;
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      p.drawRoundedRect(QRectF(start + column * (kCell + kGap), start + row * (kCell + kGap), kCell, kCell), 0.02,
                        0.02);
    }
  }
}

void DefaultGraph(QPainter& p, const QColor& ink) {
  p.setBrush(Qt::NoBrush);
  p.setPen(Stroke(ink, 0.06));
  p.drawLine(QPointF(0.12, 0.14), QPointF(0.12, 0.86));
  p.drawLine(QPointF(0.12, 0.5), QPointF(0.9, 0.5));
  QPainterPath wave;
  for (int i = 0; i <= 40; ++i) {
    const qreal x = 0.12 + i * 0.78 / 40;
    const qreal y = 0.5 - 0.26 * std::sin(i * 2 * std::numbers::pi / 20);
    if (i == 0) {
      wave.moveTo(x, y);
    } else {
      wave.lineTo(x, y);
    }
  }
  p.setPen(Stroke(ink, 0.09));
  p.drawPath(wave);
}

}  // namespace

void DrawIcon(QPainter& painter, Icon icon, const QRectF& box, const QColor& ink) {
  const qreal side = std::min(box.width(), box.height());
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.translate(box.center().x() - side / 2, box.center().y() - side / 2);
  painter.scale(side, side);
  QPainter& p = painter;
  p.setPen(Qt::NoPen);
  p.setBrush(ink);
  switch (icon) {
    case Icon::kPlay:
      Triangle(p, 0.3, 0.8, 0.2, 0.8);
      break;
    case Icon::kPause:
      p.drawRoundedRect(QRectF(0.27, 0.22, 0.16, 0.56), 0.03, 0.03);
      p.drawRoundedRect(QRectF(0.57, 0.22, 0.16, 0.56), 0.03, 0.03);
      break;
    case Icon::kPlayFast:
      Triangle(p, 0.12, 0.5, 0.24, 0.76);
      Triangle(p, 0.5, 0.88, 0.24, 0.76);
      break;
    case Icon::kBackPlay:
      Triangle(p, 0.7, 0.2, 0.2, 0.8);
      break;
    case Icon::kBackFast:
      Triangle(p, 0.5, 0.12, 0.24, 0.76);
      Triangle(p, 0.88, 0.5, 0.24, 0.76);
      break;
    case Icon::kPreviousFrame:
      p.drawRect(QRectF(0.2, 0.24, 0.1, 0.52));
      Triangle(p, 0.8, 0.32, 0.24, 0.76);
      break;
    case Icon::kNextFrame:
      p.drawRect(QRectF(0.7, 0.24, 0.1, 0.52));
      Triangle(p, 0.2, 0.68, 0.24, 0.76);
      break;
    case Icon::kZoomIn:
      Magnifier(p, ink);
      p.drawLine(QPointF(0.31, 0.42), QPointF(0.53, 0.42));
      p.drawLine(QPointF(0.42, 0.31), QPointF(0.42, 0.53));
      break;
    case Icon::kZoomOut:
      Magnifier(p, ink);
      p.drawLine(QPointF(0.31, 0.42), QPointF(0.53, 0.42));
      break;
    case Icon::kSearch:
      Magnifier(p, ink);
      break;
    case Icon::kDefaultGraph:
      DefaultGraph(p, ink);
      break;
    case Icon::kSingleView:
      p.setBrush(Qt::NoBrush);
      p.setPen(Stroke(ink, 0.09));
      p.drawRoundedRect(QRectF(0.16, 0.22, 0.68, 0.56), 0.05, 0.05);
      p.setPen(Qt::NoPen);
      p.setBrush(ink);
      Triangle(p, 0.42, 0.62, 0.38, 0.62);
      break;
    case Icon::kThumbView:
      Thumbnails(p, ink);
      break;
    case Icon::kOpenFolder:
      Folder(p, ink);
      break;
    case Icon::kCamera:
      Camera(p, ink);
      break;
    case Icon::kPrinter:
      Printer(p, ink);
      break;
    case Icon::kFilm:
      Film(p, ink);
      break;
    case Icon::kBackup:
      Backup(p, ink);
      break;
    case Icon::kGlobe:
      Globe(p, ink);
      break;
    case Icon::kGear:
      Gear(p, ink);
      break;
    case Icon::kHouse:
      House(p, ink);
      break;
    case Icon::kInfo:
      p.setBrush(Qt::NoBrush);
      p.setPen(Stroke(ink, 0.08));
      p.drawEllipse(QPointF(0.5, 0.5), 0.36, 0.36);
      p.setPen(Qt::NoPen);
      p.setBrush(ink);
      p.drawEllipse(QPointF(0.5, 0.32), 0.055, 0.055);
      p.drawRoundedRect(QRectF(0.45, 0.43, 0.1, 0.3), 0.03, 0.03);
      break;
    case Icon::kMinimize:
      p.setPen(Stroke(ink, 0.1));
      p.drawLine(QPointF(0.28, 0.66), QPointF(0.72, 0.66));
      break;
    case Icon::kClose:
      p.setPen(Stroke(ink, 0.1));
      p.drawLine(QPointF(0.3, 0.3), QPointF(0.7, 0.7));
      p.drawLine(QPointF(0.7, 0.3), QPointF(0.3, 0.7));
      break;
    case Icon::kFlag:
      Flag(p, ink);
      break;
    case Icon::kCheckedBox:
      p.setBrush(Qt::NoBrush);
      p.setPen(Stroke(ink, 0.08));
      p.drawRoundedRect(QRectF(0.18, 0.18, 0.64, 0.64), 0.08, 0.08);
      p.setPen(Stroke(ink, 0.11));
      p.drawPolyline(QPolygonF{{0.32, 0.5}, {0.45, 0.64}, {0.7, 0.36}});
      break;
    case Icon::kEmptyBox:
      p.setBrush(Qt::NoBrush);
      p.setPen(Stroke(ink, 0.08));
      p.drawRoundedRect(QRectF(0.18, 0.18, 0.64, 0.64), 0.08, 0.08);
      break;
  }
  painter.restore();
}

}  // namespace skin
