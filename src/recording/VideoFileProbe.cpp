#include "recording/VideoFileProbe.h"

#include <array>

#include "platform/ReadOnlyFile.h"
#include "recording/EventCodes.h"
#include "recording/IndexTrailerProbe.h"
#include "recording/VideoFormat.h"
#include "recording/VideoIndexPath.h"

namespace {

constexpr size_t kHeadBytes = 2048;
// Markers are looked for at positions 0..2043 of the head.
constexpr size_t kHeadWalkEnd = kHeadBytes - 4;

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
  return ReadIndexExtendedEventCode(VideoIndexPath(dataPath));
}

VideoIds ReadVideoIds(const std::string& dataPath) { return ReadIndexIds(VideoIndexPath(dataPath)); }

std::string ReadVideoEventName(const std::string& dataPath) {
  const uint8_t code = ReadVideoEventCode(dataPath);
  // Only the extended set needs the index trailer.
  if (code == kExtendedEventCode) return ExtendedEventName(ReadVideoExtendedEventCode(dataPath));
  return EventCodeName(code);
}
