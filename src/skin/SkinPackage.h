#pragma once
// The skin package: an index file (korvane.dsc) of numbered entries, each a
// rectangle on the back panel, a value, a visible flag and the offset of its
// picture in the image file (korvane.chk), a run of Windows bitmap files.
// The reader never shows anything itself: it reports failure and the caller
// shows MissingEntryMessage() or OpenFailedMessage().

#include <cstdint>
#include <filesystem>
#include <string>
#include <unordered_map>
#include <vector>

// One index entry as it sits in the 48-byte record.
struct SkinControl_Info {
  int32_t number = 0;
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  int32_t value = 0;
  uint32_t offset = 0;  // of the entry's bitmap file in the image file
  int32_t visible = 0;
};

inline constexpr size_t kSkinIndexHeaderSize = 4;
inline constexpr size_t kSkinIndexEntrySize = 48;

// What a lookup fills for a panel image: the picture, top-down, three bytes
// per pixel in the order red, green, blue; the entry's value and rectangle.
struct SkinPicture {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;
  int value = 0;
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

class CSkinPackage {
 public:
  // Loads the index; the image file is the index path with ".dsc" replaced
  // by ".chk". False when the index cannot be read; the map is then empty.
  bool Open(const std::filesystem::path& indexPath);

  // nullptr when the index holds no entry of that number.
  const SkinControl_Info* Find(int number) const;

  // Reads the entry's bitmap. False for a missing entry or a bitmap that is
  // absent, damaged or of a kind not supported (only uncompressed 24 and
  // 32 bits per pixel); out is then cleared.
  bool LoadImage(int number, SkinPicture& out) const;

  size_t EntryCount() const { return entries_.size(); }
  const std::filesystem::path& IndexPath() const { return indexPath_; }
  const std::filesystem::path& ImagePath() const { return imagePath_; }

 private:
  std::filesystem::path indexPath_;
  std::filesystem::path imagePath_;
  // Keyed by entry number. The lookup only needs "the last entry stored
  // under a number"; how the buckets are laid out is of no consequence.
  std::unordered_map<int32_t, SkinControl_Info> entries_;
};

// The image file that belongs to an index file. Only the extension changes:
// a folder whose name holds ".dsc" stays as it is.
inline std::filesystem::path SkinImagePathFor(const std::filesystem::path& indexPath) {
  if (indexPath.extension() == ".dsc") return std::filesystem::path(indexPath).replace_extension(".chk");
  return std::filesystem::path(indexPath.string() + ".chk");
}

// "Check File : .dsc,.chk", shown when an entry is missing.
std::string MissingEntryMessage();
// "Check File : <path>", shown when the index cannot be opened.
std::string OpenFailedMessage(const std::filesystem::path& indexPath);
