// The G graph strip: the last ten seconds of the three axes, now at the
// right edge, a line at 0 g and the strip's range +-1.5 g.
#include <QPainterPath>
#include <QString>
#include <algorithm>

#include "export/render/FilmOverlay.h"

namespace {

using namespace overlay_style;

constexpr int kWidth = 220;
constexpr int kHeight = 64;
constexpr double kRangeG = 1.5;
constexpr int kLabelPixels = 10;

class GraphStripOverlay final : public FilmOverlay {
 public:
  bool Chosen(const FilmOverlayItems& items) const override { return items.graph; }

  QRect Area(int width, int height) const override {
    const int h = Scaled(kHeight, height);
    const int w = std::min(Scaled(kWidth, height), width / 2 - Scaled(kEdge, height));
    return {Scaled(kEdge, height), height - Scaled(kBottomFree, height) - h, w, h};
  }

  void Draw(QPainter& painter, const OverlayScene& scene, QSize area) const override {
    const int h = scene.height;
    DrawPanel(painter, area);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const double middle = area.height() / 2.0;
    const double perG = (area.height() / 2.0 - Scaled(3, h)) / kRangeG;
    painter.setPen(QPen(kDim, 1));
    painter.drawLine(QPointF(0, middle), QPointF(area.width(), middle));
    painter.setFont(Font(Scaled(kLabelPixels, h), false));
    painter.drawText(QRect(Scaled(3, h), 0, area.width(), area.height()), Qt::AlignLeft | Qt::AlignTop, "10 s");

    const auto x = [&](int64_t ageMs) { return area.width() * (1.0 - static_cast<double>(ageMs) / kGraphSpanMs); };
    const auto y = [&](double g) { return middle - std::clamp(g, -kRangeG, kRangeG) * perG; };
    const struct {
      double GSample::*axis;
      QColor colour;
    } axes[] = {{&GSample::x, kXAxis}, {&GSample::y, kYAxis}, {&GSample::z, kZAxis}};
    for (const auto& axis : axes) {
      if (scene.graph.empty()) break;
      QPainterPath path;
      path.moveTo(x(scene.graph.front().ageMs), y(scene.graph.front().*axis.axis));
      for (const GSample& g : scene.graph) path.lineTo(x(g.ageMs), y(g.*axis.axis));
      painter.setPen(QPen(axis.colour, std::max(1.0, 1.5 * Scale(h))));
      painter.setBrush(Qt::NoBrush);
      painter.drawPath(path);
    }
  }
};

}  // namespace

std::unique_ptr<FilmOverlay> MakeGraphStripOverlay() { return std::make_unique<GraphStripOverlay>(); }
