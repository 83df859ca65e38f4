#include "skin/SkinPackageWriter.h"

#include <string_view>

#include "platform/OutputFile.h"
#include "skin/SkinPackage.h"

namespace {

constexpr uint32_t kHeadersSize = 54;
constexpr uint32_t kPixelsPerMetre = 2835;  // 72 dpi

void PutU16(std::vector<uint8_t>& to, uint32_t value) {
  to.push_back(static_cast<uint8_t>(value));
  to.push_back(static_cast<uint8_t>(value >> 8));
}
void PutU32(std::vector<uint8_t>& to, uint32_t value) {
  PutU16(to, value & 0xFFFFu);
  PutU16(to, value >> 16);
}

bool WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  const std::string_view content(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return WriteWholeFile(path.string(), content, Overwrite::kReplace);
}

}  // namespace

std::vector<uint8_t> EncodeSkinBitmap(int width, int height, const std::vector<uint8_t>& rgb) {
  const uint32_t stride = (static_cast<uint32_t>(width) * 3 + 3) / 4 * 4;
  const uint32_t pixelBytes = stride * static_cast<uint32_t>(height);
  std::vector<uint8_t> out;
  out.reserve(kHeadersSize + pixelBytes);
  out.push_back('B');
  out.push_back('M');
  PutU32(out, kHeadersSize + pixelBytes);
  PutU32(out, 0);
  PutU32(out, kHeadersSize);
  PutU32(out, 40);
  PutU32(out, static_cast<uint32_t>(width));
  PutU32(out, static_cast<uint32_t>(height));  // positive: bottom row first
  PutU16(out, 1);
  PutU16(out, 24);
  PutU32(out, 0);
  PutU32(out, pixelBytes);
  PutU32(out, kPixelsPerMetre);
  PutU32(out, kPixelsPerMetre);
  PutU32(out, 0);
  PutU32(out, 0);
  for (int y = height - 1; y >= 0; --y) {
    const uint8_t* row = rgb.data() + static_cast<size_t>(y) * width * 3;
    for (int x = 0; x < width; ++x, row += 3) {
      out.push_back(row[2]);
      out.push_back(row[1]);
      out.push_back(row[0]);
    }
    for (uint32_t pad = static_cast<uint32_t>(width) * 3; pad < stride; ++pad) out.push_back(0);
  }
  return out;
}

bool CSkinPackageWriter::AddPicture(int number, SkinEntryRect rect, int value, bool visible, int width, int height,
                                    std::vector<uint8_t> rgb) {
  if (width <= 0 || height <= 0 || rgb.size() != static_cast<size_t>(width) * height * 3) return false;
  entries_.push_back(Entry{number, rect, value, visible, width, height, std::move(rgb)});
  return true;
}

void CSkinPackageWriter::AddRect(int number, SkinEntryRect rect, bool visible) {
  entries_.push_back(Entry{number, rect, 0, visible, 0, 0, {}});
}

bool CSkinPackageWriter::Write(const std::filesystem::path& dscPath) const {
  std::vector<uint8_t> image;
  std::vector<uint8_t> index;
  // The loader reads one record more than the count says.
  PutU32(index, entries_.empty() ? 0 : static_cast<uint32_t>(entries_.size() - 1));
  for (const Entry& entry : entries_) {
    uint32_t offset = kSkinNoPicture;
    if (!entry.rgb.empty()) {
      offset = static_cast<uint32_t>(image.size());
      const std::vector<uint8_t> bitmap = EncodeSkinBitmap(entry.width, entry.height, entry.rgb);
      image.insert(image.end(), bitmap.begin(), bitmap.end());
    }
    PutU32(index, static_cast<uint32_t>(entry.number));
    PutU32(index, 0);
    PutU32(index, static_cast<uint32_t>(entry.rect.left));
    PutU32(index, static_cast<uint32_t>(entry.rect.top));
    PutU32(index, static_cast<uint32_t>(entry.rect.right));
    PutU32(index, static_cast<uint32_t>(entry.rect.bottom));
    PutU32(index, static_cast<uint32_t>(entry.value));
    PutU32(index, 0);
    PutU32(index, offset);
    PutU32(index, entry.visible ? 1 : 0);
    PutU32(index, 0);
    PutU32(index, 0);
  }
  // The pictures first: an index already in place never points into an
  // image file that is still being written.
  return WriteBytes(SkinImagePathFor(dscPath), image) && WriteBytes(dscPath, index);
}
