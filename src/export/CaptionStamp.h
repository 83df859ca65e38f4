#pragma once
// A caption text drawn on its own, and how it goes onto a picture: only
// the pixels it covers change, whether the picture is BGR pixels or the
// codec's 4:2:0 planes. In the planes a drawn pixel sets its luma, and the
// chroma of its 2 x 2 block becomes the mean of the block's pixels as the
// encoder would take it from BGR pixels: so a caption looks the same
// either way.

#include <cstdint>
#include <vector>

#include "recording/YuvPicture.h"

struct CaptionStamp {
  // Where the stamp's top left pixel lies in the picture.
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  // width x height pixels, 0xAARRGGBB with premultiplied colour; alpha 0
  // leaves the picture's pixel as it is.
  std::vector<uint32_t> pixels;
};

// Onto BGR pixels (top-down, width x 3 bytes a row).
void StampBgr(unsigned char* pixels, int width, int height, const std::vector<CaptionStamp>& stamps);

// Onto 4:2:0 planes.
void StampYuv(YuvPicture& picture, const std::vector<CaptionStamp>& stamps);
