#include "export/ui/ColorComboEx.h"

#include <QPainter>
#include <QPixmap>
#include <algorithm>

#include "export/KmlColors.h"

namespace {

constexpr int kSwatchWidth = 48;
constexpr int kSwatchHeight = 14;
constexpr int kSwatchInset = 2;

// A Windows colour value 0x00BBGGRR.
QColor ColorOf(int value) { return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF); }

QIcon Swatch(int value) {
  QPixmap pixmap(kSwatchWidth, kSwatchHeight);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  const QRect inner = pixmap.rect().adjusted(kSwatchInset, kSwatchInset, -kSwatchInset, -kSwatchInset);
  painter.fillRect(inner, ColorOf(value));
  painter.setPen(Qt::black);
  painter.drawRect(inner.adjusted(0, 0, -1, -1));
  return QIcon(pixmap);
}

}  // namespace

CColorComboEx::CColorComboEx(QWidget* parent) : QComboBox(parent) {
  for (int value : kKmlLineColors) addItem(Swatch(value), QString(), value);
  setIconSize(QSize(kSwatchWidth, kSwatchHeight));
}

void CColorComboEx::SelectColor(int value) { setCurrentIndex(std::max(findData(value), 0)); }

int CColorComboEx::SelectedColor() const { return currentData().toInt(); }
