#include "KorvaneSkin.h"

#include <QPainter>
#include <functional>

#include "SkinArt.h"
#include "SkinDigits.h"
#include "SkinIcons.h"
#include "SkinLayout.h"
#include "SkinPalette.h"
#include "SkinPanels.h"
#include "skin/SkinEntries.h"
#include "skin/SkinPackageWriter.h"
#include "skin/SkinWords.h"

namespace skin {
namespace {

// The panel pictures that buttons cut their corners from.
struct Backdrops {
  QImage panel = BackPanel(false);
  QImage panelModel9 = BackPanel(true);

  QImage PanelAt(const QRect& rect) const { return panel.copy(rect); }
  // The search window and the log pane fill themselves with the well colour.
  static QImage Well(const QRect& rect) { return NewPicture(rect.size(), kWell); }
};

using Maker = std::function<QImage(const QRect& rect, const Backdrops& backdrops)>;

// ---- button contents --------------------------------------------------------

QRectF IconBox(const QRectF& cell) {
  const qreal side = std::min(cell.width(), cell.height()) * 0.74;
  return QRectF(cell.center().x() - side / 2, cell.center().y() - side / 2, side, side);
}

CellContent IconContent(Icon icon, bool accent = false) {
  return [=](QPainter& p, const QRectF& cell, CellState state) {
    QColor ink = InkFor(state);
    if (accent && state != CellState::kDisabled) ink = state == CellState::kPressed ? kAccent.darker(120) : kAccent;
    DrawIcon(p, icon, IconBox(cell), ink);
  };
}

// Words are the window's to draw, from the language table: a button with a
// word shows only its face here, an icon with a word the icon at its left,
// clear of where the word goes.
CellContent NoContent() {
  return [](QPainter&, const QRectF&, CellState) {};
}

CellContent IconLeftContent(Icon icon) {
  return [=](QPainter& p, const QRectF& cell, CellState state) {
    const int height = static_cast<int>(cell.height());
    const qreal side = height * 62 / 100;
    const qreal left = cell.left() + IconButtonWordLeft(height) - 4 - side;
    DrawIcon(p, icon, QRectF(left, cell.center().y() - side / 2, side, side), InkFor(state));
  };
}

// Menu words and the title-bar buttons sit flat on the panel and only grow
// a face under the mouse or the press.
QImage FlatButtonStrip(const QImage& backdrop, const CellContent& content, bool danger = false,
                       bool underline = false) {
  return MakeStrip(backdrop, 4, [&](QPainter& p, const QRectF& rect, int index) {
    const CellState state = kButtonCells[index];
    if (state == CellState::kHover || state == CellState::kPressed) DrawButtonFace(p, rect, state, danger);
    if (state == CellState::kHover && underline) {
      p.setPen(Qt::NoPen);
      p.setBrush(kAccent);
      p.drawRoundedRect(QRectF(rect.left() + 6, rect.bottom() - 2.5, rect.width() - 12, 2), 1, 1);
    }
    content(p, state == CellState::kPressed ? rect.translated(0, 1) : rect, state);
  });
}

// Cells: unlit, unlit hover, lit, lit hover. The caption is the control's.
QImage TabStrip(const QImage& backdrop) {
  return MakeStrip(backdrop, 4, [&](QPainter& p, const QRectF& rect, int index) {
    const bool lit = index >= 2;
    const bool hover = index % 2 == 1;
    const QRectF face = rect.adjusted(0.5, 0.5, -0.5, -0.5);
    QColor top = lit ? kFaceHoverTop : kFaceTop.darker(125);
    QColor bottom = lit ? kFaceBottom : kFaceBottom.darker(125);
    if (hover) {
      top = top.lighter(118);
      bottom = bottom.lighter(118);
    }
    FillVertical(p, face, top, bottom, 3.5);
    p.setPen(QPen(hover ? kAccent : kFaceBorder, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(face, 3.5, 3.5);
    if (lit) {
      p.setPen(Qt::NoPen);
      p.setBrush(kAccent);
      p.drawRoundedRect(QRectF(rect.left() + 4, rect.bottom() - 3, rect.width() - 8, 2.5), 1, 1);
    }
  });
}

Maker PanelButton(Icon icon, bool accent = false) {
  return [=](const QRect& rect, const Backdrops& b) {
    return MakeButtonStrip(b.PanelAt(rect), IconContent(icon, accent));
  };
}
Maker TitleButton(Icon icon, bool danger = false) {
  return [=](const QRect& rect, const Backdrops& b) {
    return FlatButtonStrip(b.PanelAt(rect), IconContent(icon), danger);
  };
}
Maker MenuButton() {
  return
      [=](const QRect& rect, const Backdrops& b) { return FlatButtonStrip(b.PanelAt(rect), NoContent(), false, true); };
}
Maker WellButton(const CellContent& content) {
  return [=](const QRect& rect, const Backdrops&) { return MakeButtonStrip(Backdrops::Well(rect), content); };
}

// ---- read-out pieces ----------------------------------------------------------

QImage SpeedCaption(const QRect& rect, const Backdrops& b) {
  return MakeStrip(b.PanelAt(rect), 2, [](QPainter&, const QRectF&, int) {});
}

QImage SpeedIndicator(const QRect& rect, const Backdrops& b) {
  return MakeStrip(b.PanelAt(rect), 2, [](QPainter& p, const QRectF& cell, int index) {
    const QColor lamp = index == 0 ? kAccent : QColor(80, 205, 130);
    const QPointF centre = cell.center() + QPointF(0.5, 0.5);
    p.setPen(QPen(kWellEdgeDark, 1));
    p.setBrush(lamp);
    p.drawEllipse(centre, 4.2, 4.2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 120));
    p.drawEllipse(centre + QPointF(-1.2, -1.2), 1.3, 1.3);
  });
}

// The date display's weekday cells: the display's ground, the word is drawn
// over it.
const QStringList kWeekdays = {"", "", "", "", "", "", ""};

struct PictureRow {
  int entry;
  Maker make;
};

// What each entry with a picture shows; the cell size is its rectangle's.
std::vector<PictureRow> Pictures() {
  auto fixed = [](std::function<QImage(QSize)> make) {
    return [make](const QRect& rect, const Backdrops&) { return make(rect.size()); };
  };
  return {
      {kSkinBackground, [](const QRect&, const Backdrops& b) { return b.panel; }},
      {kSkinBackgroundMxH, [](const QRect&, const Backdrops& b) { return b.panelModel9; }},
      {kSkinBottomStrip, fixed([](QSize s) { return BottomStrip(s.width()); })},
      {kSkinBottomStripMxH, fixed([](QSize s) { return BottomStrip(s.width()); })},
      {kSkinBottomStripNarrow, fixed([](QSize s) { return BottomStrip(s.width()); })},

      {kSkinButtonAbout, TitleButton(Icon::kInfo)},
      {kSkinButtonMinimize, TitleButton(Icon::kMinimize)},
      {kSkinButtonExit, TitleButton(Icon::kClose, true)},

      {kSkinButtonMenuFile, MenuButton()},
      {kSkinButtonMenuEdit, MenuButton()},
      {kSkinButtonMenuView, MenuButton()},
      {kSkinButtonMenuPlay, MenuButton()},
      {kSkinButtonMenuTool, MenuButton()},
      {kSkinButtonMenuHelp, MenuButton()},

      {kSkinButtonOpen, PanelButton(Icon::kOpenFolder)},
      {kSkinButtonSaveImage, PanelButton(Icon::kCamera)},
      {kSkinButtonPrintImage, PanelButton(Icon::kPrinter)},
      {kSkinButtonSaveAvi, PanelButton(Icon::kFilm)},
      {kSkinButtonBackup, PanelButton(Icon::kBackup)},
      {kSkinButtonGoogleEarth, PanelButton(Icon::kGlobe)},
      {kSkinButtonSetup, PanelButton(Icon::kGear)},
      {kSkinButtonHomepage, PanelButton(Icon::kHouse)},

      {kSkinButtonBackFast, PanelButton(Icon::kBackFast)},
      {kSkinButtonPrevious, PanelButton(Icon::kPreviousFrame)},
      {kSkinButtonBackPlay, PanelButton(Icon::kBackPlay)},
      {kSkinButtonPause, PanelButton(Icon::kPause)},
      {kSkinButtonPlay, PanelButton(Icon::kPlay, true)},
      {kSkinButtonNext, PanelButton(Icon::kNextFrame)},
      {kSkinButtonPlayFast, PanelButton(Icon::kPlayFast)},
      {kSkinButtonSingleView, PanelButton(Icon::kSingleView)},
      {kSkinButtonThumbView, PanelButton(Icon::kThumbView)},
      {kSkinButtonZoomIn, PanelButton(Icon::kZoomIn)},
      {kSkinButtonZoomOut, PanelButton(Icon::kZoomOut)},
      {kSkinButtonDefaultGraph, PanelButton(Icon::kDefaultGraph)},

      {kSkinTabEvent, [](const QRect& r, const Backdrops&) { return TabStrip(Backdrops::Well(r)); }},
      {kSkinTabNormal, [](const QRect& r, const Backdrops&) { return TabStrip(Backdrops::Well(r)); }},
      {kSkinTabLog, [](const QRect& r, const Backdrops&) { return TabStrip(Backdrops::Well(r)); }},
      {kSkinTabTrip, [](const QRect& r, const Backdrops&) { return TabStrip(Backdrops::Well(r)); }},
      {kSkinButtonEventMarker, WellButton(IconContent(Icon::kFlag))},
      {kSkinButtonLoad, WellButton(NoContent())},
      {kSkinButtonClose, WellButton(NoContent())},
      {kSkinButtonCheckAll, WellButton(IconLeftContent(Icon::kCheckedBox))},
      {kSkinButtonUnCheckAll, WellButton(IconLeftContent(Icon::kEmptyBox))},
      {kSkinButtonSearchLog, WellButton(IconLeftContent(Icon::kSearch))},

      {kSkinDigitsSmall, fixed([](QSize s) { return SegmentDigitStrip(s, kDateDisplay, kDateDigit, 1.7); })},
      {kSkinDigitsLarge, fixed([](QSize s) { return SegmentDigitStrip(s, kDateDisplay, kDateDigit, 2.0); })},
      {kSkinDateSeparators, fixed([](QSize s) { return SeparatorStrip(s, kDateDisplay, kDateDigit); })},
      {kSkinWeekdays, fixed([](QSize s) { return WordStrip(s, kWeekdays, kDateDisplay, kDateDigit, 10, kSunday); })},
      {kSkinDigitsSpeed, fixed([](QSize s) { return SegmentDigitStrip(s, kValueDisplay, kSpeedDigit, 3.2); })},
      {kSkinDigitsG, fixed([](QSize s) { return SegmentDigitStrip(s, kValueDisplay, kValueDigit, 2.1); })},
      {kSkinDecimalPoint, fixed([](QSize s) { return DecimalPointCell(s, kValueDisplay, kValueDigit); })},
      {kSkinGpsSymbols, fixed([](QSize s) { return AngleMarkStrip(s, kValueDisplay, kValueDigit); })},
      {kSkinHemispheres, fixed([](QSize s) {
         return WordStrip(s, {"N", "S", "E", "W"}, kValueDisplay, kValueDigit, 13);
       })},
      {kSkinSpeedCaption, SpeedCaption},
      {kSkinSpeedIndicator, SpeedIndicator},
      {kSkinLampLeft, fixed([](QSize s) { return LampStrip(s, true); })},
      {kSkinLampRight, fixed([](QSize s) { return LampStrip(s, false); })},

      {kSkinSlideTrack, fixed([](QSize s) { return SlideTrack(s, false); })},
      {kSkinSlideThumb, fixed([](QSize s) { return SlideThumb(s); })},
      {kSkinSlideTrack2, fixed([](QSize s) { return SlideTrack(s, true); })},
      {kSkinEmptyPicture, fixed([](QSize s) { return EmptyPicture(s); })},
      {kSkinFallback, fixed([](QSize s) { return FallbackPicture(s); })},
  };
}

const Maker* MakerFor(const std::vector<PictureRow>& pictures, int entry) {
  for (const PictureRow& row : pictures) {
    if (row.entry == entry) return &row.make;
  }
  return nullptr;
}

// The windows that fill themselves with the skin colour read it from the
// background entries' value.
int SkinColourValue() { return static_cast<int>(kWell.rgb() & 0xFFFFFFu); }

}  // namespace
}  // namespace skin

bool WriteKorvaneSkin(const std::filesystem::path& dscPath) {
  using namespace skin;
  const Backdrops backdrops;
  const std::vector<PictureRow> pictures = Pictures();
  CSkinPackageWriter writer;
  for (const LayoutRow& row : Layout()) {
    const SkinEntryRect rect{row.left, row.top, row.right, row.bottom};
    const Maker* make = MakerFor(pictures, row.entry);
    if (make == nullptr) {
      writer.AddRect(row.entry, rect, row.visible);
      continue;
    }
    const QImage picture = (*make)(RectOf(row.entry), backdrops);
    const bool background = row.entry == kSkinBackground || row.entry == kSkinBackgroundMxH;
    if (!writer.AddPicture(row.entry, rect, background ? SkinColourValue() : 0, row.visible, picture.width(),
                           picture.height(), ToRgb(picture))) {
      return false;
    }
  }
  return writer.Write(dscPath);
}
