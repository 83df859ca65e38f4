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

// What of the 1024 x 768 panel a frame shows at once. On a small desktop the
// panel keeps its layout and scrolls inside the frame, above the bottom strip
// that closes the frame at the desktop's bottom edge: every control stays in
// reach, none is cut away or covered, and nothing is scaled.
struct PanelViewport {
  int width = kFrameWidth;
  int height = kFrameHeight;
  // Where the bottom strip starts; the frame's height when there is none.
  int stripTop = kFrameHeight;
  bool scrolls = false;
  friend bool operator==(const PanelViewport&, const PanelViewport&) = default;
};

PanelViewport PanelViewportFor(const FrameGeometry& frame, int stripHeight);
