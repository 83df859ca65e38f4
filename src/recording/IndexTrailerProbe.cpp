#include "recording/IndexTrailerProbe.h"

#include <array>

#include "platform/Utf8.h"
#include "recording/ReadOnlyFile.h"
#include "recording/VideoFormat.h"

namespace {

constexpr size_t kIdentityChars = 10;

bool ReadTrailerBytes(const std::string& indexPath, std::array<uint8_t, kTrailerSize>& bytes) {
  ReadOnlyFile index;
  if (indexPath.empty() || !index.Open(indexPath)) return false;
  const int64_t size = index.Size();
  if (size < static_cast<int64_t>(kTrailerSize)) return false;
  return index.ReadAt(static_cast<uint64_t>(size) - kTrailerSize, bytes.data(), bytes.size()) == bytes.size();
}

}  // namespace

uint8_t ReadIndexExtendedEventCode(const std::string& indexPath) {
  std::array<uint8_t, kTrailerSize> bytes{};
  if (!ReadTrailerBytes(indexPath, bytes)) return 0;
  return ParseTrailer(bytes).extEventCode;
}

VideoIds ReadIndexIds(const std::string& indexPath) {
  std::array<uint8_t, kTrailerSize> bytes{};
  if (!ReadTrailerBytes(indexPath, bytes)) return {};
  const VdxTrailer trailer = ParseTrailer(bytes);
  if (trailer.magic != kTrailerMagic || trailer.identityFlag == 0) return {};
  return {Utf8Prefix(trailer.drid, kIdentityChars), Utf8Prefix(trailer.sdid, kIdentityChars)};
}
