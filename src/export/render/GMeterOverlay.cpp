// The G-meter: a circle of the horizontal plane, rings at 0.5 and 1 g, the
// frame's G as a dot and its last second as a fading trail. Sideways G
// (x) goes right, forward G (y) up; beyond the outer ring the dot stays on
// its edge.
#include <QPointF>
#include <QString>
#include <algorithm>
#include <cmath>

#include "export/render/FilmOverlay.h"

namespace {

using namespace overlay_style;

constexpr int kSize = 110;
constexpr int kTop = 106;  // under the speedometer
constexpr double kOuterG = 1.25;
constexpr int kLabelPixels = 10;
constexpr int kDotRadius = 5;

class GMeterOverlay final : public FilmOverlay {
 public:
  bool Chosen(const FilmOverlayItems& items) const override { return items.gMeter; }

  QRect Area(int width, int height) const override {
    const int size = Scaled(kSize, height);
    return {width - size - Scaled(kEdge, height), Scaled(kTop, height), size, size};
  }

  void Draw(QPainter& painter, const OverlayScene& scene, QSize area) const override {
    const int h = scene.height;
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kPanel);
    painter.drawEllipse(QRectF(0, 0, area.width(), area.height()));
    const QPointF centre(area.width() / 2.0, area.height() / 2.0);
    const double perG = (area.width() / 2.0 - Scaled(3, h)) / kOuterG;
    const auto at = [&](double x, double y) {
      const double length = std::hypot(x, y);
      const double shrink = length > kOuterG ? kOuterG / length : 1.0;
      return centre + QPointF(x * shrink * perG, -y * shrink * perG);
    };

    painter.setBrush(Qt::NoBrush);
    painter.setFont(Font(Scaled(kLabelPixels, h), false));
    for (const double ring : {0.5, 1.0}) {
      painter.setPen(QPen(kDim, std::max(1, Scaled(1, h))));
      painter.drawEllipse(centre, ring * perG, ring * perG);
      painter.setPen(kDim);
      painter.drawText(at(0, ring) + QPointF(Scaled(2, h), Scaled(10, h)), ring < 1 ? "0.5" : "1 g");
    }
    painter.drawLine(QPointF(centre.x() - perG, centre.y()), QPointF(centre.x() + perG, centre.y()));
    painter.drawLine(QPointF(centre.x(), centre.y() - perG), QPointF(centre.x(), centre.y() + perG));

    painter.setPen(Qt::NoPen);
    for (const GSample& g : scene.gTrail) {
      const double fresh = 1.0 - static_cast<double>(g.ageMs) / kGTrailMs;
      painter.setBrush(QColor(255, 210, 0, static_cast<int>(40 + 140 * fresh)));
      const double r = Scaled(kDotRadius, h) * (0.4 + 0.4 * fresh);
      painter.drawEllipse(at(g.x, g.y), r, r);
    }
    painter.setBrush(kAccent);
    painter.setPen(QPen(Qt::black, std::max(1, Scaled(1, h))));
    const double r = Scaled(kDotRadius, h);
    painter.drawEllipse(at(scene.gX, scene.gY), r, r);
  }
};

}  // namespace

std::unique_ptr<FilmOverlay> MakeGMeterOverlay() { return std::make_unique<GMeterOverlay>(); }
