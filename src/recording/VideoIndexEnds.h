#pragma once
// What the file lists ask of a recording's index — the trailer (ids and
// extended event code) and the time of the first and last frame — read with
// one open of the index. The last few KiB come in one read: for a short
// recording that is the whole index, for a longer one the trailer and the
// records before it; the first record comes with them or in a second read.
// Only the first record and the last bytes are kept and the file is closed,
// so the check-files pass can read a card's indexes once and hand what it
// read to the lists. A last record further from the end than the kept bytes
// is read when the frame span is asked for. Every part is parsed once.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/OpenFolder.h"
#include "recording/VideoFormat.h"
#include "recording/VideoFrameSpan.h"
#include "recording/VideoIndexTail.h"

class VideoIndexEnds {
 public:
  // Opens the index, reads its ends and closes it; false when it cannot be
  // opened (an empty path included), which answers every question with
  // nothing.
  bool Read(const std::string& indexPath);
  // The same, the index opened through the folder it lies in.
  bool Read(const std::string& indexPath, const OpenFolder& folder);

  // The length the index had when it was read; -1 when it was not.
  int64_t Size() const { return size_; }
  // Whether the index's first byte came back.
  bool FirstByteRead() const { return firstLength_ > 0; }

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
  // How much of that is kept: the trailer and the last records before it,
  // where a recording's last record lies.
  static constexpr size_t kKeptEndBytes = 256;

  bool ReadOpened(const std::string& indexPath, const ReadOnlyFile& file);
  // A record of the index as its bytes; from the bytes kept when it lies
  // there, else read now. Fewer than size bytes when the file ends.
  size_t RecordBytes(uint64_t at, size_t size, uint8_t* out) const;

  std::string path_;
  int64_t size_ = -1;
  uint64_t endAt_ = 0;  // where the bytes in end_ begin in the file
  size_t endLength_ = 0;
  std::array<uint8_t, kKeptEndBytes> end_{};
  size_t firstLength_ = 0;
  std::array<uint8_t, kLongRecordSize> first_{};
  std::optional<VdxTrailer> current_;
};
