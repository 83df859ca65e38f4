#include "export/CaptionStamp.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kOpaque = 255;
constexpr double kChromaMiddle = 128.0;

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

unsigned char ToByte(double value) { return static_cast<unsigned char>(std::clamp(std::lround(value), 0L, 255L)); }

// The colour of a stamp pixel in the JPEG's YCbCr (full range), from its
// premultiplied value.
struct Ycc {
  double luma;
  double blue;
  double red;
};

Ycc ToYcc(const Argb& p) {
  const double scale = p.alpha > 0 ? static_cast<double>(kOpaque) / p.alpha : 0.0;
  const double r = p.red * scale;
  const double g = p.green * scale;
  const double b = p.blue * scale;
  return {0.299 * r + 0.587 * g + 0.114 * b, -0.168736 * r - 0.331264 * g + 0.5 * b + kChromaMiddle,
          0.5 * r - 0.418688 * g - 0.081312 * b + kChromaMiddle};
}

double Mix(double over, double under, int alpha) { return (over * alpha + under * (kOpaque - alpha)) / kOpaque; }

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

void StampOneYuv(YuvPicture& picture, const CaptionStamp& stamp) {
  const Span span = Inside(stamp, picture.width, picture.height);
  if (span.Empty()) return;
  const size_t chromaWidth = static_cast<size_t>(picture.ChromaWidth());
  for (int by = span.top / 2; by <= (span.bottom - 1) / 2; ++by) {
    for (int bx = span.left / 2; bx <= (span.right - 1) / 2; ++bx) {
      const size_t c = static_cast<size_t>(by) * chromaWidth + static_cast<size_t>(bx);
      const double blueBefore = picture.blue[c];
      const double redBefore = picture.red[c];
      double blueSum = 0.0;
      double redSum = 0.0;
      int inPicture = 0;
      bool drawn = false;
      for (int y = 2 * by; y < std::min(2 * by + 2, picture.height); ++y) {
        for (int x = 2 * bx; x < std::min(2 * bx + 2, picture.width); ++x) {
          ++inPicture;
          const bool covered = x >= span.left && x < span.right && y >= span.top && y < span.bottom;
          const Argb p = covered ? Split(PixelAt(stamp, x, y)) : Argb{0, 0, 0, 0};
          if (p.alpha == 0) {
            blueSum += blueBefore;
            redSum += redBefore;
            continue;
          }
          drawn = true;
          const Ycc colour = ToYcc(p);
          unsigned char& luma = picture.luma[static_cast<size_t>(y) * static_cast<size_t>(picture.width) + x];
          luma = ToByte(Mix(colour.luma, luma, p.alpha));
          blueSum += Mix(colour.blue, blueBefore, p.alpha);
          redSum += Mix(colour.red, redBefore, p.alpha);
        }
      }
      if (!drawn) continue;
      picture.blue[c] = ToByte(blueSum / inPicture);
      picture.red[c] = ToByte(redSum / inPicture);
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
