#pragma once
// One film picture made from a recorded frame: decoded, captioned and
// encoded at the codec's quality, carrying the frame's metadata segments.
// A full-height picture coded as our encoder codes has only the rows its
// caption touches encoded again (CaptionRowSplicer); any other is captioned
// in the codec's own 4:2:0 planes (no colour conversion either way, only
// the caption's boxes touched); a film of half-height pictures doubles
// their lines in BGR pixels.
//
// Each encoding thread of the export owns one maker: its codec and planes
// are kept from frame to frame.

#include <vector>

#include "export/CaptionRowSplicer.h"
#include "export/CaptionStamp.h"
#include "recording/StreamImage.h"
#include "recording/YuvPicture.h"

class AviPictureMaker {
 public:
  // The film's picture size, and whether its pictures are half-height ones
  // that are doubled to reach it.
  AviPictureMaker(int width, int height, bool doubling) : width_(width), height_(height), doubling_(doubling) {}

  // Makes the picture of the recorded JPEG `source` into Bytes(). False
  // when it cannot be decoded or encoded, or is not of the film's size.
  bool Make(const std::vector<unsigned char>& source, const std::vector<CaptionStamp>& stamps);

  const unsigned char* Bytes() const { return spliced_ ? splicer_.Bytes() : codec_.OutputBytes(); }
  int Size() const { return spliced_ ? splicer_.Size() : codec_.OutputSize(); }

 private:
  bool MakeFromPlanes(const std::vector<unsigned char>& source, const std::vector<CaptionStamp>& stamps);
  bool MakeDoubled(const std::vector<unsigned char>& source, const std::vector<CaptionStamp>& stamps);

  const int width_;
  const int height_;
  const bool doubling_;
  CStreamImage codec_;
  YuvPicture planes_;
  CaptionRowSplicer splicer_;
  bool spliced_ = false;
};
