#pragma once
// The frame pictures: the scene encoded by TurboJPEG, then rebuilt as the
// recorder writes it: FF D8, a JFIF APP0 segment, optionally an APP1
// segment, the comment segment with the frame comment block, and the rest of
// the encoder's stream after its own leading APPn and comment segments.

#include <cstdint>
#include <span>
#include <vector>

#include "samplecard/SampleCommentBlock.h"
#include "samplecard/SampleImage.h"

constexpr int kSampleJpegQuality = 80;

class SampleJpegEncoder {
 public:
  SampleJpegEncoder();
  ~SampleJpegEncoder();
  SampleJpegEncoder(const SampleJpegEncoder&) = delete;
  SampleJpegEncoder& operator=(const SampleJpegEncoder&) = delete;

  // The plain JPEG of the picture; false when the encoder fails.
  bool Encode(const SampleImage& image, std::vector<uint8_t>* jpeg);

 private:
  void* handle_ = nullptr;  // tjhandle
};

// The recorder's picture from an encoder's JPEG; false when the JPEG does not
// start with FF D8 or its leading segments run past its end.
bool AssembleSamplePicture(std::span<const uint8_t> encoded, const SampleCommentBlock& block, bool withApp1,
                           std::vector<uint8_t>* picture);
