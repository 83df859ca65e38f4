// Arbitrary bytes as a frame picture: every codec entry point must fail
// cleanly or succeed, reading only inside the bytes and writing only inside
// the buffer it is given.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "recording/StreamImage.h"

namespace {

// Encoding is slow for big pictures; damaged headers can claim them cheaply.
constexpr int kMaxEncodedPixels = 1 << 20;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > size_t(CStreamImage::kOutputCapacity)) return 0;
  const int count = int(size);
  CStreamImage codec;

  int width = 0;
  int height = 0;
  if (codec.GetImageSize(data, count, width, height) && (width <= 0 || height <= 0)) __builtin_trap();

  if (codec.DecodeToPixels(data, count)) {
    if (codec.Pixels() == nullptr || codec.Width() <= 0 || codec.Height() <= 0) __builtin_trap();
    const unsigned char* pixels = codec.GetDoubledPixels();
    int encodeHeight = 2 * codec.Height();
    if (!pixels) {
      pixels = codec.Pixels();
      encodeHeight = codec.Height();
    }
    if (codec.Width() * encodeHeight <= kMaxEncodedPixels &&
        codec.EncodePixels(data, count, pixels, codec.Width(), encodeHeight)) {
      if (codec.OutputSize() <= 0 || codec.OutputSize() > CStreamImage::kOutputCapacity) __builtin_trap();
    }
  }

  // The caller's buffer is larger than the bytes in it, as the frame buffer
  // is. Kept between inputs, as the frame buffer is, and cleared for each.
  const bool readable = codec.GetImageSize(data, count, width, height);
  if (readable && width * height > kMaxEncodedPixels / 2) return 0;
  static std::vector<unsigned char> buffer(CStreamImage::kOutputCapacity);
  std::memset(buffer.data(), 0, buffer.size());
  if (size != 0) std::memcpy(buffer.data(), data, size);
  int bufferCount = count;
  const bool changed = codec.DoubleAndReencode(buffer.data(), bufferCount, int(buffer.size()));
  if (!changed || (readable && 2 * height >= width)) {
    // Failure, or a picture that needs no doubling, leaves the bytes as they were.
    if (bufferCount != count || (size != 0 && std::memcmp(buffer.data(), data, size) != 0)) __builtin_trap();
    return 0;
  }
  if (bufferCount <= 0 || bufferCount > int(buffer.size())) __builtin_trap();
  // The result must itself be a readable picture of twice the height.
  int doubledWidth = 0;
  int doubledHeight = 0;
  if (!codec.GetImageSize(buffer.data(), bufferCount, doubledWidth, doubledHeight)) __builtin_trap();
  if (doubledWidth != width || doubledHeight != 2 * height) __builtin_trap();
  return 0;
}
