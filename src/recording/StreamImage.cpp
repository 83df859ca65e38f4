#include "recording/StreamImage.h"

#include <turbojpeg.h>

#include <cstring>

#include "platform/Trace.h"

namespace {

constexpr int kBytesPerPixel = 3;
constexpr int kJpegQuality = 80;
// The lines beyond a plane's own that the codec may write in a last block.
constexpr size_t kTallSlackLines = 32;
// 4:2:0 halves the chroma both ways. Camera footage carries little colour
// detail, Motion-JPEG players expect it, and it keeps a frame well inside
// the 500000-byte frame limit; 4:4:4 would nearly double the size for no
// visible gain.
constexpr int kJpegSubsampling = TJSAMP_420;

// At most this many metadata segments are looked at after FF D8.
constexpr int kMaxLeadingSegments = 3;
constexpr size_t kSoiSize = 2;
// FF D8 and at least one marker: anything shorter cannot be a picture.
constexpr int kMinPictureBytes = 4;
constexpr size_t kSegmentHeaderSize = 4;  // marker (2) + big-endian length (2)

constexpr unsigned char kMarkerPrefix = 0xFF;
constexpr unsigned char kSoi = 0xD8;
constexpr unsigned char kApp0 = 0xE0;
constexpr unsigned char kApp1 = 0xE1;
constexpr unsigned char kCom = 0xFE;

#ifdef TJFLAG_LIMITSCANS
// A progressive picture with hundreds of scans is damage, not a frame, and
// would otherwise take seconds to decode.
constexpr int kDecodeFlags = TJFLAG_LIMITSCANS;
#else
constexpr int kDecodeFlags = 0;
#endif

unsigned ReadBe16(const unsigned char* p) { return (unsigned{p[0]} << 8) | p[1]; }

bool IsMetadataMarker(unsigned char marker) { return marker == kApp0 || marker == kApp1 || marker == kCom; }

struct SegmentRef {
  unsigned char marker = 0;
  size_t offset = 0;
  size_t size = 0;  // marker + length field + payload
};

// Reads the segment at `offset` when it is a metadata segment lying wholly
// inside the buffer; false ends the walk over the leading segments.
bool ReadMetadataSegment(const unsigned char* bytes, size_t count, size_t offset, SegmentRef& seg) {
  if (offset + kSegmentHeaderSize > count) return false;
  if (bytes[offset] != kMarkerPrefix || !IsMetadataMarker(bytes[offset + 1])) return false;
  const unsigned length = ReadBe16(bytes + offset + 2);
  if (length < 2) return false;  // the length counts its own two bytes
  const size_t size = size_t{length} + 2;
  if (size > count - offset) return false;
  seg.marker = bytes[offset + 1];
  seg.offset = offset;
  seg.size = size;
  return true;
}

// A segment too long for its slot is dropped; the walk goes on past it,
// since its length is still sound.
template <typename Slot>
void KeepSegment(Slot& slot, const unsigned char* data, size_t size) {
  if (size > sizeof(slot.bytes)) return;
  std::memcpy(slot.bytes, data, size);
  slot.size = int(size);
}

bool StartsWithSoi(const unsigned char* bytes, size_t count) {
  return count >= kSoiSize && bytes[0] == kMarkerPrefix && bytes[1] == kSoi;
}

bool IsPictureSizeUsable(int width, int height) {
  if (width <= 0 || height <= 0) return false;
  // A header can claim up to 65535 x 65535 pixels: 12 GiB of pixels for a
  // few damaged bytes.
  return size_t(width) * size_t(height) <= size_t{CStreamImage::kLargestFramePixels};
}

size_t PixelBytes(int width, int height) { return size_t(width) * size_t(height) * kBytesPerPixel; }

// A warning means the picture was decoded but its data was damaged (most
// often cut short); the damaged part comes out grey and the frame is still
// worth showing.
bool Succeeded(tjhandle handle, int result) { return result == 0 || tjGetErrorCode(handle) == TJERR_WARNING; }

// Halves a chroma plane's lines: each output line the mean of a pair, a
// last unpaired line as it is.
void HalveLines(const unsigned char* tall, unsigned char* half, int width, int height) {
  const size_t w = static_cast<size_t>(width);
  for (int y = 0; y < height; y += 2) {
    const unsigned char* upper = tall + static_cast<size_t>(y) * w;
    const unsigned char* lower = y + 1 < height ? upper + w : upper;
    unsigned char* out = half + static_cast<size_t>(y / 2) * w;
    for (size_t x = 0; x < w; ++x) out[x] = static_cast<unsigned char>((upper[x] + lower[x] + 1) >> 1);
  }
}

}  // namespace

CStreamImage::CStreamImage() : decompressor_(tjInitDecompress()), compressor_(tjInitCompress()) {
  if (!decompressor_ || !compressor_) KTRACE("JPEG codec handles could not be created");
}

CStreamImage::~CStreamImage() {
  if (decompressor_) tjDestroy(decompressor_);
  if (compressor_) tjDestroy(compressor_);
}

void CStreamImage::SaveSegments(const unsigned char* bytes, int count) {
  com_.size = 0;
  app0_.size = 0;
  app1_.size = 0;
  if (!bytes || count < 0 || !StartsWithSoi(bytes, size_t(count))) return;

  size_t offset = kSoiSize;
  for (int i = 0; i < kMaxLeadingSegments; ++i) {
    SegmentRef seg;
    if (!ReadMetadataSegment(bytes, size_t(count), offset, seg)) return;
    const unsigned char* data = bytes + seg.offset;
    if (seg.marker == kCom) {
      KeepSegment(com_, data, seg.size);
    } else if (seg.marker == kApp0) {
      KeepSegment(app0_, data, seg.size);
    } else {
      KeepSegment(app1_, data, seg.size);
    }
    offset += seg.size;
  }
}

bool CStreamImage::ReadHeader(const unsigned char* bytes, int count, int& width, int& height, int* subsampling) {
  width = 0;
  height = 0;
  if (!decompressor_ || !bytes || count < kMinPictureBytes) return false;
  int w = 0;
  int h = 0;
  int sampling = 0;
  int colorspace = 0;
  const int result =
      tjDecompressHeader3(decompressor_, bytes, static_cast<unsigned long>(count), &w, &h, &sampling, &colorspace);
  if (!Succeeded(decompressor_, result) || !IsPictureSizeUsable(w, h)) return false;
  width = w;
  height = h;
  if (subsampling) *subsampling = sampling;
  return true;
}

bool CStreamImage::GetImageSize(const unsigned char* bytes, int count, int& width, int& height) {
  return ReadHeader(bytes, count, width, height);
}

void CStreamImage::UsePictureSize(int width, int height) {
  if (width == width_ && height == height_) return;
  width_ = width;
  height_ = height;
  pixels_.resize(PixelBytes(width, height));
  if (IsHalfHeight()) {
    doubled_.resize(PixelBytes(width, 2 * height));
  } else {
    doubled_.clear();
    doubled_.shrink_to_fit();
  }
}

bool CStreamImage::DecodeToPixels(const unsigned char* bytes, int count) {
  SaveSegments(bytes, count);
  int width = 0;
  int height = 0;
  if (!ReadHeader(bytes, count, width, height)) return false;
  UsePictureSize(width, height);
  const int result = tjDecompress2(decompressor_, bytes, static_cast<unsigned long>(count), pixels_.data(), width,
                                   width * kBytesPerPixel, height, TJPF_BGR, kDecodeFlags);
  return Succeeded(decompressor_, result);
}

bool CStreamImage::DecodeToYuv(const unsigned char* bytes, int count, YuvPicture& picture) {
  SaveSegments(bytes, count);
  int width = 0;
  int height = 0;
  int subsampling = 0;
  if (!ReadHeader(bytes, count, width, height, &subsampling)) return false;
  picture.Resize(width, height);
  const unsigned long size = static_cast<unsigned long>(count);
  if (subsampling == TJSAMP_420) {
    unsigned char* planes[] = {picture.luma.data(), picture.blue.data(), picture.red.data()};
    int strides[] = {width, picture.ChromaWidth(), picture.ChromaWidth()};
    return Succeeded(decompressor_,
                     tjDecompressToYUVPlanes(decompressor_, bytes, size, planes, width, strides, height, kDecodeFlags));
  }
  if (subsampling == TJSAMP_422) {
    // Chroma at half the width but every line: each pair of its lines
    // makes one line of 4:2:0.
    // With room for a whole last block of lines, as the planes have.
    const size_t tall = static_cast<size_t>(picture.ChromaWidth()) * (static_cast<size_t>(height) + kTallSlackLines);
    tallBlue_.resize(tall);
    tallRed_.resize(tall);
    unsigned char* planes[] = {picture.luma.data(), tallBlue_.data(), tallRed_.data()};
    int strides[] = {width, picture.ChromaWidth(), picture.ChromaWidth()};
    if (!Succeeded(decompressor_,
                   tjDecompressToYUVPlanes(decompressor_, bytes, size, planes, width, strides, height, kDecodeFlags)))
      return false;
    HalveLines(tallBlue_.data(), picture.blue.data(), picture.ChromaWidth(), height);
    HalveLines(tallRed_.data(), picture.red.data(), picture.ChromaWidth(), height);
    return true;
  }
  // Any other sampling (grey, 4:4:4, ...) goes through pixels.
  UsePictureSize(width, height);
  if (!Succeeded(decompressor_, tjDecompress2(decompressor_, bytes, size, pixels_.data(), width, width * kBytesPerPixel,
                                              height, TJPF_BGR, kDecodeFlags)))
    return false;
  unsigned char* planes[] = {picture.luma.data(), picture.blue.data(), picture.red.data()};
  int strides[] = {width, picture.ChromaWidth(), picture.ChromaWidth()};
  return compressor_ && tjEncodeYUVPlanes(compressor_, pixels_.data(), width, width * kBytesPerPixel, height, TJPF_BGR,
                                          planes, strides, kJpegSubsampling, 0) == 0;
}

unsigned char* CStreamImage::GetDoubledPixels() {
  if (pixels_.empty() || !IsHalfHeight()) return nullptr;
  const size_t rowBytes = size_t(width_) * kBytesPerPixel;
  const unsigned char* src = pixels_.data();
  unsigned char* dst = doubled_.data();
  for (int i = 0; i + 1 < height_; ++i) {
    const unsigned char* row = src + size_t(i) * rowBytes;
    const unsigned char* next = row + rowBytes;
    unsigned char* even = dst + size_t(2 * i) * rowBytes;
    unsigned char* odd = even + rowBytes;
    std::memcpy(even, row, rowBytes);
    for (size_t x = 0; x < rowBytes; ++x) odd[x] = static_cast<unsigned char>((row[x] + next[x]) >> 1);
  }
  const unsigned char* last = src + size_t(height_ - 1) * rowBytes;
  unsigned char* lastEven = dst + size_t(2 * (height_ - 1)) * rowBytes;
  std::memcpy(lastEven, last, rowBytes);
  std::memcpy(lastEven + rowBytes, last, rowBytes);
  return dst;
}

bool CStreamImage::PrepareEncoded(int width, int height) {
  if (width == encodedWidth_ && height == encodedHeight_) return true;
  const unsigned long bound = tjBufSize(width, height, kJpegSubsampling);
  if (bound == static_cast<unsigned long>(-1)) return false;
  encoded_.resize(bound);
  encodedWidth_ = width;
  encodedHeight_ = height;
  return true;
}

bool CStreamImage::TakeEncoded(const unsigned char* out, unsigned long outSize, size_t& size, size_t& dataStart) const {
  if (out != encoded_.data() || outSize > encoded_.size() || !StartsWithSoi(out, outSize)) return false;
  // The encoder's own JFIF/EXIF/comment segments make way for the source's.
  size_t offset = kSoiSize;
  for (int i = 0; i < kMaxLeadingSegments; ++i) {
    SegmentRef seg;
    if (!ReadMetadataSegment(out, outSize, offset, seg)) break;
    offset += seg.size;
  }
  size = outSize;
  dataStart = offset;
  return true;
}

bool CStreamImage::Compress(const unsigned char* pixels, int width, int height, size_t& size, size_t& dataStart) {
  if (!compressor_ || !pixels || !IsPictureSizeUsable(width, height)) return false;
  if (!PrepareEncoded(width, height)) return false;
  // The buffer is sized for the worst case, so the encoder never has to
  // grow it behind our back.
  unsigned char* out = encoded_.data();
  unsigned long outSize = static_cast<unsigned long>(encoded_.size());
  if (tjCompress2(compressor_, pixels, width, width * kBytesPerPixel, height, TJPF_BGR, &out, &outSize,
                  kJpegSubsampling, kJpegQuality, TJFLAG_NOREALLOC) != 0) {
    KTRACE("JPEG encoding failed: %s", tjGetErrorStr2(compressor_));
    return false;
  }
  return TakeEncoded(out, outSize, size, dataStart);
}

bool CStreamImage::CompressYuv(const YuvPicture& picture, size_t& size, size_t& dataStart) {
  const int width = picture.width;
  const int height = picture.height;
  if (!compressor_ || !IsPictureSizeUsable(width, height)) return false;
  if (!picture.Holds(width, height)) return false;
  if (!PrepareEncoded(width, height)) return false;
  const unsigned char* planes[] = {picture.luma.data(), picture.blue.data(), picture.red.data()};
  const int strides[] = {width, picture.ChromaWidth(), picture.ChromaWidth()};
  unsigned char* out = encoded_.data();
  unsigned long outSize = static_cast<unsigned long>(encoded_.size());
  if (tjCompressFromYUVPlanes(compressor_, planes, width, strides, height, kJpegSubsampling, &out, &outSize,
                              kJpegQuality, TJFLAG_NOREALLOC) != 0) {
    KTRACE("JPEG encoding failed: %s", tjGetErrorStr2(compressor_));
    return false;
  }
  return TakeEncoded(out, outSize, size, dataStart);
}

size_t CStreamImage::ComposedSize(size_t remainder) const {
  return kSoiSize + size_t(app0_.size) + size_t(app1_.size) + size_t(com_.size) + remainder;
}

void CStreamImage::Compose(unsigned char* out, const unsigned char* remainder, size_t remainderSize) const {
  out[0] = kMarkerPrefix;
  out[1] = kSoi;
  size_t pos = kSoiSize;
  std::memcpy(out + pos, app0_.bytes, size_t(app0_.size));
  pos += size_t(app0_.size);
  std::memcpy(out + pos, app1_.bytes, size_t(app1_.size));
  pos += size_t(app1_.size);
  std::memcpy(out + pos, com_.bytes, size_t(com_.size));
  pos += size_t(com_.size);
  std::memcpy(out + pos, remainder, remainderSize);
}

bool CStreamImage::ComposeOutput(size_t encodedSize, size_t dataStart) {
  const size_t remainder = encodedSize - dataStart;
  const size_t total = ComposedSize(remainder);
  if (total > size_t(kOutputCapacity)) {
    KTRACE("Encoded picture of %zu bytes exceeds the output buffer", total);
    return false;
  }
  // Made whole on the first encode, and kept: a codec that only decodes
  // (the frame shown, a search) never needs it.
  if (output_.empty()) output_.resize(size_t(kOutputCapacity));
  Compose(output_.data(), encoded_.data() + dataStart, remainder);
  outputSize_ = int(total);
  return true;
}

bool CStreamImage::EncodePixels(const unsigned char* source, int sourceCount, const unsigned char* pixels, int width,
                                int height) {
  outputSize_ = 0;
  SaveSegments(source, sourceCount);
  size_t encodedSize = 0;
  size_t dataStart = 0;
  return Compress(pixels, width, height, encodedSize, dataStart) && ComposeOutput(encodedSize, dataStart);
}

bool CStreamImage::EncodeYuv(const unsigned char* source, int sourceCount, const YuvPicture& picture) {
  outputSize_ = 0;
  SaveSegments(source, sourceCount);
  size_t encodedSize = 0;
  size_t dataStart = 0;
  return CompressYuv(picture, encodedSize, dataStart) && ComposeOutput(encodedSize, dataStart);
}

bool CStreamImage::DoubleAndReencode(unsigned char* bytes, int& count, int capacity) {
  int width = 0;
  int height = 0;
  if (!ReadHeader(bytes, count, width, height)) return false;
  if (2 * height >= width) return true;

  if (!DecodeToPixels(bytes, count)) return false;
  const unsigned char* doubled = GetDoubledPixels();
  size_t encodedSize = 0;
  size_t dataStart = 0;
  if (!Compress(doubled, width_, 2 * height_, encodedSize, dataStart)) return false;
  const size_t remainder = encodedSize - dataStart;
  const size_t total = ComposedSize(remainder);
  if (capacity < 0 || total > size_t(capacity)) {
    KTRACE("Doubled picture of %zu bytes does not fit a buffer of %d", total, capacity);
    return false;
  }
  Compose(bytes, encoded_.data() + dataStart, remainder);
  count = int(total);
  return true;
}
