#pragma once
// The MP4 film's overlays drawn with Qt: the caption through the one
// caption renderer, every other overlay into a stamp of its own box.

#include <memory>
#include <optional>
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
  // An overlay's stamp of the scene before, while it may serve again.
  struct Kept {
    bool valid = false;
    CaptionStamp stamp;
  };

  QtCaptionPainter caption_;
  std::vector<std::unique_ptr<FilmOverlay>> overlays_;
  std::vector<Kept> kept_;
  std::optional<OverlayScene> before_;
};
