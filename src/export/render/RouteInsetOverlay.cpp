// The route inset: the run's route so far, north up, and the car's dot;
// without a fix the route stays and the no-signal text stands for the dot.
#include <QPainterPath>
#include <QString>

#include "export/render/FilmOverlay.h"

namespace {

using namespace overlay_style;

constexpr int kSize = 110;
constexpr int kDotRadius = 4;
constexpr int kLabelPixels = 10;

class RouteInsetOverlay final : public FilmOverlay {
 public:
  bool Chosen(const FilmOverlayItems& items) const override { return items.route; }

  QRect Area(int, int height) const override {
    const int size = Scaled(kSize, height);
    return {Scaled(kEdge, height), Scaled(kTopFree, height), size, size};
  }

  bool DrawsAlike(const OverlayScene& before, const OverlayScene& now) const override {
    return before.position == now.position && before.noData == now.noData && before.route == now.route;
  }

  void Draw(QPainter& painter, const OverlayScene& scene, QSize area) const override {
    const int h = scene.height;
    DrawPanel(painter, area);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const auto at = [&](const InsetPoint& p) { return QPointF(p.x * area.width(), p.y * area.height()); };
    painter.setPen(kDim);
    painter.setFont(Font(Scaled(kLabelPixels, h), true));
    painter.drawText(QRect(0, Scaled(2, h), area.width(), area.height()), Qt::AlignHCenter | Qt::AlignTop, "N");
    if (!scene.route.empty()) {
      QPainterPath path;
      path.moveTo(at(scene.route.front()));
      for (const InsetPoint& p : scene.route) path.lineTo(at(p));
      painter.setPen(QPen(kText, std::max(1.0, 2.0 * Scale(h)), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      painter.setBrush(Qt::NoBrush);
      painter.drawPath(path);
    }
    if (!scene.position) {
      painter.setPen(kDim);
      painter.setFont(Font(Scaled(kLabelPixels, h), true));
      painter.drawText(QRect(0, 0, area.width(), area.height()), Qt::AlignCenter | Qt::TextWordWrap,
                       QString::fromStdString(scene.noData));
      return;
    }
    painter.setPen(QPen(Qt::black, std::max(1, Scaled(1, h))));
    painter.setBrush(kAccent);
    const double r = Scaled(kDotRadius, h);
    painter.drawEllipse(at(*scene.position), r, r);
  }
};

}  // namespace

std::unique_ptr<FilmOverlay> MakeRouteInsetOverlay() { return std::make_unique<RouteInsetOverlay>(); }
