#pragma once
// A decoded picture as the JPEG codec holds it: full-size luma and both
// chroma planes at half the width and half the height (4:2:0), rows without
// padding. Captioning and re-encoding a frame in these planes spares the
// colour conversion both ways.

#include <cstddef>
#include <vector>

struct YuvPicture {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> luma;
  std::vector<unsigned char> blue;  // Cb
  std::vector<unsigned char> red;   // Cr

  int ChromaWidth() const { return (width + 1) / 2; }
  int ChromaHeight() const { return (height + 1) / 2; }
  bool Empty() const { return luma.empty(); }

  // Sizes the planes for a width x height picture; their bytes are left as
  // they were where the size did not change.
  void Resize(int w, int h) {
    width = w;
    height = h;
    luma.resize(static_cast<size_t>(w) * h);
    const size_t chroma = static_cast<size_t>(ChromaWidth()) * ChromaHeight();
    blue.resize(chroma);
    red.resize(chroma);
  }
};
