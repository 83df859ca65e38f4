// Arbitrary bytes as the skin package, the same bytes as its index and as
// its image file: the index loads every whole record it counts and nothing
// else, and every picture read is whole or nothing, never outside the file.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>

#include "skin/SkinPackage.h"

namespace {

constexpr size_t kMaxInput = 256 * 1024;
constexpr int kMaxPictures = 16;
constexpr int kLargestSide = 8192;

// Made once and never destroyed, so that the clean-up at exit can still
// name it.
const std::filesystem::path& IndexPath() {
  static const std::filesystem::path* const path = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "korvane-fuzz-skin-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    auto* index = new std::filesystem::path(std::filesystem::path(pattern) / "korvane.dsc");
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(IndexPath().parent_path(), ignored);
    });
    return index;
  }();
  return *path;
}

void WriteFile(const std::filesystem::path& path, const uint8_t* data, size_t size) {
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) std::abort();
  if (size > 0 && std::fwrite(data, 1, size, out) != size) std::abort();
  std::fclose(out);
}

uint32_t U32At(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
         (static_cast<uint32_t>(p[3]) << 24);
}

// The entry numbers of the whole records the header's count covers.
std::set<int32_t> CountedNumbers(const uint8_t* data, size_t size) {
  std::set<int32_t> numbers;
  if (size < kSkinIndexHeaderSize) return numbers;
  const uint64_t records = (size - kSkinIndexHeaderSize) / kSkinIndexEntrySize;
  const uint64_t counted = static_cast<uint64_t>(U32At(data)) + 1;
  for (uint64_t i = 0; i < records && i < counted; ++i) {
    numbers.insert(static_cast<int32_t>(U32At(data + kSkinIndexHeaderSize + i * kSkinIndexEntrySize)));
  }
  return numbers;
}

void CheckPicture(const CSkinPackage& skin, int32_t number) {
  SkinPicture picture;
  picture.width = 99;
  if (!skin.LoadImage(number, picture)) {
    if (picture.width != 0 || !picture.rgb.empty()) __builtin_trap();
    return;
  }
  if (picture.width <= 0 || picture.width > kLargestSide || picture.height <= 0 || picture.height > kLargestSide) {
    __builtin_trap();
  }
  if (picture.rgb.size() != static_cast<size_t>(picture.width) * picture.height * 3) __builtin_trap();
  const SkinControl_Info* info = skin.Find(number);
  if (info == nullptr || picture.value != info->value || picture.right != info->right) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return 0;
  const std::filesystem::path& index = IndexPath();
  WriteFile(index, data, size);
  WriteFile(SkinImagePathFor(index), data, size);

  CSkinPackage skin;
  const bool opened = skin.Open(index);
  if (opened != (size >= kSkinIndexHeaderSize)) __builtin_trap();
  const std::set<int32_t> numbers = CountedNumbers(data, size);
  if (skin.EntryCount() != numbers.size()) __builtin_trap();
  int pictures = 0;
  for (int32_t number : numbers) {
    const SkinControl_Info* info = skin.Find(number);
    if (info == nullptr || info->number != number) __builtin_trap();
    if (pictures++ < kMaxPictures) CheckPicture(skin, number);
  }
  // A number no record holds finds nothing.
  for (int32_t probe : {0, -1, 1000}) {
    if (numbers.count(probe) == 0 && skin.Find(probe) != nullptr) __builtin_trap();
  }
  return 0;
}
