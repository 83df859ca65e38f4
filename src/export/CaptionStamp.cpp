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
// The pixels of a chroma sample's 2 x 2 block.
constexpr int kBlockPixels = 4;

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

// Where a stamp stands in the picture being drawn on: its own place, or
// that place seen from a piece of the picture whose top left is elsewhere.
struct Placed {
  const CaptionStamp& stamp;
  int x;
  int y;
};

Placed InPicture(const CaptionStamp& stamp) { return {stamp, stamp.x, stamp.y}; }

// The part of a stamp inside the picture, in picture coordinates.
struct Span {
  int left;
  int top;
  int right;   // one past
  int bottom;  // one past
  bool Empty() const { return left >= right || top >= bottom; }
};

Span Inside(const Placed& placed, int width, int height) {
  return {std::max(placed.x, 0), std::max(placed.y, 0), std::min(placed.x + placed.stamp.width, width),
          std::min(placed.y + placed.stamp.height, height)};
}

bool Whole(const CaptionStamp& stamp) {
  return stamp.width > 0 && stamp.height > 0 &&
         stamp.pixels.size() == static_cast<size_t>(stamp.width) * static_cast<size_t>(stamp.height);
}

uint32_t PixelAt(const Placed& placed, int x, int y) {
  return placed.stamp.pixels[static_cast<size_t>(y - placed.y) * static_cast<size_t>(placed.stamp.width) +
                             static_cast<size_t>(x - placed.x)];
}

void StampOneYuv(YuvPicture& picture, const Placed& stamp) {
  const Span span = Inside(stamp, picture.width, picture.height);
  if (span.Empty()) return;
  const size_t chromaWidth = static_cast<size_t>(picture.ChromaWidth());
  const size_t width = static_cast<size_t>(picture.width);
  for (int by = span.top / 2; by <= (span.bottom - 1) / 2; ++by) {
    const int yEnd = std::min(2 * by + 2, picture.height);
    for (int bx = span.left / 2; bx <= (span.right - 1) / 2; ++bx) {
      const int xEnd = std::min(2 * bx + 2, picture.width);
      // The block's pixels in the picture and what the stamp has there;
      // most blocks of a text's stamp are clear and stay as they are.
      uint32_t over[kBlockPixels] = {};
      int inPicture = 0;
      uint32_t anyAlpha = 0;
      for (int y = 2 * by; y < yEnd; ++y) {
        for (int x = 2 * bx; x < xEnd; ++x) {
          const bool covered = x >= span.left && x < span.right && y >= span.top && y < span.bottom;
          over[inPicture] = covered ? PixelAt(stamp, x, y) : 0;
          anyAlpha |= over[inPicture] >> 24;
          ++inPicture;
        }
      }
      if (anyAlpha == 0) continue;
      const size_t c = static_cast<size_t>(by) * chromaWidth + static_cast<size_t>(bx);
      const int blueBefore = picture.blue[c];
      const int redBefore = picture.red[c];
      int64_t blueSum = 0;
      int64_t redSum = 0;
      int at = 0;
      for (int y = 2 * by; y < yEnd; ++y) {
        for (int x = 2 * bx; x < xEnd; ++x) {
          const Argb p = Split(over[at++]);
          if (p.alpha == 0) {
            blueSum += int64_t{blueBefore} << kFraction;
            redSum += int64_t{redBefore} << kFraction;
            continue;
          }
          unsigned char& luma = picture.luma[static_cast<size_t>(y) * width + static_cast<size_t>(x)];
          luma = FixedToByte(OverLuma(p, luma));
          blueSum += OverBlue(p, blueBefore);
          redSum += OverRed(p, redBefore);
        }
      }
      // All four pixels but at a picture's odd edge: a division by a
      // constant, not by a variable, for nearly every block.
      picture.blue[c] = FixedToByte(inPicture == kBlockPixels ? blueSum / kBlockPixels : blueSum / inPicture);
      picture.red[c] = FixedToByte(inPicture == kBlockPixels ? redSum / kBlockPixels : redSum / inPicture);
    }
  }
}

bool Overlap(const JpegMcuRegion& a, const JpegMcuRegion& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

JpegMcuRegion Joined(const JpegMcuRegion& a, const JpegMcuRegion& b) {
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

// The luma blocks of region in which some stamp draws a pixel: only those
// change, and only those need to be decoded.
std::vector<bool> DrawnBlocks(const JpegMcuRegion& region, const std::vector<CaptionStamp>& stamps) {
  constexpr int kBlock = JpegCoefficients::kBlockSize;
  const int columns = (region.right - region.left) / kBlock;
  const int rows = (region.bottom - region.top) / kBlock;
  std::vector<bool> drawn(static_cast<size_t>(columns) * static_cast<size_t>(rows), false);
  for (const CaptionStamp& stamp : stamps) {
    if (!Whole(stamp)) continue;
    const Span span = Inside(InPicture(stamp), region.right, region.bottom);
    for (int y = std::max(span.top, region.top); y < span.bottom; ++y) {
      for (int x = std::max(span.left, region.left); x < span.right; ++x) {
        if (Split(PixelAt(InPicture(stamp), x, y)).alpha == 0) continue;
        drawn[static_cast<size_t>((y - region.top) / kBlock * columns + (x - region.left) / kBlock)] = true;
      }
    }
  }
  return drawn;
}

void StampOneBgr(unsigned char* pixels, int width, int height, const Placed& stamp) {
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
    if (Whole(stamp)) StampOneBgr(pixels, width, height, InPicture(stamp));
  }
}

void StampYuv(YuvPicture& picture, const std::vector<CaptionStamp>& stamps) {
  if (!picture.Holds(picture.width, picture.height)) return;
  for (const CaptionStamp& stamp : stamps) {
    if (Whole(stamp)) StampOneYuv(picture, InPicture(stamp));
  }
}

void StampCoefficients(JpegCoefficients& picture, const std::vector<CaptionStamp>& stamps) {
  // The MCUs under each stamp, joined where they meet, so that no block is
  // transformed twice.
  std::vector<JpegMcuRegion> regions;
  for (const CaptionStamp& stamp : stamps) {
    if (!Whole(stamp)) continue;
    const Span span = Inside(InPicture(stamp), picture.Width(), picture.Height());
    if (span.Empty()) continue;
    JpegMcuRegion region = picture.McusAround(span.left, span.top, span.right, span.bottom);
    for (auto other = regions.begin(); other != regions.end();) {
      if (!Overlap(region, *other)) {
        ++other;
        continue;
      }
      region = Joined(region, *other);
      regions.erase(other);
      other = regions.begin();  // the joined region may now meet one passed over
    }
    regions.push_back(region);
  }
  for (const JpegMcuRegion& region : regions) {
    picture.EditRegion(region, DrawnBlocks(region, stamps), [&](YuvPicture& planes) {
      // A stamp outside the region falls outside its planes altogether.
      for (const CaptionStamp& stamp : stamps) {
        if (Whole(stamp)) StampOneYuv(planes, {stamp, stamp.x - region.left, stamp.y - region.top});
      }
    });
  }
}
