#pragma once
// The MP4 film's overlays drawn with Qt: the caption through the one
// caption renderer, every other overlay into a stamp of its own box.

#include <memory>
#include <vector>

#include "export/FilmOverlays.h"
#include "export/render/QtCaptionPainter.h"

class FilmOverlay;

class QtFilmOverlayPainter final : public FilmOverlayPainter {
 public:
  QtFilmOverlayPainter();
  ~QtFilmOverlayPainter() override;
  std::vector<CaptionStamp> Render(const OverlayScene& scene) override;

 private:
  QtCaptionPainter caption_;
  std::vector<std::unique_ptr<FilmOverlay>> overlays_;
};
