#pragma once
// The frame picture codec: turns a recorder frame (a JPEG whose leading
// segments carry the recorder's metadata) into BGR pixels, doubles the lines
// of half-height pictures, and encodes pixels back into a JPEG that carries
// the source frame's metadata segments.
//
// One object is reused for every frame, so its buffers grow with the picture
// size and are otherwise kept. Calls must not overlap: they share the
// codec handles and buffers.

#include <cstddef>
#include <vector>

#include "recording/YuvPicture.h"

class CStreamImage {
 public:
  // The size of the output buffer, which is also the largest frame picture
  // the recording store reads.
  static constexpr int kOutputCapacity = 500000;
  static constexpr int kComSlotSize = 256;
  static constexpr int kApp0SlotSize = 512;
  static constexpr int kApp1SlotSize = 2048;
  // The largest picture a recorder writes: its "L" resolution. A header that
  // claims more pixels than this is damage, refused before anything is
  // allocated for it.
  static constexpr int kLargestFrameWidth = 640;
  static constexpr int kLargestFrameHeight = 480;
  static constexpr int kLargestFramePixels = kLargestFrameWidth * kLargestFrameHeight;

  CStreamImage();
  ~CStreamImage();
  CStreamImage(const CStreamImage&) = delete;
  CStreamImage& operator=(const CStreamImage&) = delete;

  // Reads the picture's header for its size; false when it cannot be read
  // or either side is 0. Leaves the decoded picture as it is.
  bool GetImageSize(const unsigned char* bytes, int count, int& width, int& height);

  // Saves the picture's metadata segments and decodes it into Pixels().
  bool DecodeToPixels(const unsigned char* bytes, int count);

  // Saves the picture's metadata segments and decodes it into `picture`'s
  // 4:2:0 planes, whatever chroma sampling the picture has itself.
  bool DecodeToYuv(const unsigned char* bytes, int count, YuvPicture& picture);

  // Builds the picture with twice the lines from Pixels(); width x 2*height
  // x 3 bytes. Null unless the decoded picture is half-height.
  unsigned char* GetDoubledPixels();

  // Replaces a half-height picture in `bytes` by one of twice the height
  // that keeps its metadata segments; any other picture is left as it is.
  // `capacity` is the size of the caller's buffer: a result that would not
  // fit is a failure and leaves the buffer untouched.
  bool DoubleAndReencode(unsigned char* bytes, int& count, int capacity);

  // Encodes the pixels (BGR, top-down, no row padding) into OutputBytes(),
  // carrying the metadata segments of `source`, which become the saved
  // segments. More than kOutputCapacity bytes is a failure (OutputSize() 0).
  bool EncodePixels(const unsigned char* source, int sourceCount, const unsigned char* pixels, int width, int height);

  // Encodes 4:2:0 planes into OutputBytes() as EncodePixels encodes pixels.
  bool EncodeYuv(const unsigned char* source, int sourceCount, const YuvPicture& picture);

  const unsigned char* Pixels() const { return pixels_.empty() ? nullptr : pixels_.data(); }
  unsigned char* Pixels() { return pixels_.empty() ? nullptr : pixels_.data(); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  const unsigned char* OutputBytes() const { return output_.data(); }
  int OutputSize() const { return outputSize_; }

  // The metadata segments of the last decoded (or encoded-from) picture,
  // each complete with marker and length; a size of 0 means none.
  const unsigned char* ComSegment() const { return com_.bytes; }
  int ComSize() const { return com_.size; }
  const unsigned char* App0Segment() const { return app0_.bytes; }
  int App0Size() const { return app0_.size; }
  const unsigned char* App1Segment() const { return app1_.bytes; }
  int App1Size() const { return app1_.size; }

 private:
  template <int N>
  struct Segment {
    unsigned char bytes[N] = {};
    int size = 0;
  };

  bool IsHalfHeight() const { return 2 * height_ < width_; }
  void SaveSegments(const unsigned char* bytes, int count);
  bool ReadHeader(const unsigned char* bytes, int count, int& width, int& height, int* subsampling = nullptr);
  void UsePictureSize(int width, int height);
  // Encodes into encoded_ and tells where the encoder's data after its own
  // leading segments begins.
  bool Compress(const unsigned char* pixels, int width, int height, size_t& size, size_t& dataStart);
  bool CompressYuv(const YuvPicture& picture, size_t& size, size_t& dataStart);
  // Sizes encoded_ for the worst case of a width x height picture.
  bool PrepareEncoded(int width, int height);
  // Checks the encoder's output in encoded_ and finds where its data after
  // its own leading segments begins.
  bool TakeEncoded(const unsigned char* out, unsigned long outSize, size_t& size, size_t& dataStart) const;
  // Puts the saved segments before the encoder's data in OutputBytes().
  bool ComposeOutput(size_t encodedSize, size_t dataStart);
  // The size of FF D8 + saved segments + encoder remainder.
  size_t ComposedSize(size_t remainder) const;
  void Compose(unsigned char* out, const unsigned char* remainder, size_t remainderSize) const;

  void* decompressor_ = nullptr;
  void* compressor_ = nullptr;
  std::vector<unsigned char> pixels_;
  std::vector<unsigned char> output_;
  std::vector<unsigned char> doubled_;
  std::vector<unsigned char> encoded_;
  // The full-height chroma of a 4:2:2 picture before it is halved.
  std::vector<unsigned char> tallBlue_;
  std::vector<unsigned char> tallRed_;
  int encodedWidth_ = 0;
  int encodedHeight_ = 0;
  int width_ = 0;
  int height_ = 0;
  int outputSize_ = 0;
  Segment<kComSlotSize> com_;
  Segment<kApp0SlotSize> app0_;
  Segment<kApp1SlotSize> app1_;
};
