#include "export/AviPictureMaker.h"

bool AviPictureMaker::Make(const std::vector<unsigned char>& source, const std::vector<CaptionStamp>& stamps) {
  spliced_ = !doubling_ && splicer_.Make(codec_, source, stamps, width_, height_);
  if (spliced_) return true;
  return doubling_ ? MakeDoubled(source, stamps) : MakeFromPlanes(source, stamps);
}

bool AviPictureMaker::MakeFromPlanes(const std::vector<unsigned char>& source,
                                     const std::vector<CaptionStamp>& stamps) {
  const int count = static_cast<int>(source.size());
  if (!codec_.DecodeToYuv(source.data(), count, planes_)) return false;
  if (planes_.width != width_ || planes_.height != height_) return false;
  StampYuv(planes_, stamps);
  return codec_.EncodeYuv(source.data(), count, planes_);
}

bool AviPictureMaker::MakeDoubled(const std::vector<unsigned char>& source, const std::vector<CaptionStamp>& stamps) {
  const int count = static_cast<int>(source.size());
  if (!codec_.DecodeToPixels(source.data(), count)) return false;
  unsigned char* pixels = codec_.Pixels();
  const int width = codec_.Width();
  int height = codec_.Height();
  if (2 * height < width) {
    pixels = codec_.GetDoubledPixels();
    height *= 2;
  }
  if (!pixels || width != width_ || height != height_) return false;
  // The codec's own pixels are stamped: encoding reads them and never
  // writes them.
  StampBgr(pixels, width, height, stamps);
  return codec_.EncodePixels(source.data(), count, pixels, width, height);
}
