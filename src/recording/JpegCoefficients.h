#pragma once
// A recorded picture held as its quantised DCT coefficients, as the
// entropy decoder leaves them, already at the tables of the quality it is
// to be written at. A film's captioned picture goes from here to its JPEG
// without an inverse and a forward transform of the whole picture: only
// the blocks a caption drew on are turned into pixels and back; every
// other block keeps the recorded picture's values.
//
// Baseline three-component 4:2:0 pictures only, which is what recorders
// write; the codec takes any other picture through its planes instead.
// Movable; one object must not be used by two threads at once.

#include <functional>
#include <memory>
#include <vector>

#include "recording/YuvPicture.h"

// A rectangle of whole MCUs (16 x 16 pixels in 4:2:0), in pixels.
struct JpegMcuRegion {
  int left = 0;
  int top = 0;
  int right = 0;   // one past
  int bottom = 0;  // one past
  bool Empty() const { return left >= right || top >= bottom; }
};

class JpegCoefficients {
 public:
  // The width and height of an MCU in 4:2:0, and of a block.
  static constexpr int kMcuSize = 16;
  static constexpr int kBlockSize = 8;

  JpegCoefficients();
  ~JpegCoefficients();
  JpegCoefficients(JpegCoefficients&&) noexcept;
  JpegCoefficients& operator=(JpegCoefficients&&) noexcept;

  // Reads the picture and brings its coefficients to the tables of the
  // standard quality `quality`. False for a picture that is not baseline
  // 4:2:0 YCbCr, larger than maxPixels, or that cannot be read; damaged
  // data is read as far as it goes, as a decoder shows it.
  bool Read(const unsigned char* bytes, int count, int quality, int maxPixels);

  bool Empty() const { return state_ == nullptr; }
  int Width() const;
  int Height() const;

  // The MCUs that hold the pixels [left, right) x [top, bottom), within the
  // picture's MCUs.
  JpegMcuRegion McusAround(int left, int top, int right, int bottom) const;

  // Decodes the blocks of region (as McusAround gives it) that changing
  // names into 4:2:0 planes of the region's part inside the picture (the
  // planes' origin is its top left), lets edit change them, and transforms
  // back exactly the blocks in which a pixel changed. changing holds a
  // flag for each 8 x 8 luma block of the region, row by row; a chroma
  // block is decoded with any of the four luma blocks it covers. The edit
  // changes nothing outside those blocks: there the planes read as 0.
  void EditRegion(const JpegMcuRegion& region, const std::vector<bool>& changing,
                  const std::function<void(YuvPicture& planes)>& edit);

  // Writes the picture as a baseline JPEG with the standard Huffman tables
  // at the quality it was read for: into out, at most capacity bytes.
  // False when it does not fit or cannot be written.
  bool Write(unsigned char* out, size_t capacity, size_t& size) const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};
