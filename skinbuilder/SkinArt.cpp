#include "SkinArt.h"

#include <QLinearGradient>
#include <QPainterPath>

#include "SkinPalette.h"

namespace skin {

QImage NewPicture(QSize size, const QColor& fill) {
  QImage picture(size, QImage::Format_RGB32);
  picture.fill(fill);
  return picture;
}

void BeginPainting(QPainter& painter, QImage& picture) {
  painter.begin(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
}

QFont UiFont(qreal pixelSize, int weight) {
  QFont font("DejaVu Sans");
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(static_cast<int>(pixelSize));
  font.setWeight(static_cast<QFont::Weight>(weight));
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

void FillVertical(QPainter& painter, const QRectF& rect, const QColor& top, const QColor& bottom, qreal radius) {
  QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
  gradient.setColorAt(0, top);
  gradient.setColorAt(1, bottom);
  painter.setPen(Qt::NoPen);
  painter.setBrush(gradient);
  if (radius > 0) {
    painter.drawRoundedRect(rect, radius, radius);
  } else {
    painter.drawRect(rect);
  }
}

void DrawWell(QPainter& painter, const QRectF& outer, qreal radius, const QColor& fill) {
  painter.save();
  painter.setPen(Qt::NoPen);
  // Light rim below and right, dark rim above and left: the well sinks in.
  painter.setBrush(kWellEdgeLight);
  painter.drawRoundedRect(outer.adjusted(1, 1, 0, 0), radius, radius);
  painter.setBrush(kWellEdgeDark);
  painter.drawRoundedRect(outer.adjusted(0, 0, -1, -1), radius, radius);
  painter.setBrush(fill);
  painter.drawRoundedRect(outer.adjusted(1, 1, -1, -1), radius > 1 ? radius - 1 : 0, radius > 1 ? radius - 1 : 0);
  painter.restore();
}

void DrawButtonFace(QPainter& painter, const QRectF& rect, CellState state, bool danger) {
  painter.save();
  const QRectF face = rect.adjusted(0.5, 0.5, -0.5, -0.5);
  const qreal radius = 3.5;
  switch (state) {
    case CellState::kNormal:
      FillVertical(painter, face, kFaceTop, kFaceBottom, radius);
      break;
    case CellState::kPressed:
      FillVertical(painter, face, kFacePressedTop, kFacePressedBottom, radius);
      break;
    case CellState::kHover:
      FillVertical(painter, face, danger ? kDanger.lighter(115) : kFaceHoverTop,
                   danger ? kDanger.darker(130) : kFaceHoverBottom, radius);
      break;
    case CellState::kDisabled:
      FillVertical(painter, face, kFaceDisabled, kFaceDisabled, radius);
      break;
  }
  painter.setBrush(Qt::NoBrush);
  if (state == CellState::kNormal || state == CellState::kHover) {
    // A one-pixel sheen along the top edge gives the face its raised look.
    painter.setPen(QPen(QColor(255, 255, 255, state == CellState::kHover ? 60 : 38), 1));
    painter.drawLine(QPointF(face.left() + radius, face.top() + 1), QPointF(face.right() - radius, face.top() + 1));
  }
  if (state == CellState::kPressed) {
    painter.setPen(QPen(QColor(0, 0, 0, 120), 1.5));
    painter.drawLine(QPointF(face.left() + 2, face.top() + 1.5), QPointF(face.right() - 2, face.top() + 1.5));
  }
  QColor border = kFaceBorder;
  if (state == CellState::kHover && !danger) border = kAccent;
  painter.setPen(QPen(border, 1));
  painter.drawRoundedRect(face, radius, radius);
  if (state == CellState::kHover && !danger) {
    painter.setPen(QPen(kAccentSoft, 2));
    painter.drawRoundedRect(face.adjusted(1, 1, -1, -1), radius - 1, radius - 1);
  }
  painter.restore();
}

QColor InkFor(CellState state) {
  switch (state) {
    case CellState::kNormal:
      return kInk;
    case CellState::kPressed:
      return kInkMuted;
    case CellState::kHover:
      return QColor(255, 255, 255);
    case CellState::kDisabled:
      return kInkDisabled;
  }
  return kInk;
}

void DrawCentredText(QPainter& painter, const QRectF& rect, const QString& text, const QFont& font,
                     const QColor& colour) {
  painter.save();
  painter.setFont(font);
  painter.setPen(colour);
  painter.drawText(rect, Qt::AlignCenter, text);
  painter.restore();
}

QImage MakeStrip(const QImage& backdrop, int cells, const std::function<void(QPainter&, const QRectF&, int)>& paint) {
  const QSize cell = backdrop.size();
  QImage strip = NewPicture(QSize(cell.width() * cells, cell.height()), kPanelBottom);
  QPainter painter;
  BeginPainting(painter, strip);
  for (int i = 0; i < cells; ++i) {
    const QRectF rect(i * cell.width(), 0, cell.width(), cell.height());
    painter.drawImage(rect.topLeft(), backdrop);
    painter.save();
    painter.setClipRect(rect);
    paint(painter, rect, i);
    painter.restore();
  }
  return strip;
}

QImage MakeButtonStrip(const QImage& backdrop, const CellContent& content, bool danger) {
  return MakeStrip(backdrop, 4, [&](QPainter& painter, const QRectF& rect, int index) {
    const CellState state = kButtonCells[index];
    DrawButtonFace(painter, rect, state, danger);
    const QRectF inner = state == CellState::kPressed ? rect.translated(0, 1) : rect;
    content(painter, inner, state);
  });
}

std::vector<uint8_t> ToRgb(const QImage& picture) {
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
  std::vector<uint8_t> out;
  out.reserve(static_cast<size_t>(rgb.width()) * rgb.height() * 3);
  for (int y = 0; y < rgb.height(); ++y) {
    const uchar* row = rgb.constScanLine(y);
    out.insert(out.end(), row, row + static_cast<size_t>(rgb.width()) * 3);
  }
  return out;
}

}  // namespace skin
