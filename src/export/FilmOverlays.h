#pragma once
// What an MP4 film may have drawn into its pictures, and what each overlay
// shows on one frame: the frame's own values and the drive behind it (the
// G trail and graph of the last seconds, the route so far). Everything an
// overlay shows is worked out here; a painter with a real renderer only
// draws the scene. An overlay with no data for the frame (no fix) gets
// none, and says so, rather than the last value it had.

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "export/AviCaption.h"
#include "export/CaptionStamp.h"
#include "recording/FrameInfoVideo.h"
#include "telemetry/SpeedSource.h"
#include "telemetry/SpeedUnit.h"

struct FilmOverlayItems {
  bool caption = false;  // the AVI caption's four items
  bool speedometer = false;
  bool gMeter = false;
  bool graph = false;
  bool route = false;
  bool lamps = false;

  bool Any() const { return caption || speedometer || gMeter || graph || route || lamps; }
  friend bool operator==(const FilmOverlayItems&, const FilmOverlayItems&) = default;
};

// "caption,speed,gmeter,graph,route,lamps" (any of them, any order) or
// "none", as the command line and the settings spell them; nothing for an
// unknown word.
std::optional<FilmOverlayItems> FilmOverlaysFromKeys(std::string_view keys);
// The chosen ones in that order, "none" for none.
std::string FilmOverlayKeys(const FilmOverlayItems& items);

// The G trail covers this much time, the graph strip this much.
inline constexpr int64_t kGTrailMs = 1000;
inline constexpr int64_t kGraphSpanMs = 10000;

struct GSample {
  int64_t ageMs = 0;  // how long before the frame
  double x = 0;
  double y = 0;
  double z = 0;
};

// A route point in the inset's square, 0..1 both ways, north up.
struct InsetPoint {
  double x = 0;
  double y = 0;
  friend bool operator==(const InsetPoint&, const InsetPoint&) = default;
};

struct OverlayScene {
  int width = 0;
  int height = 0;
  FilmOverlayItems items;
  std::vector<CaptionLine> caption;
  // The speedometer: the speed in the chosen unit, none without data.
  std::optional<double> speed;
  double speedFullScale = 0;  // the bar's full length, in the unit
  std::string speedUnit;      // "km/h" or "mph"
  std::string noData;         // said where a position or speed is missing
  std::string noLamps;        // said where the recorder has no lamp data
  // The G-meter: the frame's horizontal G and its trail, oldest first.
  double gX = 0;
  double gY = 0;
  std::vector<GSample> gTrail;
  // The graph strip: the last kGraphSpanMs, oldest first.
  std::vector<GSample> graph;
  // The route inset: the route so far and where the car is; none without
  // a fix.
  std::vector<InsetPoint> route;
  std::optional<InsetPoint> position;
  // The car's lamps (signal bits) on a recorder that records them.
  bool lampsRecorded = false;
  uint8_t signal = 0;
};

// What the scene needs besides the frames; caption.texts and noLamps are
// the language's texts.
struct FilmOverlayContext {
  FilmOverlayItems items;
  AviCaptionContext caption;
  SpeedUnit unit = SpeedUnit::kKmh;
  std::string noLamps = "No lamp data";
};

// The context's texts in the chosen language.
void LoadFilmOverlayTexts(FilmOverlayContext& context);

// Feeds a film's frames in order and gives each one's scene.
class FilmTelemetry {
 public:
  // The caption overlay is the AVI caption with all four of its items.
  explicit FilmTelemetry(FilmOverlayContext context);

  // The recording the next frames come from: its recorder ID and whether it
  // has any fix, for the caption.
  void UseRecording(const std::string& recorderId, bool hasGpsFix);
  // The frame at timeMs (its time key) and its scene on a width x height
  // picture.
  OverlayScene Next(int64_t timeMs, const FRAMEINFOVIDEO& frame, int width, int height);

 private:
  struct Fix {
    double latitude;
    double longitude;
  };
  struct TimedG {
    int64_t timeMs;
    double x, y, z;
  };

  std::optional<double> SpeedOf(const FRAMEINFOVIDEO& frame) const;
  void Project(OverlayScene& scene, const std::optional<Fix>& now) const;

  FilmOverlayContext context_;
  std::deque<TimedG> g_;
  std::vector<Fix> route_;
  int64_t lastRouteMs_ = -1;
};

// Draws a scene's overlays.
class FilmOverlayPainter {
 public:
  virtual ~FilmOverlayPainter() = default;
  // The scene's overlays, a stamp for each part (StampYuv puts them on the
  // picture).
  virtual std::vector<CaptionStamp> Render(const OverlayScene& scene) = 0;
};
