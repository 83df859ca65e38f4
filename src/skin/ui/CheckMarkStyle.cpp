#include "skin/ui/CheckMarkStyle.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOption>
#include <QWidget>

namespace {

struct CheckColours {
  QColor frame;
  QColor well;
  QColor tick;
};

const CheckColours kUnticked{{0xb4, 0xbe, 0xc8}, {0x0c, 0x0e, 0x11}, {}};
const CheckColours kTicked{{0xcf, 0xe3, 0xf5}, {0x2f, 0x7f, 0xc4}, {0xff, 0xff, 0xff}};
const CheckColours kDisabledUnticked{{0x4a, 0x52, 0x5b}, {0x1a, 0x1d, 0x21}, {}};
const CheckColours kDisabledTicked{{0x4a, 0x52, 0x5b}, {0x30, 0x37, 0x3f}, {0x9a, 0xa2, 0xab}};

constexpr int kBox = 13;

const CheckColours& ColoursFor(const QStyleOption& option) {
  const bool enabled = option.state & QStyle::State_Enabled;
  const bool ticked = option.state & QStyle::State_On;
  if (enabled) return ticked ? kTicked : kUnticked;
  return ticked ? kDisabledTicked : kDisabledUnticked;
}

void DrawCheckMark(const QStyleOption& option, QPainter& painter) {
  const CheckColours& colours = ColoursFor(option);
  const QRect box(option.rect.center() - QPoint(kBox / 2, kBox / 2), QSize(kBox, kBox));
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(colours.frame, 1));
  painter.setBrush(colours.well);
  painter.drawRoundedRect(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
  if (option.state & QStyle::State_On) {
    QPainterPath tick;
    tick.moveTo(box.left() + 3.0, box.top() + 6.5);
    tick.lineTo(box.left() + 5.5, box.top() + 9.0);
    tick.lineTo(box.left() + 10.0, box.top() + 3.5);
    painter.setPen(QPen(colours.tick, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(tick);
  }
  painter.restore();
}

class CheckMarkStyle final : public QProxyStyle {
 public:
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
    if (element == PE_IndicatorCheckBox || element == PE_IndicatorItemViewItemCheck) {
      DrawCheckMark(*option, *painter);
      return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
  }
};

}  // namespace

namespace {

CheckMarkStyle* SharedStyle() {
  // One style for every check box; it goes with the application.
  static QPointer<CheckMarkStyle> style;
  if (!style) {
    style = new CheckMarkStyle;
    style->setParent(qApp);
  }
  return style;
}

}  // namespace

void UseCheckMarkStyle(QWidget* widget) {
  // Where the application wears the style, every widget has it already;
  // setting it on the widget would polish it and its children once more.
  if (QApplication::style() == SharedStyle()) return;
  widget->setStyle(SharedStyle());
}

void UseCheckMarkStyleEverywhere() { QApplication::setStyle(SharedStyle()); }
