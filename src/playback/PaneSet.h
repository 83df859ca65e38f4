#pragma once
// The contents of the sixteen picture panes: each pane's decoded picture and
// the telemetry of its frame. Pane 0 is also the single-view pane. The
// window only paints what is here.
//
// Thumbnail play shifts whole pane contents along the grid; a shift moves
// the pixel buffers between panes, it never copies or decodes them again.

#include <array>
#include <cstdint>
#include <vector>

#include "base/ViewLayout.h"
#include "playback/PlaybackViews.h"
#include "recording/FrameInfoVideo.h"

constexpr int kPaneCount = 16;
constexpr int kBytesPerPixel = 3;

struct PaneContent {
  std::vector<uint8_t> pixels;  // width x height x 3 bytes, BGR, top-down
  int width = 0;                // 0: no picture
  int height = 0;
  FRAMEINFOVIDEO frame;  // the frame's telemetry
  int recording = -1;
  int frameIndex = -1;
  int frameCount = 0;  // of the frame's recording
  int jpegBytes = 0;

  bool HasPicture() const { return width > 0 && height > 0; }
  // Whether the pane holds a frame at all (with or without a picture).
  bool HoldsFrame() const { return frameIndex >= 0; }
};

class PaneSet {
 public:
  PaneSet() = default;

  const PaneContent& Pane(int pane) const { return panes_[Clamp(pane)]; }

  // Copies a decoded picture into the pane, reusing its buffer. Null pixels
  // (a picture that did not decode) store the frame without a picture.
  void Store(int pane, const uint8_t* pixels, int width, int height, const FRAMEINFOVIDEO& frame, int recording,
             int frameIndex, int frameCount, int jpegBytes);
  // No picture, no telemetry, indices -1. The buffer's memory is kept for
  // the next frame stored here.
  void Empty(int pane);
  void EmptyAll();

  // Pane contents 1..N-1 move to 0..N-2; pane N-1 is left empty.
  void ShiftLeft();
  // Pane contents 0..N-2 move to 1..N-1; pane 0 is left empty.
  void ShiftRight();

  ViewLayout Layout() const { return layout_; }
  void SetLayout(ViewLayout layout) { layout_ = layout; }
  int Selected() const { return selected_; }
  void SetSelected(int pane) { selected_ = pane; }

  static bool IsPane(int pane) { return pane >= 0 && pane < kPaneCount; }

 private:
  static int Clamp(int pane) { return pane < 0 ? 0 : pane >= kPaneCount ? kPaneCount - 1 : pane; }

  std::array<PaneContent, kPaneCount> panes_;
  ViewLayout layout_ = kLayoutSingle;
  int selected_ = 0;
};
