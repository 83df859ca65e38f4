#include "skin/SkinPackage.h"

#include <array>
#include <bit>
#include <cstring>

#include "base/MgrMultiLang.h"
#include "platform/ReadOnlyFile.h"

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderSize = 40;
// Far beyond any panel picture; keeps a damaged header from asking for
// gigabytes.
constexpr int32_t kMaxPictureSide = 8192;
constexpr uint32_t kUncompressed = 0;

uint16_t U16At(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t U32At(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
         (static_cast<uint32_t>(p[3]) << 24);
}
int32_t S32At(const uint8_t* p) { return static_cast<int32_t>(U32At(p)); }

SkinControl_Info DecodeEntry(const uint8_t* record) {
  SkinControl_Info info;
  info.number = S32At(record + 0);
  info.left = S32At(record + 8);
  info.top = S32At(record + 12);
  info.right = S32At(record + 16);
  info.bottom = S32At(record + 20);
  info.value = S32At(record + 24);
  info.offset = U32At(record + 32);
  info.visible = S32At(record + 36);
  return info;
}

bool ReadExactly(const ReadOnlyFile& in, uint64_t position, uint8_t* into, size_t size) {
  return in.ReadAt(position, into, size) == size;
}

struct BitmapLayout {
  int width = 0;
  int height = 0;
  bool topDown = false;
  int bytesPerPixel = 0;
  uint64_t pixelStart = 0;  // in the image file
  uint64_t pixelSize = 0;   // what the file header says the pixel data holds
  uint64_t stride = 0;
};

// Checks the two headers against each other and against the file, so that
// reading the pixels can neither overrun the buffer nor the file.
bool ParseHeaders(const uint8_t* file, const uint8_t* info, uint64_t entryOffset, uint64_t imageFileSize,
                  BitmapLayout& layout) {
  if (file[0] != 'B' || file[1] != 'M') return false;
  const uint32_t totalSize = U32At(file + 2);
  const uint32_t pixelOffset = U32At(file + 10);
  if (pixelOffset < kFileHeaderSize + kInfoHeaderSize || pixelOffset > totalSize) return false;
  if (entryOffset + totalSize > imageFileSize) return false;

  if (U32At(info + 0) < kInfoHeaderSize) return false;
  const int32_t width = S32At(info + 4);
  const int32_t height = S32At(info + 8);
  const uint16_t planes = U16At(info + 12);
  const uint16_t bitCount = U16At(info + 14);
  const uint32_t compression = U32At(info + 16);
  if (planes != 1 || compression != kUncompressed) return false;
  if (bitCount != 24 && bitCount != 32) return false;
  // INT32_MIN has no positive counterpart; the side limit rules it out first.
  if (height == INT32_MIN || width <= 0 || width > kMaxPictureSide || height == 0) return false;
  const int32_t rows = height < 0 ? -height : height;
  if (rows > kMaxPictureSide) return false;

  layout.width = width;
  layout.height = rows;
  layout.topDown = height < 0;
  layout.bytesPerPixel = bitCount / 8;
  layout.stride = (static_cast<uint64_t>(width) * layout.bytesPerPixel + 3) / 4 * 4;
  layout.pixelStart = entryOffset + pixelOffset;
  layout.pixelSize = totalSize - pixelOffset;
  return layout.stride * static_cast<uint64_t>(rows) <= layout.pixelSize;
}

// One pixel's blue, green and red bytes as red, green, blue.
void SwapPixel(const uint8_t* from, uint8_t* to) {
  to[0] = from[2];
  to[1] = from[1];
  to[2] = from[0];
}

// A row of 3-byte pixels, four bytes at a time: each load takes the pixel and
// the next one's first byte, and each store's fourth byte is overwritten by
// the next pixel. The last pixel goes alone, so that nothing is read or
// written past either row. The panel's background alone is 786 432 pixels,
// swapped at every start.
void SwapRow24(const uint8_t* from, uint8_t* to, int width) {
  int x = 0;
  if constexpr (std::endian::native != std::endian::little) {
    for (; x < width; ++x, from += 3, to += 3) SwapPixel(from, to);
    return;
  }
  for (; x + 1 < width; ++x, from += 3, to += 3) {
    uint32_t pixel = 0;
    std::memcpy(&pixel, from, sizeof pixel);
    // Little-endian: the load is X R G B from the top; reversed and shifted
    // it is 0 B G R, which stores as R G B 0.
    const uint32_t swapped = __builtin_bswap32(pixel) >> 8;
    std::memcpy(to, &swapped, sizeof swapped);
  }
  if (x < width) SwapPixel(from, to);
}

void ConvertToRgb(const std::vector<uint8_t>& pixels, const BitmapLayout& layout, std::vector<uint8_t>& rgb) {
  const size_t rowBytes = static_cast<size_t>(layout.width) * 3;
  rgb.resize(rowBytes * static_cast<size_t>(layout.height));
  for (int y = 0; y < layout.height; ++y) {
    const int sourceRow = layout.topDown ? y : layout.height - 1 - y;
    const uint8_t* from = pixels.data() + layout.stride * static_cast<uint64_t>(sourceRow);
    uint8_t* to = rgb.data() + rowBytes * static_cast<size_t>(y);
    if (layout.bytesPerPixel == 3) {
      SwapRow24(from, to, layout.width);
      continue;
    }
    for (int x = 0; x < layout.width; ++x, from += layout.bytesPerPixel, to += 3) SwapPixel(from, to);
  }
}

}  // namespace

bool CSkinPackage::Open(const std::filesystem::path& indexPath) {
  indexPath_ = indexPath;
  imagePath_ = SkinImagePathFor(indexPath);
  entries_.clear();

  // Only a regular file: a FIFO in its place would hang the start.
  ReadOnlyFile in;
  if (!in.Open(indexPath)) return false;
  std::array<uint8_t, kSkinIndexHeaderSize> header{};
  if (!ReadExactly(in, 0, header.data(), header.size())) return false;

  // The count is one less than the records read: the last read past the end
  // of a file holding only "count" records just finds nothing new, so such
  // a file loads the same. A trailing partial record is ignored rather than
  // mixed with the one before it.
  const uint64_t reads = static_cast<uint64_t>(U32At(header.data())) + 1;
  std::array<uint8_t, kSkinIndexEntrySize> record{};
  for (uint64_t i = 0; i < reads; ++i) {
    if (!ReadExactly(in, kSkinIndexHeaderSize + i * kSkinIndexEntrySize, record.data(), record.size())) break;
    const SkinControl_Info info = DecodeEntry(record.data());
    entries_[info.number] = info;
  }
  return true;
}

const SkinControl_Info* CSkinPackage::Find(int number) const {
  const auto found = entries_.find(number);
  return found == entries_.end() ? nullptr : &found->second;
}

bool CSkinPackage::LoadImage(int number, SkinPicture& out) const {
  out = SkinPicture{};
  const SkinControl_Info* info = Find(number);
  if (info == nullptr) return false;

  ReadOnlyFile in;
  if (!in.Open(imagePath_)) return false;
  const int64_t size = in.Size();
  if (size < 0) return false;
  const auto fileSize = static_cast<uint64_t>(size);

  std::array<uint8_t, kFileHeaderSize + kInfoHeaderSize> headers{};
  if (!ReadExactly(in, info->offset, headers.data(), headers.size())) return false;
  BitmapLayout layout;
  if (!ParseHeaders(headers.data(), headers.data() + kFileHeaderSize, info->offset, fileSize, layout)) return false;

  const uint64_t needed = layout.stride * static_cast<uint64_t>(layout.height);
  std::vector<uint8_t> pixels(needed);
  if (!ReadExactly(in, layout.pixelStart, pixels.data(), pixels.size())) return false;

  ConvertToRgb(pixels, layout, out.rgb);
  out.width = layout.width;
  out.height = layout.height;
  out.value = info->value;
  out.left = info->left;
  out.top = info->top;
  out.right = info->right;
  out.bottom = info->bottom;
  return true;
}

std::string MissingEntryMessage() {
  const std::string checkFile = GetLangText("GUI", "CheckFile", "Check File");
  return checkFile + " : .dsc,.chk";
}

std::string OpenFailedMessage(const std::filesystem::path& indexPath) {
  const std::string checkFile = GetLangText("GUI", "CheckFile", "Check File");
  return checkFile + " : " + indexPath.string();
}
