#include "telemetry/GraphScale.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr float kNarrowestRange = 1.0f;
constexpr float kWidestRange = 4.0f;
constexpr float kZoomStep = 1.0f;

struct ScaleCommand {
  float range;
  int level;
};

// Menu scale n is +-n g; the zoom level counts the other way.
constexpr ScaleCommand kScaleCommands[] = {
    {1.0f, 4},
    {2.0f, 3},
    {3.0f, 2},
    {4.0f, 1},
};

}  // namespace

bool GraphScale::SetScale(int command) {
  if (command < 1 || command > static_cast<int>(std::size(kScaleCommands))) return false;
  const ScaleCommand& scale = kScaleCommands[command - 1];
  maximum = scale.range;
  minimum = -scale.range;
  zoomLevel = scale.level;
  return true;
}

bool GraphScale::ZoomIn() {
  if (zoomLevel >= kMaxLevel) {
    zoomLevel = kMaxLevel;
    maximum = kNarrowestRange;
    minimum = -kNarrowestRange;
    return false;
  }
  ++zoomLevel;
  maximum = std::max(maximum - kZoomStep, kNarrowestRange);
  minimum = std::min(minimum + kZoomStep, -kNarrowestRange);
  return true;
}

bool GraphScale::ZoomOut() {
  if (zoomLevel <= kMinLevel) {
    zoomLevel = kMinLevel;
    maximum = kWidestRange;
    minimum = -kWidestRange;
    return false;
  }
  --zoomLevel;
  maximum = std::min(maximum + kZoomStep, kWidestRange);
  minimum = std::max(minimum - kZoomStep, -kWidestRange);
  return true;
}

bool GraphScale::ZoomDefault() {
  maximum = kDefaultRange;
  minimum = -kDefaultRange;
  zoomLevel = kDefaultLevel;
  return true;
}
