// The film's overlay painter draws an overlay again only when what it shows
// changed: every picture's stamps are those a fresh painter draws for it,
// so a kept stamp never shows a stale value.

#include <gtest/gtest.h>

#include <vector>

#include "export/render/QtFilmOverlayPainter.h"

namespace {

OverlayScene SceneWith(std::optional<double> speed, std::optional<InsetPoint> position, uint8_t signal) {
  OverlayScene scene;
  scene.width = 640;
  scene.height = 480;
  scene.items = *FilmOverlaysFromKeys("speed,gmeter,route,lamps");
  scene.speed = speed;
  scene.speedFullScale = 200;
  scene.speedUnit = "km/h";
  scene.noData = "No GPS";
  scene.noLamps = "No lamp data";
  scene.route = {{0.2, 0.8}, {0.4, 0.5}};
  scene.position = position;
  scene.lampsRecorded = true;
  scene.signal = signal;
  return scene;
}

bool SameStamps(const std::vector<CaptionStamp>& a, const std::vector<CaptionStamp>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i].x != b[i].x || a[i].y != b[i].y || a[i].width != b[i].width || a[i].height != b[i].height ||
        a[i].pixels != b[i].pixels)
      return false;
  }
  return true;
}

TEST(QtFilmOverlayPainterTest, EveryPictureGetsWhatAFreshPainterDrawsForIt) {
  const InsetPoint here{0.5, 0.5};
  const InsetPoint there{0.6, 0.3};
  // The same scene twice, then each overlay's value changing on its own,
  // gone, and back.
  const std::vector<OverlayScene> film = {SceneWith(52, here, 0),
                                          SceneWith(52, here, 0),
                                          SceneWith(53, here, 0),
                                          SceneWith(53, there, 0),
                                          SceneWith(53, there, 1),
                                          SceneWith(std::nullopt, std::nullopt, 1),
                                          SceneWith(std::nullopt, std::nullopt, 1),
                                          SceneWith(52, here, 0)};
  QtFilmOverlayPainter painter;
  for (size_t i = 0; i < film.size(); ++i) {
    QtFilmOverlayPainter fresh;
    EXPECT_TRUE(SameStamps(painter.Render(film[i]), fresh.Render(film[i]))) << "picture " << i;
  }
}

}  // namespace
