#include "samplecard/SampleJpeg.h"

#include <turbojpeg.h>

#include <cstring>

namespace {

constexpr uint8_t kMarker = 0xFF;
constexpr uint8_t kStartOfImage = 0xD8;
constexpr uint8_t kApp0 = 0xE0;
constexpr uint8_t kAppLast = 0xEF;
constexpr uint8_t kComment = 0xFE;

// APP0: length 16, "JFIF\0", version 1.01, no units, aspect 1:1, no thumbnail.
constexpr uint8_t kJfifSegment[] = {0xFF, 0xE0, 0x00, 0x10, 'J',  'F',  'I',  'F',  0x00,
                                    0x01, 0x01, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00};

// APP1 of the recorder's own: an identifier and a few bytes of camera
// settings that no reader interprets.
constexpr uint8_t kRecorderSegment[] = {0xFF, 0xE1, 0x00, 0x14, 'K',  'X',  'C',  'A',  'M',  0x00, 0x01,
                                        0x00, 0x02, 0x80, 0x01, 0xE0, 0x00, 0x1E, 0x00, 0x50, 0x00, 0x00};

void Append(std::vector<uint8_t>* out, const uint8_t* bytes, size_t size) {
  out->insert(out->end(), bytes, bytes + size);
}

// Where the encoder's stream goes on after its leading APPn and COM segments.
bool SkipLeadingSegments(std::span<const uint8_t> jpeg, size_t* at) {
  size_t p = 2;
  while (p + 4 <= jpeg.size() && jpeg[p] == kMarker) {
    const uint8_t marker = jpeg[p + 1];
    if (!((marker >= kApp0 && marker <= kAppLast) || marker == kComment)) break;
    const size_t length = (static_cast<size_t>(jpeg[p + 2]) << 8) | jpeg[p + 3];
    if (length < 2 || p + 2 + length > jpeg.size()) return false;
    p += 2 + length;
  }
  *at = p;
  return p < jpeg.size();
}

}  // namespace

SampleJpegEncoder::SampleJpegEncoder() : handle_(tjInitCompress()) {}

SampleJpegEncoder::~SampleJpegEncoder() {
  if (handle_) tjDestroy(static_cast<tjhandle>(handle_));
}

bool SampleJpegEncoder::Encode(const SampleImage& image, std::vector<uint8_t>* jpeg) {
  if (!handle_ || image.width <= 0 || image.height <= 0) return false;
  const unsigned long capacity = tjBufSize(image.width, image.height, TJSAMP_420);
  jpeg->resize(capacity);
  unsigned char* buffer = jpeg->data();
  unsigned long size = capacity;
  const int status = tjCompress2(static_cast<tjhandle>(handle_), image.rgb.data(), image.width, 0, image.height,
                                 TJPF_RGB, &buffer, &size, TJSAMP_420, kSampleJpegQuality, TJFLAG_NOREALLOC);
  if (status != 0 || buffer != jpeg->data()) return false;
  jpeg->resize(size);
  return true;
}

bool AssembleSamplePicture(std::span<const uint8_t> encoded, const SampleCommentBlock& block, bool withApp1,
                           std::vector<uint8_t>* picture) {
  if (encoded.size() < 4 || encoded[0] != kMarker || encoded[1] != kStartOfImage) return false;
  size_t rest = 0;
  if (!SkipLeadingSegments(encoded, &rest)) return false;
  picture->clear();
  picture->reserve(encoded.size() + sizeof kJfifSegment + sizeof kRecorderSegment + block.size() + 8);
  const uint8_t start[] = {kMarker, kStartOfImage};
  Append(picture, start, sizeof start);
  Append(picture, kJfifSegment, sizeof kJfifSegment);
  if (withApp1) Append(picture, kRecorderSegment, sizeof kRecorderSegment);
  const size_t commentLength = 2 + block.size();
  const uint8_t comment[] = {kMarker, kComment, static_cast<uint8_t>(commentLength >> 8),
                             static_cast<uint8_t>(commentLength)};
  Append(picture, comment, sizeof comment);
  Append(picture, block.data(), block.size());
  Append(picture, encoded.data() + rest, encoded.size() - rest);
  return true;
}
