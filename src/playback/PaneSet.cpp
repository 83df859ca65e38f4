#include "playback/PaneSet.h"

#include <algorithm>

void PaneSet::Store(int pane, const uint8_t* pixels, int width, int height, const FRAMEINFOVIDEO& frame, int recording,
                    int frameIndex, int frameCount, int jpegBytes) {
  if (!IsPane(pane)) return;
  PaneContent& p = panes_[static_cast<size_t>(pane)];
  if (pixels != nullptr && width > 0 && height > 0) {
    const size_t bytes = static_cast<size_t>(width) * static_cast<size_t>(height) * kBytesPerPixel;
    p.pixels.assign(pixels, pixels + bytes);
    p.width = width;
    p.height = height;
  } else {
    p.pixels.clear();
    p.width = 0;
    p.height = 0;
  }
  p.frame = frame;
  p.recording = recording;
  p.frameIndex = frameIndex;
  p.frameCount = frameCount;
  p.jpegBytes = jpegBytes;
}

void PaneSet::Empty(int pane) {
  if (!IsPane(pane)) return;
  PaneContent& p = panes_[static_cast<size_t>(pane)];
  p.pixels.clear();
  p.width = 0;
  p.height = 0;
  p.frame = FRAMEINFOVIDEO{};
  p.recording = -1;
  p.frameIndex = -1;
  p.frameCount = 0;
  p.jpegBytes = 0;
}

void PaneSet::EmptyAll() {
  for (int pane = 0; pane < kPaneCount; ++pane) Empty(pane);
}

// Rotating hands the outgoing pane's buffer to the pane that is refilled
// next, so steady thumbnail play allocates nothing.
void PaneSet::ShiftLeft() {
  std::rotate(panes_.begin(), panes_.begin() + 1, panes_.end());
  Empty(kPaneCount - 1);
}

void PaneSet::ShiftRight() {
  std::rotate(panes_.rbegin(), panes_.rbegin() + 1, panes_.rend());
  Empty(0);
}
