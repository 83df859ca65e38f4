#include "samplecard/SampleScene.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "samplecard/SampleFont.h"
#include "samplecard/SampleTypes.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// Camera and road geometry, in metres.
constexpr double kHorizon = 0.42;  // of the picture height
constexpr double kFocal = 0.7;     // of the picture width
constexpr double kCameraHeight = 1.4;
constexpr double kRoadHalf = 3.2;
constexpr double kShoulder = 1.3;
constexpr double kEdgeLine = 0.14;
constexpr double kCentreLine = 0.07;
constexpr double kDashLength = 3.0;
constexpr double kDashPeriod = 9.0;
constexpr double kVergePeriod = 16.0;
constexpr double kHazeDistance = 240.0;
constexpr double kMaxCurvature = 0.02;
constexpr double kTreeSpacing = 30.0;
constexpr double kPostSpacing = 50.0;
constexpr int kTreesAhead = 10;
constexpr int kPostsAhead = 6;
constexpr double kOncomingSpeed = 14.0;  // m/s
constexpr int64_t kOncomingPeriodMs = 23000;
constexpr double kOncomingWindow = 9.0;  // seconds in view
constexpr double kSunAzimuth = 150.0;    // degrees
constexpr int kClouds = 3;

constexpr SampleRgb kSkyTop{38, 88, 170};
constexpr SampleRgb kSkyLow{176, 204, 232};
constexpr SampleRgb kHaze{178, 194, 206};
constexpr SampleRgb kHills{92, 120, 130};
constexpr SampleRgb kAsphalt{88, 90, 96};
constexpr SampleRgb kLine{236, 236, 226};
constexpr SampleRgb kVerge{126, 114, 96};
constexpr SampleRgb kGrass{74, 124, 54};
constexpr SampleRgb kTrunk{92, 64, 40};
constexpr SampleRgb kCrown{38, 96, 42};
constexpr SampleRgb kPost{240, 240, 240};
constexpr SampleRgb kWhite{255, 255, 255};
constexpr SampleRgb kBlack{0, 0, 0};
constexpr SampleRgb kAmber{255, 176, 0};
constexpr SampleRgb kRed{230, 30, 30};
constexpr SampleRgb kCarColours[] = {{170, 30, 34}, {40, 70, 150}, {190, 190, 196}, {30, 30, 34}};

SampleRgb Mix(SampleRgb a, SampleRgb b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  return {static_cast<uint8_t>(a.r + (b.r - a.r) * t), static_cast<uint8_t>(a.g + (b.g - a.g) * t),
          static_cast<uint8_t>(a.b + (b.b - a.b) * t)};
}

SampleRgb Shade(SampleRgb c, int delta) {
  auto one = [delta](uint8_t v) { return static_cast<uint8_t>(std::clamp(v + delta, 0, 255)); };
  return {one(c.r), one(c.g), one(c.b)};
}

double Wrap180(double degrees) {
  degrees = std::fmod(degrees + 180.0, 360.0);
  if (degrees < 0) degrees += 360.0;
  return degrees - 180.0;
}

// The projection shared by the background pass and the sprites.
struct Camera {
  int width = 0;
  int height = 0;
  double focal = 0;
  double horizon = 0;
  double curvature = 0;

  double DepthOfRow(double y) const { return focal * kCameraHeight / (y - horizon); }
  double RowOfDepth(double z, double heightAboveRoad) const {
    return horizon + focal * (kCameraHeight - heightAboveRoad) / z;
  }
  // The road's centre bends away as a parabola of depth.
  double CentreAt(double z) const { return 0.5 * curvature * z * z; }
  double ColumnOf(double lateral, double z) const { return width / 2.0 + focal * (CentreAt(z) + lateral) / z; }
};

// Blends c into the pixels of the box around (cx, cy) by a weight that
// falls from 1 at the centre to 0 at the edge of an ellipse of radii rx, ry.
void SoftEllipse(SampleImage* image, double cx, double cy, double rx, double ry, SampleRgb c, double strength) {
  const int top = std::max(0, static_cast<int>(cy - ry));
  const int bottom = std::min(image->height - 1, static_cast<int>(cy + ry));
  const int left = std::max(0, static_cast<int>(cx - rx));
  const int right = std::min(image->width - 1, static_cast<int>(cx + rx));
  for (int y = top; y <= bottom; ++y) {
    const double dy = (y - cy) / ry;
    for (int x = left; x <= right; ++x) {
      const double dx = (x - cx) / rx;
      const double d = dx * dx + dy * dy;
      if (d < 1.0) image->Blend(x, y, c, (1.0 - d) * strength);
    }
  }
}

void DrawSky(const SampleSceneState& s, const Camera& cam, SampleImage* image) {
  const int horizonRow = std::min(static_cast<int>(cam.horizon), cam.height - 1);
  for (int y = 0; y <= horizonRow; ++y) {
    const SampleRgb sky = Mix(kSkyTop, kSkyLow, static_cast<double>(y) / std::max(1, horizonRow));
    for (int x = 0; x < cam.width; ++x) image->Set(x, y, sky);
  }
  // The sun, the clouds and the hills sit at fixed bearings, so they pan as
  // the car turns.
  const double sunAngle = Wrap180(kSunAzimuth - s.heading) * kPi / 180.0;
  if (std::fabs(sunAngle) < 1.0) {
    const double sunX = cam.width / 2.0 + cam.focal * std::tan(sunAngle);
    const double sunRadius = cam.width * 0.03;
    SoftEllipse(image, sunX, cam.horizon * 0.35, sunRadius * 3, sunRadius * 3, SampleRgb{255, 244, 206}, 0.6);
    SoftEllipse(image, sunX, cam.horizon * 0.35, sunRadius, sunRadius, SampleRgb{255, 250, 235}, 4.0);
  }
  for (int k = 0; k < kClouds; ++k) {
    const double bearing = 40.0 + k * 115.0;
    const double cx = cam.width / 2.0 + cam.focal * std::tan(Wrap180(bearing - s.heading) * kPi / 180.0 * 0.5);
    const double cy = cam.horizon * (0.25 + 0.15 * k);
    SoftEllipse(image, cx, cy, cam.width * 0.09, cam.height * 0.03, kWhite, 0.8);
    SoftEllipse(image, cx + cam.width * 0.05, cy - cam.height * 0.015, cam.width * 0.05, cam.height * 0.025, kWhite,
                0.7);
  }
  const SampleRgb hills = Mix(kHills, kHaze, 0.3);
  for (int x = 0; x < cam.width; ++x) {
    const double bearing = s.heading + std::atan((x - cam.width / 2.0) / cam.focal) * 180.0 / kPi;
    const double rise =
        0.04 + 0.035 * std::sin(bearing * 2.0 * kPi / 180.0) + 0.025 * std::sin(bearing * 5.3 * kPi / 180.0 + 1.0);
    const int top = horizonRow - static_cast<int>(std::max(0.0, rise) * cam.height);
    for (int y = std::max(0, top); y <= horizonRow; ++y) image->Set(x, y, hills);
  }
}

void DrawGround(const SampleSceneState& s, const Camera& cam, SampleImage* image) {
  for (int y = static_cast<int>(cam.horizon) + 1; y < cam.height; ++y) {
    const double z = cam.DepthOfRow(y + 0.5);
    const double centre = cam.CentreAt(z);
    const double along = z + s.distance;
    const bool dash = std::fmod(along, kDashPeriod) < kDashLength;
    const bool vergeLight = std::fmod(along, kVergePeriod) < kVergePeriod / 2;
    const double haze = std::min(1.0, z / kHazeDistance);
    const SampleRgb asphalt = Mix(Shade(kAsphalt, static_cast<int>(4 * std::sin(along * 0.7))), kHaze, haze);
    const SampleRgb line = Mix(kLine, kHaze, haze);
    const SampleRgb verge = Mix(kVerge, kHaze, haze);
    const SampleRgb grass = Mix(Shade(kGrass, vergeLight ? 8 : -6), kHaze, haze);
    const double metresPerPixel = z / cam.focal;
    for (int x = 0; x < cam.width; ++x) {
      const double lateral = std::fabs((x + 0.5 - cam.width / 2.0) * metresPerPixel - centre);
      SampleRgb c = grass;
      if (lateral < kCentreLine && dash)
        c = line;
      else if (lateral < kRoadHalf - kEdgeLine)
        c = asphalt;
      else if (lateral < kRoadHalf)
        c = line;
      else if (lateral < kRoadHalf + kShoulder)
        c = verge;
      image->Set(x, y, c);
    }
  }
}

struct Sprite {
  double z = 0;
  double lateral = 0;
  int kind = 0;  // 0 tree, 1 post, 2 oncoming car
  int colour = 0;
};

void FillEllipse(SampleImage* image, double cx, double cy, double rx, double ry, SampleRgb c) {
  const int top = std::max(0, static_cast<int>(cy - ry));
  const int bottom = std::min(image->height - 1, static_cast<int>(cy + ry));
  const int left = std::max(0, static_cast<int>(cx - rx));
  const int right = std::min(image->width - 1, static_cast<int>(cx + rx));
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) {
      const double dx = (x - cx) / rx;
      const double dy = (y - cy) / ry;
      if (dx * dx + dy * dy <= 1.0) image->Set(x, y, c);
    }
  }
}

void DrawSprite(const Sprite& sprite, const Camera& cam, SampleImage* image) {
  const double scale = cam.focal / sprite.z;  // pixels per metre at that depth
  const double x = cam.ColumnOf(sprite.lateral, sprite.z);
  const double ground = cam.RowOfDepth(sprite.z, 0.0);
  const double haze = std::min(1.0, sprite.z / kHazeDistance);
  auto box = [&](double left, double right, double bottom, double top, SampleRgb c) {
    image->Fill(static_cast<int>(x + left * scale), static_cast<int>(ground - top * scale),
                static_cast<int>(x + right * scale) + 1, static_cast<int>(ground - bottom * scale) + 1,
                Mix(c, kHaze, haze));
  };
  if (sprite.kind == 0) {
    box(-0.18, 0.18, 0.0, 2.6, kTrunk);
    FillEllipse(image, x, ground - 4.2 * scale, 1.9 * scale, 2.3 * scale, Mix(kCrown, kHaze, haze));
  } else if (sprite.kind == 1) {
    box(-0.06, 0.06, 0.0, 1.0, kPost);
    box(-0.06, 0.06, 0.75, 0.9, kAmber);
  } else {
    const SampleRgb body = kCarColours[sprite.colour % 4];
    box(-0.9, 0.9, 0.25, 1.0, body);
    box(-0.75, 0.75, 1.0, 1.45, body);
    box(-0.65, 0.65, 1.02, 1.38, SampleRgb{40, 52, 64});
    box(-0.85, -0.6, 0.55, 0.7, SampleRgb{255, 250, 220});
    box(0.6, 0.85, 0.55, 0.7, SampleRgb{255, 250, 220});
    box(-0.85, -0.55, 0.0, 0.25, kBlack);
    box(0.55, 0.85, 0.0, 0.25, kBlack);
  }
}

void DrawRoadside(const SampleSceneState& s, const Camera& cam, SampleImage* image) {
  std::vector<Sprite> sprites;
  for (int n = 0; n < kTreesAhead; ++n) {
    const double right = (n + 1) * kTreeSpacing - std::fmod(s.distance, kTreeSpacing);
    const double left = right - kTreeSpacing / 2;
    sprites.push_back({right, kRoadHalf + kShoulder + 4.0, 0, 0});
    sprites.push_back({left, -(kRoadHalf + kShoulder + 5.5), 0, 0});
  }
  for (int n = 0; n < kPostsAhead; ++n) {
    const double z = (n + 1) * kPostSpacing - std::fmod(s.distance + 20.0, kPostSpacing);
    sprites.push_back({z, kRoadHalf + 0.6, 1, 0});
    sprites.push_back({z, -(kRoadHalf + 0.6), 1, 0});
  }
  // An oncoming car now and then, closing at both speeds together.
  const double inWindow = static_cast<double>(s.clockMs % kOncomingPeriodMs) / 1000.0;
  if (inWindow < kOncomingWindow) {
    const double closing = kOncomingSpeed + s.speed / 3.6;
    const double z = closing * (kOncomingWindow - inWindow);
    sprites.push_back({z, -kRoadHalf / 2, 2, static_cast<int>(s.clockMs / kOncomingPeriodMs)});
  }
  std::sort(sprites.begin(), sprites.end(), [](const Sprite& a, const Sprite& b) { return a.z > b.z; });
  for (const Sprite& sprite : sprites) {
    if (sprite.z > 2.0 && sprite.z < kHazeDistance) DrawSprite(sprite, cam, image);
  }
}

// The dashboard lamps: turn arrows and the brake bar above the bottom caption.
void DrawLamps(const SampleSceneState& s, const Camera& cam, SampleImage* image) {
  const int size = std::max(4, cam.width / 40);
  const int captionHeight = (kSampleGlyphHeight + 7) * std::max(1, cam.width / 320);
  const int y = cam.height - captionHeight - size * 2;
  auto arrow = [&](int tipX, int direction) {
    for (int i = 0; i < size; ++i) {
      const int x = tipX + direction * i;
      image->Fill(x, y + size / 2 - i / 2, x + 1, y + size / 2 + i / 2 + 1, kAmber);
    }
  };
  const bool hazard = s.signal & kSampleSignalBits.emergency;
  if (hazard || (s.signal & kSampleSignalBits.leftTurn)) arrow(cam.width / 2 - size * 3, 1);
  if (hazard || (s.signal & kSampleSignalBits.rightTurn)) arrow(cam.width / 2 + size * 3, -1);
  if (s.signal & kSampleSignalBits.brake) {
    image->Fill(cam.width / 2 - size, y + size / 4, cam.width / 2 + size, y + size - size / 4, kRed);
  }
}

void DrawCaptions(const SampleSceneState& s, const Camera& cam, SampleImage* image) {
  const int scale = std::max(1, cam.width / 320);
  const int margin = 4 * scale;
  const int lineHeight = (kSampleGlyphHeight + 3) * scale;
  DrawSampleText(image, margin, margin, s.topLeft, scale, scale, kWhite, kBlack);
  DrawSampleText(image, margin, cam.height - margin - lineHeight, s.bottomLeft, scale, scale, kWhite, kBlack);
  const int right = cam.width - margin - SampleTextWidth(s.topRight, scale);
  DrawSampleText(image, right, margin, s.topRight, scale, scale, s.topRightColor, kBlack);
}

}  // namespace

void RenderSampleScene(const SampleSceneState& state, SampleImage* image) {
  Camera cam;
  cam.width = image->width;
  cam.height = image->height;
  cam.focal = kFocal * image->width;
  cam.horizon = kHorizon * image->height;
  cam.curvature = std::clamp(state.curvature, -kMaxCurvature, kMaxCurvature);
  DrawSky(state, cam, image);
  DrawGround(state, cam, image);
  DrawRoadside(state, cam, image);
  DrawLamps(state, cam, image);
  DrawCaptions(state, cam, image);
}

SampleImage HalveSampleImageHeight(const SampleImage& full) {
  SampleImage half(full.width, full.height / 2);
  const size_t rowBytes = static_cast<size_t>(full.width) * 3;
  for (int y = 0; y < half.height; ++y) {
    std::copy_n(full.rgb.begin() + static_cast<std::ptrdiff_t>(rowBytes * static_cast<size_t>(2 * y)), rowBytes,
                half.rgb.begin() + static_cast<std::ptrdiff_t>(rowBytes * static_cast<size_t>(y)));
  }
  return half;
}
