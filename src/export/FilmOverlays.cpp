#include "export/FilmOverlays.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "base/MgrMultiLang.h"
#include "base/ModelTable.h"
#include "recording/MgrDBSearch.h"

namespace {

struct OverlayKey {
  std::string_view key;
  bool FilmOverlayItems::*item;
};

constexpr std::array kOverlayKeys = {
    OverlayKey{"caption", &FilmOverlayItems::caption}, OverlayKey{"speed", &FilmOverlayItems::speedometer},
    OverlayKey{"gmeter", &FilmOverlayItems::gMeter},   OverlayKey{"graph", &FilmOverlayItems::graph},
    OverlayKey{"route", &FilmOverlayItems::route},     OverlayKey{"lamps", &FilmOverlayItems::lamps},
};
constexpr std::string_view kNoOverlay = "none";

// The speedometer's bar is full at this speed.
constexpr double kFullScaleKmh = 200.0;
// The route keeps a point a second: enough for an inset, bounded for a
// long film.
constexpr int64_t kRouteStepMs = 1000;
// The inset never shows less than this much of the map (about 200 m), so
// a car standing still is a dot, not a scribble of GPS noise.
constexpr double kSmallestSpanDegrees = 0.002;
constexpr double kInsetMargin = 0.05;

}  // namespace

std::optional<FilmOverlayItems> FilmOverlaysFromKeys(std::string_view keys) {
  FilmOverlayItems items;
  if (keys == kNoOverlay) return items;
  size_t from = 0;
  while (from <= keys.size()) {
    const size_t comma = std::min(keys.find(',', from), keys.size());
    const std::string_view word = keys.substr(from, comma - from);
    const auto known =
        std::find_if(kOverlayKeys.begin(), kOverlayKeys.end(), [word](const OverlayKey& k) { return k.key == word; });
    if (known == kOverlayKeys.end()) return std::nullopt;
    items.*(known->item) = true;
    from = comma + 1;
  }
  return items;
}

std::string FilmOverlayKeys(const FilmOverlayItems& items) {
  std::string keys;
  for (const OverlayKey& k : kOverlayKeys) {
    if (!(items.*(k.item))) continue;
    if (!keys.empty()) keys += ',';
    keys += k.key;
  }
  return keys.empty() ? std::string(kNoOverlay) : keys;
}

void LoadFilmOverlayTexts(FilmOverlayContext& context) {
  context.caption.texts = LoadAviCaptionTexts();
  context.noLamps = GetLangText("GUI", "NoLampData", context.noLamps);
}

FilmTelemetry::FilmTelemetry(FilmOverlayContext context) : context_(std::move(context)) {
  context_.caption.items = context_.items.caption ? AviCaptionItems{true, true, true, true} : AviCaptionItems{};
  // One unit in the whole film: the caption's speed reads as the
  // speedometer's and the cues'.
  context_.caption.speedSource.unit = context_.unit;
}

void FilmTelemetry::UseRecording(const std::string& recorderId, bool hasGpsFix) {
  context_.caption.vehicleId = recorderId;
  context_.caption.recordingHasGps = hasGpsFix;
}

std::optional<double> FilmTelemetry::SpeedOf(const FRAMEINFOVIDEO& frame) const {
  const SpeedSource& source = context_.caption.speedSource;
  if (source.UsesPulse())
    return SpeedIn(context_.unit, CMgrDBSearch::PulseToKmhFor(context_.caption.pulseType, frame.pulse), 0);
  if (frame.gps.valid == 0) return std::nullopt;
  return SpeedIn(context_.unit, frame.gps.speed, 0);
}

OverlayScene FilmTelemetry::Next(int64_t timeMs, const FRAMEINFOVIDEO& frame, int width, int height) {
  OverlayScene scene;
  scene.width = width;
  scene.height = height;
  scene.items = context_.items;
  scene.noData = context_.caption.texts.noGpsSignal;
  scene.noLamps = context_.noLamps;
  if (context_.items.caption) scene.caption = LayOutAviCaption(context_.caption, frame, width, height);

  scene.speed = SpeedOf(frame);
  scene.speedFullScale = SpeedIn(context_.unit, kFullScaleKmh, 0);
  scene.speedUnit = std::string(SpeedUnitLabel(context_.unit));

  g_.push_back({timeMs, frame.gX, frame.gY, frame.gZ});
  while (!g_.empty() && timeMs - g_.front().timeMs > kGraphSpanMs) g_.pop_front();
  scene.gX = frame.gX;
  scene.gY = frame.gY;
  for (const TimedG& g : g_) {
    const GSample sample{timeMs - g.timeMs, g.x, g.y, g.z};
    scene.graph.push_back(sample);
    if (sample.ageMs <= kGTrailMs) scene.gTrail.push_back(sample);
  }

  std::optional<Fix> now;
  if (frame.gps.valid != 0) now = Fix{frame.gps.LatitudeDegrees(), frame.gps.LongitudeDegrees()};
  if (now && (lastRouteMs_ < 0 || timeMs - lastRouteMs_ >= kRouteStepMs)) {
    route_.push_back(*now);
    lastRouteMs_ = timeMs;
  }
  if (context_.items.route) Project(scene, now);

  scene.lampsRecorded = IsMxHModel(context_.caption.speedSource.currentModel);
  scene.signal = frame.signal;
  return scene;
}

// North up, east right, a degree of longitude as long as it is at the
// route's latitude; the route fills the square's middle.
void FilmTelemetry::Project(OverlayScene& scene, const std::optional<Fix>& now) const {
  if (route_.empty()) return;
  double south = route_.front().latitude, north = south;
  double west = route_.front().longitude, east = west;
  std::vector<Fix> all = route_;
  if (now) all.push_back(*now);
  for (const Fix& f : all) {
    south = std::min(south, f.latitude);
    north = std::max(north, f.latitude);
    west = std::min(west, f.longitude);
    east = std::max(east, f.longitude);
  }
  const double shrink = std::cos((south + north) / 2.0 * std::numbers::pi / 180.0);
  const double span = std::max({north - south, (east - west) * shrink, kSmallestSpanDegrees});
  const double middleLat = (south + north) / 2.0;
  const double middleLon = (west + east) / 2.0;
  const double scale = (1.0 - 2.0 * kInsetMargin) / span;
  const auto place = [&](const Fix& f) {
    return InsetPoint{0.5 + (f.longitude - middleLon) * shrink * scale, 0.5 - (f.latitude - middleLat) * scale};
  };
  scene.route.reserve(route_.size());
  for (const Fix& f : route_) scene.route.push_back(place(f));
  if (now) scene.position = place(*now);
}
