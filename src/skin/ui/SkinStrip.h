#pragma once
// A skin picture cut into equal cells laid side by side: a button's four
// states, a display's digits. Drawing a cell that the strip lacks draws
// nothing, so a short or missing picture never paints garbage.
#include <QImage>
#include <QPainter>
#include <QRect>

class SkinStrip {
 public:
  SkinStrip() = default;
  SkinStrip(QImage image, int cellCount) : image_(std::move(image)), cells_(cellCount > 0 ? cellCount : 1) {}

  bool IsNull() const { return image_.isNull(); }
  int CellWidth() const { return image_.width() / cells_; }
  int CellHeight() const { return image_.height(); }
  QSize CellSize() const { return QSize(CellWidth(), CellHeight()); }
  const QImage& Image() const { return image_; }

  QRect CellRect(int cell) const { return QRect(cell * CellWidth(), 0, CellWidth(), CellHeight()); }

  // The cell at its own size with its top-left corner at topLeft.
  void Draw(QPainter& painter, QPoint topLeft, int cell) const {
    if (!Has(cell)) return;
    painter.drawImage(topLeft, image_, CellRect(cell));
  }
  // The cell stretched over target.
  void DrawStretched(QPainter& painter, const QRect& target, int cell) const {
    if (!Has(cell)) return;
    painter.drawImage(target, image_, CellRect(cell));
  }

 private:
  bool Has(int cell) const { return !image_.isNull() && cell >= 0 && cell < cells_ && CellWidth() > 0; }

  QImage image_;
  int cells_ = 1;
};
