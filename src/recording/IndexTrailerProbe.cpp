#include "recording/IndexTrailerProbe.h"

#include "platform/ReadOnlyFile.h"
#include "platform/Utf8.h"
#include "recording/VideoIndexTail.h"

namespace {

constexpr size_t kIdentityChars = 10;

bool ReadIndexTrailerBytes(const std::string& indexPath, TrailerBytes& bytes) {
  ReadOnlyFile index;
  if (indexPath.empty() || !index.Open(indexPath)) return false;
  return ReadTrailerBytes(index, index.Size(), bytes);
}

}  // namespace

uint8_t ReadIndexExtendedEventCode(const std::string& indexPath) {
  TrailerBytes bytes{};
  if (!ReadIndexTrailerBytes(indexPath, bytes)) return 0;
  return ParseTrailer(bytes).extEventCode;
}

VideoIds ReadIndexIds(const std::string& indexPath) {
  TrailerBytes bytes{};
  if (!ReadIndexTrailerBytes(indexPath, bytes)) return {};
  const VdxTrailer trailer = ParseTrailer(bytes);
  if (trailer.magic != kTrailerMagic || trailer.identityFlag == 0) return {};
  return {Utf8Prefix(trailer.drid, kIdentityChars), Utf8Prefix(trailer.sdid, kIdentityChars)};
}
