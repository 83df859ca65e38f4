#include "SkinPanels.h"

#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <algorithm>

#include "SkinArt.h"
#include "SkinIcons.h"
#include "SkinLayout.h"
#include "SkinPalette.h"
#include "skin/SkinEntries.h"

namespace skin {
namespace {

// Wells reach this far beyond the window they frame.
constexpr int kWellMargin = 2;

QRectF Around(const QRect& rect, int margin = kWellMargin) {
  return QRectF(rect).adjusted(-margin, -margin, margin, margin);
}

void DrawTitleBar(QPainter& p) {
  const QRectF bar(0, 0, kPanelSize.width(), kTitleBarHeight);
  FillVertical(p, bar, kTitleTop, kTitleBottom);
  p.setPen(QPen(kWellEdgeDark, 1));
  p.drawLine(QPointF(0, kTitleBarHeight - 0.5), QPointF(kPanelSize.width(), kTitleBarHeight - 0.5));
  p.setPen(QPen(QColor(255, 255, 255, 18), 1));
  p.drawLine(QPointF(0, kTitleBarHeight + 0.5), QPointF(kPanelSize.width(), kTitleBarHeight + 0.5));

  // A double click on this glyph closes the window.
  const QRectF close(kCloseGlyph);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 70));
  p.drawEllipse(close);
  DrawIcon(p, Icon::kClose, close.adjusted(1, 1, -1, -1), kInkMuted);

  QFont mark = UiFont(15, QFont::Bold);
  mark.setLetterSpacing(QFont::AbsoluteSpacing, 0.6);
  p.setFont(mark);
  p.setPen(kInk);
  p.drawText(QRectF(30, 0, 200, kTitleBarHeight), Qt::AlignLeft | Qt::AlignVCenter, "Korvane");
  const qreal wordEnd = 30 + p.fontMetrics().horizontalAdvance("Korvane");
  p.setPen(Qt::NoPen);
  p.setBrush(kAccent);
  p.drawRoundedRect(QRectF(wordEnd + 5, 17, 5, 5), 1, 1);
}

void DrawHomepageMark(QPainter& p) {
  const QRectF area(kHomepageMark);
  p.setPen(QPen(kHairline, 1));
  p.setBrush(QColor(0, 0, 0, 50));
  p.drawRoundedRect(area.adjusted(0.5, 0.5, -0.5, -0.5), 9, 9);
  DrawIcon(p, Icon::kGlobe, QRectF(area.left() + 4, area.top() + 2, 15, 15), kAccent);
  p.setFont(UiFont(11));
  p.setPen(kInkMuted);
  p.drawText(area.adjusted(22, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter, "korvane.example");
}

void DrawLabel(QPainter& p, const QRectF& rect, const QString& text, int alignment, qreal size = 12,
               const QColor& colour = kInkMuted) {
  p.setFont(UiFont(size, QFont::Bold));
  p.setPen(colour);
  p.drawText(rect, alignment, text);
}

void DrawGDisplays(QPainter& p, bool mxh) {
  const QRect* displays = mxh ? kGDisplaysModel9 : kGDisplays;
  static const char* const kAxes[3] = {"X", "Y", "Z"};
  for (int i = 0; i < 3; ++i) {
    DrawWell(p, Around(displays[i]), 3, kValueDisplay);
    const QRectF label(displays[i].left() - 17, displays[i].top(), 13, displays[i].height());
    DrawLabel(p, label, kAxes[i], Qt::AlignRight | Qt::AlignVCenter);
  }
  // The "G SENSOR" label beside them is the window's to write.
  if (!mxh) return;
  const QRect signal = RectOf(kSkinCarSignal);
  DrawWell(p, Around(signal), 4, kWell);
}

void DrawSpeedReadout(QPainter& p) {
  // The frame takes in the caption and indicator above and beside the digits.
  const QRectF frame = QRectF(kSpeedFrame).adjusted(-4, -6, 14, 3);
  DrawWell(p, frame, 5, kWell);
  DrawWell(p, Around(RectOf(kSkinSpeedDisplay), 1), 2, kValueDisplay);
  // So are its "SPD" label and its unit, which follows the unit setting.
}

void DrawSectionLines(QPainter& p) {
  // A groove under the menu and tool row.
  p.setPen(QPen(kWellEdgeDark, 1));
  p.drawLine(QPointF(8, 60.5), QPointF(1016, 60.5));
  p.setPen(QPen(QColor(255, 255, 255, 14), 1));
  p.drawLine(QPointF(8, 61.5), QPointF(1016, 61.5));
  // A faint divider between the menu words and the tool buttons.
  p.setPen(QPen(kHairline, 1));
  p.drawLine(QPointF(400.5, 36), QPointF(400.5, 54));
}

}  // namespace

QImage BackPanel(bool mxh) {
  QImage panel = NewPicture(kPanelSize, kPanelBottom);
  QPainter p;
  BeginPainting(p, panel);
  FillVertical(p, QRectF(QPointF(0, 0), QSizeF(kPanelSize)), kPanelTop, kPanelBottom);
  DrawTitleBar(p);
  DrawSectionLines(p);
  DrawHomepageMark(p);

  for (int window :
       {kSkinPanePanel, kSkinSearchWindow, kSkinMapWindow, kSkinPlayTimePanel, kSkinImgInfoPanel, kSkinGSensorWindow}) {
    DrawWell(p, Around(RectOf(window)), 5, kWell);
  }
  DrawWell(p, Around(RectOf(kSkinSlideBar)), 4, kWell);
  DrawWell(p, Around(RectOf(kSkinDateTimeDisplay)), 4, kDateDisplay);
  DrawWell(p, Around(RectOf(kSkinGpsDisplay)), 4, kValueDisplay);
  DrawSpeedReadout(p);
  DrawGDisplays(p, mxh);

  p.setPen(QPen(kWellEdgeDark, 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(0.5, 0.5, kPanelSize.width() - 1, kPanelSize.height() - 1));
  p.end();
  return panel;
}

QImage BottomStrip(int width) {
  QImage strip = NewPicture(QSize(width, kBottomStripHeight), kPanelBottom);
  QPainter p;
  BeginPainting(p, strip);
  FillVertical(p, QRectF(0, 0, width, kBottomStripHeight), kTitleBottom, kPanelBottom);
  p.setPen(QPen(kWellEdgeDark, 1));
  p.drawLine(QPointF(0, 0.5), QPointF(width, 0.5));
  p.setPen(QPen(QColor(255, 255, 255, 20), 1));
  p.drawLine(QPointF(0, 1.5), QPointF(width, 1.5));
  p.setFont(UiFont(11, QFont::Bold));
  p.setPen(kInkDisabled);
  p.drawText(QRectF(0, 0, width - 16, kBottomStripHeight), Qt::AlignRight | Qt::AlignVCenter, "Korvane");
  return strip;
}

QImage EmptyPicture(QSize size) {
  QImage picture = NewPicture(size, kWell);
  QPainter p;
  BeginPainting(p, picture);
  QRadialGradient glow(QPointF(size.width() / 2.0, size.height() / 2.0), size.width() * 0.6);
  glow.setColorAt(0, QColor(38, 42, 47));
  glow.setColorAt(1, QColor(22, 24, 27));
  p.fillRect(picture.rect(), glow);
  const qreal side = size.height() * 0.3;
  DrawIcon(p, Icon::kCamera, QRectF(size.width() / 2.0 - side / 2, size.height() / 2.0 - side / 2, side, side),
           QColor(58, 63, 70));
  return picture;
}

// What stands where a picture cannot be shown (the map area without a
// map): a quiet chart grid with a globe, nothing that looks like data.
QImage FallbackPicture(QSize size) {
  QImage picture = NewPicture(size, kWell);
  QPainter p;
  BeginPainting(p, picture);
  FillVertical(p, QRectF(picture.rect()), QColor(30, 33, 37), QColor(22, 24, 27));
  constexpr int kGridStep = 24;
  p.setPen(QPen(QColor(255, 255, 255, 14), 1));
  for (int x = kGridStep; x < size.width(); x += kGridStep)
    p.drawLine(QPointF(x + 0.5, 0), QPointF(x + 0.5, size.height()));
  for (int y = kGridStep; y < size.height(); y += kGridStep)
    p.drawLine(QPointF(0, y + 0.5), QPointF(size.width(), y + 0.5));
  const qreal side = std::min(size.width(), size.height()) * 0.3;
  DrawIcon(p, Icon::kGlobe, QRectF(size.width() / 2.0 - side / 2, size.height() / 2.0 - side / 2, side, side),
           QColor(58, 63, 70));
  p.setPen(QPen(kFaceBorder, 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1));
  return picture;
}

QImage SlideTrack(QSize size, bool second) {
  QImage track = NewPicture(size, kWell);
  QPainter p;
  BeginPainting(p, track);
  const QRectF groove(6, size.height() / 2.0 - 3, size.width() - 12, 6);
  DrawWell(p, groove, 3, second ? QColor(60, 48, 24) : QColor(18, 20, 23));
  if (second) {
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent.darker(140));
    p.drawRoundedRect(groove.adjusted(1.5, 1.5, -1.5, -1.5), 1.5, 1.5);
  }
  return track;
}

QImage SlideThumb(QSize size) {
  QImage thumb = NewPicture(size, kWell);
  QPainter p;
  BeginPainting(p, thumb);
  const QRectF knob(1, 1, size.width() - 2, size.height() - 2);
  FillVertical(p, knob, QColor(214, 218, 224), QColor(150, 156, 164), 3);
  p.setPen(QPen(kFaceBorder, 1));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(knob.adjusted(-0.5, -0.5, 0.5, 0.5), 3.5, 3.5);
  p.setPen(QPen(kAccent.darker(110), 2));
  p.drawLine(QPointF(size.width() / 2.0, 5), QPointF(size.width() / 2.0, size.height() - 5));
  return thumb;
}

QImage LampStrip(QSize cell, bool left) {
  // Cell order follows the signal byte: 0 turn and brake, 1 dark, 2 turn
  // alone, 3 brake alone.
  constexpr bool kTurn[4] = {true, false, true, false};
  constexpr bool kBrake[4] = {true, false, false, true};
  return MakeStrip(NewPicture(cell, kWell), 4, [&](QPainter& p, const QRectF& rect, int index) {
    const qreal h = rect.height();
    const qreal arrowWidth = rect.width() * 0.55;
    const qreal arrowLeft = left ? rect.left() + 4 : rect.right() + 1 - 4 - arrowWidth;
    const qreal tip = left ? arrowLeft : arrowLeft + arrowWidth;
    const qreal base = left ? arrowLeft + arrowWidth * 0.45 : arrowLeft + arrowWidth * 0.55;
    const qreal tail = left ? arrowLeft + arrowWidth : arrowLeft;
    const QPolygonF arrow{{tip, h / 2},     {base, 4},        {base, h * 0.33}, {tail, h * 0.33},
                          {tail, h * 0.67}, {base, h * 0.67}, {base, h - 4}};
    const QColor turn = kTurn[index] ? kLampAmber : kLampOff;
    if (kTurn[index]) {
      QColor halo = kLampAmber;
      halo.setAlpha(60);
      p.setPen(QPen(halo, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    } else {
      p.setPen(Qt::NoPen);
    }
    p.setBrush(turn);
    p.drawPolygon(arrow.translated(0, rect.top()));

    const qreal lampX = left ? rect.right() + 1 - 16 : rect.left() + 16;
    const QPointF centre(lampX, h / 2);
    if (kBrake[index]) {
      QRadialGradient glow(centre, 9);
      glow.setColorAt(0, kLampRed.lighter(130));
      glow.setColorAt(0.6, kLampRed);
      glow.setColorAt(1, QColor(kLampRed.red(), kLampRed.green(), kLampRed.blue(), 0));
      p.setPen(Qt::NoPen);
      p.setBrush(glow);
      p.drawEllipse(centre, 9, 9);
    } else {
      p.setPen(Qt::NoPen);
      p.setBrush(kLampOff);
      p.drawEllipse(centre, 6, 6);
    }
  });
}

}  // namespace skin
