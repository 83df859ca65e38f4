#pragma once
// An RGB picture in memory, three bytes per pixel, rows top to bottom.

#include <algorithm>
#include <cstdint>
#include <vector>

struct SampleRgb {
  uint8_t r = 0;
  uint8_t g = 0;
  uint8_t b = 0;
};

struct SampleImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;

  SampleImage() = default;
  SampleImage(int w, int h) : width(w), height(h), rgb(static_cast<size_t>(w) * static_cast<size_t>(h) * 3, 0) {}

  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }

  void Set(int x, int y, SampleRgb c) {
    if (!Contains(x, y)) return;
    uint8_t* p = &rgb[(static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3];
    p[0] = c.r;
    p[1] = c.g;
    p[2] = c.b;
  }

  // Mixes c over the pixel with weight alpha (0..1).
  void Blend(int x, int y, SampleRgb c, double alpha) {
    if (!Contains(x, y)) return;
    alpha = std::clamp(alpha, 0.0, 1.0);
    uint8_t* p = &rgb[(static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3];
    p[0] = static_cast<uint8_t>(p[0] + (c.r - p[0]) * alpha);
    p[1] = static_cast<uint8_t>(p[1] + (c.g - p[1]) * alpha);
    p[2] = static_cast<uint8_t>(p[2] + (c.b - p[2]) * alpha);
  }

  // Fills the rectangle [x0, x1) x [y0, y1), clipped to the picture.
  void Fill(int x0, int y0, int x1, int y1, SampleRgb c) {
    for (int y = std::max(0, y0); y < std::min(height, y1); ++y) {
      for (int x = std::max(0, x0); x < std::min(width, x1); ++x) Set(x, y, c);
    }
  }
};
