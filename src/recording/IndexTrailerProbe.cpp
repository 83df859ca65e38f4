#include "recording/IndexTrailerProbe.h"

#include "platform/ReadOnlyFile.h"
#include "platform/Utf8.h"

namespace {

constexpr size_t kIdentityChars = 10;

}  // namespace

uint8_t IndexExtendedEventCode(const VideoIndexEnds& index) {
  const std::optional<VdxTrailer>& trailer = index.LastBytesTrailer();
  return trailer ? trailer->extEventCode : 0;
}

VideoIds IndexIds(const VideoIndexEnds& index) {
  const std::optional<VdxTrailer>& trailer = index.LastBytesTrailer();
  if (!trailer || trailer->magic != kTrailerMagic || trailer->identityFlag == 0) return {};
  return {Utf8Prefix(trailer->drid, kIdentityChars), Utf8Prefix(trailer->sdid, kIdentityChars)};
}

uint8_t ReadIndexExtendedEventCode(const std::string& indexPath) {
  VideoIndexEnds index;
  index.Read(indexPath);
  return IndexExtendedEventCode(index);
}

VideoIds ReadIndexIds(const std::string& indexPath) {
  VideoIndexEnds index;
  index.Read(indexPath);
  return IndexIds(index);
}
