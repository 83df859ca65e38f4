// The car's lamps as the MX-H records them: the left and right turn
// arrows and the brake bar between them, the brake bar lit by the brake
// and hazard bits; on a recorder without them the no-data text.
#include <QPolygonF>
#include <QString>

#include "export/render/FilmOverlay.h"
#include "telemetry/DigitCells.h"

namespace {

using namespace overlay_style;

constexpr int kWidth = 120;
constexpr int kHeight = 30;
constexpr int kLabelPixels = 10;
const QColor kTurnLit(60, 230, 60);
const QColor kBrakeLit(255, 40, 40);
const QColor kOff(70, 70, 70);

// Bits 0 and 1 are the brake and hazard lights.
constexpr uint8_t kBrakeBits = 0x03;
bool Braking(uint8_t signal) { return (signal & kBrakeBits) != 0; }

class LampsOverlay final : public FilmOverlay {
 public:
  bool Chosen(const FilmOverlayItems& items) const override { return items.lamps; }

  QRect Area(int width, int height) const override {
    const int w = Scaled(kWidth, height);
    return {(width - w) / 2, Scaled(kTopFree, height), w, Scaled(kHeight, height)};
  }

  bool DrawsAlike(const OverlayScene& before, const OverlayScene& now) const override {
    return before.lampsRecorded == now.lampsRecorded && before.signal == now.signal && before.noLamps == now.noLamps;
  }

  void Draw(QPainter& painter, const OverlayScene& scene, QSize area) const override {
    const int h = scene.height;
    DrawPanel(painter, area);
    if (!scene.lampsRecorded) {
      painter.setPen(kDim);
      painter.setFont(Font(Scaled(kLabelPixels, h), true));
      painter.drawText(QRect(0, 0, area.width(), area.height()), Qt::AlignCenter,
                       QString::fromStdString(scene.noLamps));
      return;
    }
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    const double w = area.width();
    const double ht = area.height();
    const double pad = ht * 0.2;
    const double arrow = ht - 2 * pad;
    const QPolygonF left({QPointF(pad, ht / 2), QPointF(pad + arrow, pad), QPointF(pad + arrow, ht - pad)});
    const QPolygonF right(
        {QPointF(w - pad, ht / 2), QPointF(w - pad - arrow, pad), QPointF(w - pad - arrow, ht - pad)});
    painter.setBrush((scene.signal & kLeftLampBit) != 0 ? kTurnLit : kOff);
    painter.drawPolygon(left);
    painter.setBrush((scene.signal & kRightLampBit) != 0 ? kTurnLit : kOff);
    painter.drawPolygon(right);
    painter.setBrush(Braking(scene.signal) ? kBrakeLit : kOff);
    painter.drawRoundedRect(QRectF(2 * pad + arrow, ht * 0.35, w - 4 * pad - 2 * arrow, ht * 0.3), 2, 2);
  }
};

}  // namespace

std::unique_ptr<FilmOverlay> MakeLampsOverlay() { return std::make_unique<LampsOverlay>(); }
