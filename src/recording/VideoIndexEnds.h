#pragma once
// What the file lists ask of a recording's index — the trailer (ids and
// extended event code) and the time of the first and last frame — read with
// one open of the index. The last few KiB come in one read: for a short
// recording that is the whole index, for a longer one the trailer and the
// records before it. The first record and a last record further in are
// read only when the frame span is asked for and they lie outside. Every
// part is parsed once.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/ReadOnlyFile.h"
#include "recording/VideoFormat.h"
#include "recording/VideoFrameSpan.h"
#include "recording/VideoIndexTail.h"

class VideoIndexEnds {
 public:
  // Opens the index and reads its end; false when it cannot be opened (an
  // empty path included), which answers every question with nothing.
  bool Read(const std::string& indexPath);

  // The last 92 bytes read through the current trailer's layout, whatever
  // their magic; nothing when the index is shorter or they cannot be read.
  const std::optional<VdxTrailer>& LastBytesTrailer() const { return current_; }

  // The first and last frame as the loader takes them from the index: the
  // trailer's count (or, without a trailer, the records the file holds) and
  // the first and last of those records, both usable. Nothing when the
  // index gives no such frames, so that the data file is asked instead.
  std::optional<VideoFrameSpan> FrameSpan() const;

 private:
  // How much of the index's end is read at once.
  static constexpr size_t kEndBytes = 4096;

  // A record of the index as its bytes; from the end already read when it
  // lies there, else read now. Fewer than size bytes when the file ends.
  size_t RecordBytes(uint64_t at, size_t size, uint8_t* out) const;

  ReadOnlyFile file_;
  int64_t size_ = -1;
  uint64_t endAt_ = 0;  // where the bytes in end_ begin in the file
  size_t endLength_ = 0;
  std::array<uint8_t, kEndBytes> end_;
  std::optional<VdxTrailer> current_;
};
