#include "shell/FrameGeometry.h"

#include <algorithm>

FrameGeometry FrameGeometryFor(int desktopWidth, int desktopHeight) {
  FrameGeometry frame;
  if (desktopWidth < kFrameWidth || desktopHeight < kFrameHeight) {
    frame.smallScreen = true;
    frame.width = std::min(kFrameWidth, desktopWidth);
    frame.height = desktopHeight;
    return frame;
  }
  frame.left = desktopWidth / 2 - kFrameWidth / 2;
  frame.top = desktopHeight / 2 - kFrameHeight / 2;
  return frame;
}
