#pragma once
// Where the main frame goes on a desktop: 1024 x 768 centred, or, on a
// desktop smaller than that in either direction, pinned to the top-left
// corner at the desktop's height ("small-screen mode").
inline constexpr int kFrameWidth = 1024;
inline constexpr int kFrameHeight = 768;

struct FrameGeometry {
  bool smallScreen = false;
  int left = 0;
  int top = 0;
  int width = kFrameWidth;
  int height = kFrameHeight;
  friend bool operator==(const FrameGeometry&, const FrameGeometry&) = default;
};

FrameGeometry FrameGeometryFor(int desktopWidth, int desktopHeight);
