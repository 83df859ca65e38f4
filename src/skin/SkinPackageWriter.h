#pragma once
// Writes a skin package: the index file and, beside it, the image file with
// one 24-bit bottom-up bitmap per entry that has a picture. Used by the
// build-time skin builder and by tests that need a package of their own.

#include <cstdint>
#include <filesystem>
#include <vector>

// An entry that only places a window carries no picture; its offset points
// past any image file so that loading a picture for it fails plainly.
inline constexpr uint32_t kSkinNoPicture = 0xFFFFFFFFu;

struct SkinEntryRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

class CSkinPackageWriter {
 public:
  // A picture given top-down, three bytes per pixel (red, green, blue);
  // rgb must hold width * height * 3 bytes, else the entry is refused.
  bool AddPicture(int number, SkinEntryRect rect, int value, bool visible, int width, int height,
                  std::vector<uint8_t> rgb);
  // An entry with a rectangle and no picture.
  void AddRect(int number, SkinEntryRect rect, bool visible);

  size_t EntryCount() const { return entries_.size(); }

  // Writes dscPath and the .chk beside it, each as a whole output file, so
  // a failed run never leaves half a package.
  bool Write(const std::filesystem::path& dscPath) const;

 private:
  struct Entry {
    int number = 0;
    SkinEntryRect rect;
    int value = 0;
    bool visible = false;
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;  // empty: no picture
  };
  std::vector<Entry> entries_;
};

// The bytes of one 24-bit bottom-up bitmap file, rows padded to four bytes.
std::vector<uint8_t> EncodeSkinBitmap(int width, int height, const std::vector<uint8_t>& rgb);
