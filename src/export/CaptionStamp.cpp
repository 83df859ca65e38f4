#include "export/CaptionStamp.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr int kOpaque = 255;

struct Argb {
  int alpha;
  int red;
  int green;
  int blue;
};

Argb Split(uint32_t pixel) {
  return {static_cast<int>(pixel >> 24), static_cast<int>((pixel >> 16) & 0xFF), static_cast<int>((pixel >> 8) & 0xFF),
          static_cast<int>(pixel & 0xFF)};
}

// The stamp's colours in the JPEG's YCbCr (full range, BT.601) in fixed
// point: a stamp is stamped on every picture of a film, so its arithmetic
// stays in integers. Weights are x 65536; each row of chroma weights sums
// to 0 so that grey stays grey.
constexpr int kFraction = 16;
constexpr int32_t kFixedHalf = 1 << (kFraction - 1);
constexpr int32_t kLumaRed = 19595, kLumaGreen = 38470, kLumaBlue = 7471;
constexpr int32_t kBlueRed = -11059, kBlueGreen = -21709, kBlueBlue = 32768;
constexpr int32_t kRedRed = 32768, kRedGreen = -27439, kRedBlue = -5329;
// 65536 / 255, what a code times (255 - alpha) / 255 weighs in fixed point.
constexpr int32_t kPerOpaque = 257;
constexpr int32_t kChromaMiddle = 128;

unsigned char FixedToByte(int64_t fixed) {
  return static_cast<unsigned char>(std::clamp<int64_t>((fixed + kFixedHalf) >> kFraction, 0, kOpaque));
}

// A premultiplied stamp pixel over a code: the stamp's colour weighs its
// alpha, the code the rest. The premultiplied channels already carry the
// alpha, and the colour transform is linear, so no division is needed.
int32_t OverLuma(const Argb& p, int under) {
  return kLumaRed * p.red + kLumaGreen * p.green + kLumaBlue * p.blue + under * (kOpaque - p.alpha) * kPerOpaque;
}
int32_t OverBlue(const Argb& p, int under) {
  return kBlueRed * p.red + kBlueGreen * p.green + kBlueBlue * p.blue + kChromaMiddle * p.alpha * kPerOpaque +
         under * (kOpaque - p.alpha) * kPerOpaque;
}
int32_t OverRed(const Argb& p, int under) {
  return kRedRed * p.red + kRedGreen * p.green + kRedBlue * p.blue + kChromaMiddle * p.alpha * kPerOpaque +
         under * (kOpaque - p.alpha) * kPerOpaque;
}

// The part of a stamp inside the picture, in picture coordinates.
struct Span {
  int left;
  int top;
  int right;   // one past
  int bottom;  // one past
  bool Empty() const { return left >= right || top >= bottom; }
};

Span Inside(const CaptionStamp& stamp, int width, int height) {
  return {std::max(stamp.x, 0), std::max(stamp.y, 0), std::min(stamp.x + stamp.width, width),
          std::min(stamp.y + stamp.height, height)};
}

bool Whole(const CaptionStamp& stamp) {
  return stamp.width > 0 && stamp.height > 0 &&
         stamp.pixels.size() == static_cast<size_t>(stamp.width) * static_cast<size_t>(stamp.height);
}

uint32_t PixelAt(const CaptionStamp& stamp, int x, int y) {
  return stamp
      .pixels[static_cast<size_t>(y - stamp.y) * static_cast<size_t>(stamp.width) + static_cast<size_t>(x - stamp.x)];
}

// A chroma block's sums of what the encoder would average over its pixels.
struct BlockSums {
  int32_t blue = 0;
  int32_t red = 0;
  bool drawn = false;
};

// One picture pixel under a stamp pixel: a drawn one sets the luma, and
// either way the pixel adds its share to the block's chroma. Four shares
// stay well inside 32 bits. Inlined: it runs for every pixel of every
// stamp on every picture, and a call costs as much as its work.
[[gnu::always_inline]] inline void AddPixel(unsigned char& luma, uint32_t pixel, int blueBefore, int redBefore,
                                            BlockSums& sums) {
  const Argb p = Split(pixel);
  if (p.alpha == 0) {
    sums.blue += blueBefore << kFraction;
    sums.red += redBefore << kFraction;
    return;
  }
  sums.drawn = true;
  luma = FixedToByte(OverLuma(p, luma));
  sums.blue += OverBlue(p, blueBefore);
  sums.red += OverRed(p, redBefore);
}

bool IsClear(uint32_t pixel) { return (pixel >> 24) == 0; }

// A block whose four pixels all lie under the stamp, as most of a stamp's
// blocks do: no pixel needs a check of its own.
void StampWholeBlock(YuvPicture& picture, const CaptionStamp& stamp, int bx, int by) {
  const size_t width = static_cast<size_t>(picture.width);
  const size_t x = static_cast<size_t>(2 * bx);
  const size_t y = static_cast<size_t>(2 * by);
  const uint32_t* upper = &stamp.pixels[(y - static_cast<size_t>(stamp.y)) * static_cast<size_t>(stamp.width) +
                                        (x - static_cast<size_t>(stamp.x))];
  const uint32_t* lower = upper + stamp.width;
  if (IsClear(upper[0]) && IsClear(upper[1]) && IsClear(lower[0]) && IsClear(lower[1])) return;
  const size_t c = static_cast<size_t>(by) * static_cast<size_t>(picture.ChromaWidth()) + static_cast<size_t>(bx);
  const int blueBefore = picture.blue[c];
  const int redBefore = picture.red[c];
  unsigned char* top = &picture.luma[y * width + x];
  unsigned char* bottom = top + width;
  BlockSums sums;
  AddPixel(top[0], upper[0], blueBefore, redBefore, sums);
  AddPixel(top[1], upper[1], blueBefore, redBefore, sums);
  AddPixel(bottom[0], lower[0], blueBefore, redBefore, sums);
  AddPixel(bottom[1], lower[1], blueBefore, redBefore, sums);
  constexpr int kBlockPixels = 4;
  picture.blue[c] = FixedToByte(sums.blue / kBlockPixels);
  picture.red[c] = FixedToByte(sums.red / kBlockPixels);
}

// A block on the stamp's edge or the picture's: its pixels beyond the stamp
// keep their colour, and only those inside the picture count.
void StampEdgeBlock(YuvPicture& picture, const CaptionStamp& stamp, const Span& span, int bx, int by) {
  const size_t width = static_cast<size_t>(picture.width);
  const size_t c = static_cast<size_t>(by) * static_cast<size_t>(picture.ChromaWidth()) + static_cast<size_t>(bx);
  const int blueBefore = picture.blue[c];
  const int redBefore = picture.red[c];
  BlockSums sums;
  int inPicture = 0;
  for (int y = 2 * by; y < std::min(2 * by + 2, picture.height); ++y) {
    for (int x = 2 * bx; x < std::min(2 * bx + 2, picture.width); ++x) {
      ++inPicture;
      const bool covered = x >= span.left && x < span.right && y >= span.top && y < span.bottom;
      unsigned char& luma = picture.luma[static_cast<size_t>(y) * width + static_cast<size_t>(x)];
      AddPixel(luma, covered ? PixelAt(stamp, x, y) : 0, blueBefore, redBefore, sums);
    }
  }
  if (!sums.drawn) return;
  picture.blue[c] = FixedToByte(sums.blue / inPicture);
  picture.red[c] = FixedToByte(sums.red / inPicture);
}

void StampOneYuv(YuvPicture& picture, const CaptionStamp& stamp) {
  const Span span = Inside(stamp, picture.width, picture.height);
  if (span.Empty()) return;
  // The blocks wholly under the stamp; the span lies inside the picture.
  const int wholeLeft = (span.left + 1) / 2;
  const int wholeRight = span.right / 2;  // one past
  const int wholeTop = (span.top + 1) / 2;
  const int wholeBottom = span.bottom / 2;  // one past
  for (int by = span.top / 2; by <= (span.bottom - 1) / 2; ++by) {
    const bool wholeRow = by >= wholeTop && by < wholeBottom;
    for (int bx = span.left / 2; bx <= (span.right - 1) / 2; ++bx) {
      if (wholeRow && bx >= wholeLeft && bx < wholeRight) {
        StampWholeBlock(picture, stamp, bx, by);
      } else {
        StampEdgeBlock(picture, stamp, span, bx, by);
      }
    }
  }
}

void StampOneBgr(unsigned char* pixels, int width, int height, const CaptionStamp& stamp) {
  const Span span = Inside(stamp, width, height);
  for (int y = span.top; y < span.bottom; ++y) {
    unsigned char* row = pixels + static_cast<size_t>(y) * static_cast<size_t>(width) * 3;
    for (int x = span.left; x < span.right; ++x) {
      const Argb p = Split(PixelAt(stamp, x, y));
      if (p.alpha == 0) continue;
      unsigned char* out = row + static_cast<size_t>(x) * 3;
      const int keep = kOpaque - p.alpha;
      out[0] = static_cast<unsigned char>(p.blue + (out[0] * keep + kOpaque / 2) / kOpaque);
      out[1] = static_cast<unsigned char>(p.green + (out[1] * keep + kOpaque / 2) / kOpaque);
      out[2] = static_cast<unsigned char>(p.red + (out[2] * keep + kOpaque / 2) / kOpaque);
    }
  }
}

}  // namespace

void StampBgr(unsigned char* pixels, int width, int height, const std::vector<CaptionStamp>& stamps) {
  if (pixels == nullptr || width <= 0 || height <= 0) return;
  for (const CaptionStamp& stamp : stamps) {
    if (Whole(stamp)) StampOneBgr(pixels, width, height, stamp);
  }
}

void StampYuv(YuvPicture& picture, const std::vector<CaptionStamp>& stamps) {
  if (!picture.Holds(picture.width, picture.height)) return;
  for (const CaptionStamp& stamp : stamps) {
    if (Whole(stamp)) StampOneYuv(picture, stamp);
  }
}
