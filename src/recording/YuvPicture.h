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
  // they were where the size did not change. The codec works in whole
  // blocks of 16 lines and may write a picture's last block whole, so each
  // plane has room for those lines beyond its own.
  void Resize(int w, int h) {
    width = w;
    height = h;
    luma.resize(static_cast<size_t>(w) * BlockLines(h));
    const size_t chroma = static_cast<size_t>(ChromaWidth()) * BlockLines(ChromaHeight());
    blue.resize(chroma);
    red.resize(chroma);
  }

  // Whether the planes hold a width x height picture.
  bool Holds(int w, int h) const {
    const size_t chromaWidth = static_cast<size_t>((w + 1) / 2);
    return w > 0 && h > 0 && luma.size() >= static_cast<size_t>(w) * h && blue.size() >= chromaWidth * ((h + 1) / 2) &&
           red.size() >= chromaWidth * ((h + 1) / 2);
  }

 private:
  static constexpr int kBlockLines = 16;
  static size_t BlockLines(int lines) {
    return static_cast<size_t>((lines + kBlockLines - 1) / kBlockLines + 1) * kBlockLines;
  }
};
