#include "recording/VideoFileProbe.h"

#include <array>

#include "platform/Utf8.h"
#include "recording/ReadOnlyFile.h"
#include "recording/VideoFormat.h"
#include "recording/VideoIndexPath.h"

namespace {

constexpr size_t kHeadBytes = 2048;
// Markers are looked for at positions 0..2043 of the head.
constexpr size_t kHeadWalkEnd = kHeadBytes - 4;
constexpr size_t kIdentityChars = 10;

// The last 92 bytes of the recording's index, when it has that many.
bool ReadTrailerBytes(const std::string& dataPath, std::array<uint8_t, kTrailerSize>& bytes) {
  ReadOnlyFile index;
  if (!index.Open(VideoIndexPath(dataPath))) return false;
  const int64_t size = index.Size();
  if (size < static_cast<int64_t>(kTrailerSize)) return false;
  const uint64_t at = static_cast<uint64_t>(size) - kTrailerSize;
  return index.ReadAt(at, bytes.data(), bytes.size()) == bytes.size();
}

}  // namespace

uint8_t ReadVideoEventCode(const std::string& dataPath) {
  ReadOnlyFile data;
  if (!data.Open(dataPath)) return 0;
  std::array<uint8_t, kHeadBytes> head{};
  const size_t got = data.ReadAt(0, head.data(), head.size());
  // Only bytes that came from the file can hold the block.
  const ByteSpan picture(head.data(), got);
  const size_t block = FindCommentBlock(picture, kHeadWalkEnd, kCommentEventCodeAt + 1);
  if (block == kNoCommentBlock) return 0;
  return ReadU8(picture, block + kCommentEventCodeAt);
}

uint8_t ReadVideoExtendedEventCode(const std::string& dataPath) {
  std::array<uint8_t, kTrailerSize> bytes{};
  if (!ReadTrailerBytes(dataPath, bytes)) return 0;
  return ParseTrailer(bytes).extEventCode;
}

VideoIds ReadVideoIds(const std::string& dataPath) {
  std::array<uint8_t, kTrailerSize> bytes{};
  if (!ReadTrailerBytes(dataPath, bytes)) return {};
  const VdxTrailer trailer = ParseTrailer(bytes);
  if (trailer.magic != kTrailerMagic || trailer.identityFlag == 0) return {};
  return {Utf8Prefix(trailer.drid, kIdentityChars), Utf8Prefix(trailer.sdid, kIdentityChars)};
}
