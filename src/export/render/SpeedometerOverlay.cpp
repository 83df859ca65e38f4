// The speedometer: the speed large, its unit beside it and a bar under it
// that is full at 200 km/h; without data, the no-signal text instead.
#include <QString>
#include <algorithm>
#include <cmath>

#include "export/render/FilmOverlay.h"

namespace {

using namespace overlay_style;

constexpr int kWidth = 150;
constexpr int kHeight = 70;
constexpr int kNumberPixels = 34;
constexpr int kUnitPixels = 13;
constexpr int kNoDataPixels = 12;
constexpr int kPad = 8;
constexpr int kBarHeight = 8;

class SpeedometerOverlay final : public FilmOverlay {
 public:
  bool Chosen(const FilmOverlayItems& items) const override { return items.speedometer; }

  QRect Area(int width, int height) const override {
    const int w = Scaled(kWidth, height);
    return {width - w - Scaled(kEdge, height), Scaled(kTopFree, height), w, Scaled(kHeight, height)};
  }

  bool DrawsAlike(const OverlayScene& before, const OverlayScene& now) const override {
    return before.speed == now.speed && before.speedFullScale == now.speedFullScale &&
           before.speedUnit == now.speedUnit && before.noData == now.noData;
  }

  void Draw(QPainter& painter, const OverlayScene& scene, QSize area) const override {
    const int h = scene.height;
    DrawPanel(painter, area);
    const int pad = Scaled(kPad, h);
    const QRect text(pad, pad / 2, area.width() - 2 * pad, area.height() - Scaled(kBarHeight + kPad, h) - pad / 2);
    if (!scene.speed) {
      painter.setPen(kDim);
      painter.setFont(Font(Scaled(kNoDataPixels, h), true));
      painter.drawText(QRect(pad, 0, area.width() - 2 * pad, area.height()), Qt::AlignCenter | Qt::TextWordWrap,
                       QString::fromStdString(scene.noData));
      return;
    }
    painter.setPen(kText);
    painter.setFont(Font(Scaled(kNumberPixels, h), true));
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, QString::number(std::lround(*scene.speed)));
    painter.setFont(Font(Scaled(kUnitPixels, h), false));
    painter.drawText(text, Qt::AlignRight | Qt::AlignBottom, QString::fromStdString(scene.speedUnit));

    const QRectF bar(pad, area.height() - pad - Scaled(kBarHeight, h), area.width() - 2 * pad, Scaled(kBarHeight, h));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 60));
    painter.drawRect(bar);
    const double part = scene.speedFullScale > 0 ? std::clamp(*scene.speed / scene.speedFullScale, 0.0, 1.0) : 0.0;
    painter.setBrush(kAccent);
    painter.drawRect(QRectF(bar.left(), bar.top(), bar.width() * part, bar.height()));
  }
};

}  // namespace

std::unique_ptr<FilmOverlay> MakeSpeedometerOverlay() { return std::make_unique<SpeedometerOverlay>(); }
