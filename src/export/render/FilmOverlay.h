#pragma once
// One overlay of an MP4 film, drawn with QPainter into a box of its own
// that the painter turns into a stamp. Sizes are given for a 480-line
// picture and scale with the picture's height, so an overlay reads the
// same at 640 x 480 and at 1920 x 1080. The boxes keep clear of the
// lines the recorder letters into its pictures and the caption uses (the
// top 28 lines and the bottom 44 at 480 lines).

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRect>
#include <memory>

#include "export/FilmOverlays.h"

class FilmOverlay {
 public:
  virtual ~FilmOverlay() = default;
  // Whether the chosen items include this one.
  virtual bool Chosen(const FilmOverlayItems& items) const = 0;
  // Where it stands on a width x height picture.
  virtual QRect Area(int width, int height) const = 0;
  // Draws the scene into the area, the painter's origin at its top left.
  virtual void Draw(QPainter& painter, const OverlayScene& scene, QSize area) const = 0;
  // Whether it draws exactly the same for now as for before (a picture of
  // the same size), so the stamp drawn before serves again: a speed or a
  // position stays for many pictures. An overlay that moves with every
  // picture keeps this answer.
  virtual bool DrawsAlike(const OverlayScene& /*before*/, const OverlayScene& /*now*/) const { return false; }
};

std::unique_ptr<FilmOverlay> MakeSpeedometerOverlay();
std::unique_ptr<FilmOverlay> MakeGMeterOverlay();
std::unique_ptr<FilmOverlay> MakeGraphStripOverlay();
std::unique_ptr<FilmOverlay> MakeRouteInsetOverlay();
std::unique_ptr<FilmOverlay> MakeLampsOverlay();

// What the overlays share: the scale, the panel behind them, the fonts and
// colours.
namespace overlay_style {

inline constexpr int kBaseLines = 480;
inline constexpr int kEdge = 8;         // from the picture's edge
inline constexpr int kBottomFree = 44;  // the recorder's line and the caption's
inline constexpr int kTopFree = 28;     // the recorder's line and the recorder ID
inline const QColor kPanel(0, 0, 0, 140);
inline const QColor kText(255, 255, 255);
inline const QColor kAccent(255, 210, 0);
inline const QColor kDim(160, 160, 160);
inline const QColor kXAxis(255, 90, 90);
inline const QColor kYAxis(90, 200, 255);
inline const QColor kZAxis(140, 255, 140);

inline double Scale(int height) { return static_cast<double>(height) / kBaseLines; }
inline int Scaled(int value, int height) { return static_cast<int>(value * Scale(height) + 0.5); }

inline QFont Font(int pixels, bool bold) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(pixels < 1 ? 1 : pixels);
  font.setBold(bold);
  return font;
}

inline void DrawPanel(QPainter& painter, QSize area) {
  painter.setPen(Qt::NoPen);
  painter.setBrush(kPanel);
  const double radius = area.height() / 10.0;
  painter.drawRoundedRect(QRectF(0, 0, area.width(), area.height()), radius, radius);
}

}  // namespace overlay_style
