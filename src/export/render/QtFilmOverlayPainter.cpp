#include "export/render/QtFilmOverlayPainter.h"

#include <QImage>
#include <algorithm>
#include <cstdint>

#include "export/render/FilmOverlay.h"

namespace {

CaptionStamp StampOf(const QImage& picture, QPoint at) {
  CaptionStamp stamp;
  stamp.x = at.x();
  stamp.y = at.y();
  stamp.width = picture.width();
  stamp.height = picture.height();
  stamp.pixels.resize(static_cast<size_t>(stamp.width) * static_cast<size_t>(stamp.height));
  for (int y = 0; y < stamp.height; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(picture.constScanLine(y));
    std::copy(row, row + stamp.width, stamp.pixels.begin() + static_cast<std::ptrdiff_t>(y) * stamp.width);
  }
  return stamp;
}

}  // namespace

QtFilmOverlayPainter::QtFilmOverlayPainter() {
  overlays_.push_back(MakeSpeedometerOverlay());
  overlays_.push_back(MakeGMeterOverlay());
  overlays_.push_back(MakeGraphStripOverlay());
  overlays_.push_back(MakeRouteInsetOverlay());
  overlays_.push_back(MakeLampsOverlay());
  kept_.resize(overlays_.size());
}

QtFilmOverlayPainter::~QtFilmOverlayPainter() = default;

std::vector<CaptionStamp> QtFilmOverlayPainter::Render(const OverlayScene& scene) {
  std::vector<CaptionStamp> stamps;
  if (scene.width <= 0 || scene.height <= 0) return stamps;
  const bool sameSize = before_ && before_->width == scene.width && before_->height == scene.height;
  for (size_t i = 0; i < overlays_.size(); ++i) {
    const FilmOverlay& overlay = *overlays_[i];
    Kept& kept = kept_[i];
    const QRect area = overlay.Area(scene.width, scene.height).intersected(QRect(0, 0, scene.width, scene.height));
    if (!overlay.Chosen(scene.items) || area.isEmpty()) {
      kept.valid = false;
      continue;
    }
    if (!kept.valid || !sameSize || !overlay.DrawsAlike(*before_, scene)) {
      QImage picture(area.size(), QImage::Format_ARGB32_Premultiplied);
      picture.fill(Qt::transparent);
      {
        QPainter painter(&picture);
        overlay.Draw(painter, scene, area.size());
      }
      kept.stamp = StampOf(picture, area.topLeft());
      kept.valid = true;
    }
    stamps.push_back(kept.stamp);
  }
  before_ = scene;
  // The caption last: its texts stay readable wherever a box comes near.
  if (scene.items.caption) {
    std::vector<CaptionStamp> caption = caption_.Render(scene.width, scene.height, scene.caption);
    std::move(caption.begin(), caption.end(), std::back_inserter(stamps));
  }
  return stamps;
}
