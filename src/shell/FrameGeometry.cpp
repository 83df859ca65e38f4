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

PanelViewport PanelViewportFor(const FrameGeometry& frame, int stripHeight) {
  if (!frame.smallScreen) return PanelViewport{};
  PanelViewport viewport;
  viewport.width = frame.width;
  viewport.height = std::max(frame.height - std::clamp(stripHeight, 0, frame.height), 0);
  viewport.stripTop = viewport.height;
  viewport.scrolls = viewport.width < kFrameWidth || viewport.height < kFrameHeight;
  return viewport;
}
