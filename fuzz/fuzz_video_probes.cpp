// Arbitrary bytes as a video recording, index and data file, asked the
// questions the file lists ask without loading it: the probes must agree
// with the full load on what both read (the trailer's identity and extended
// event code, the first and last frame's time).
//
// Input: two bytes (little-endian) for the index's length, the index, then
// the data file; a recording without data bytes gets three whole pictures.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "FuzzRecordingFiles.h"
#include "recording/InfoEventFile.h"
#include "recording/LittleEndian.h"
#include "recording/VideoFileProbe.h"
#include "recording/VideoFormat.h"
#include "recording/VideoIndexEnds.h"
#include "recording/VideoSpanProbe.h"
#include "recording/WaitingLoadObserver.h"

namespace {

constexpr size_t kMaxInput = 256 * 1024;
constexpr int kWaitMs = 60000;

const std::string& Folder() { return FuzzFolder("korvane-fuzz-probes"); }

// The lists read the extended code from where a current trailer holds it,
// without looking for the trailer: an older index has its records there.
bool EndsInCurrentTrailer(ByteSpan index) {
  return index.size() >= kTrailerSize && ReadLe32(index, index.size() - kTrailerSize) == kTrailerMagic;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2 || size > kMaxInput) return 0;
  const size_t indexSize = std::min<size_t>(data[0] | (size_t{data[1]} << 8), size - 2);
  const uint8_t* index = data + 2;
  const uint8_t* pictures = index + indexSize;
  size_t picturesSize = size - 2 - indexSize;
  if (picturesSize == 0) {
    pictures = ThreePictures().data();
    picturesSize = ThreePictures().size();
  }
  const std::string dataPath = Folder() + "/REC0001.vdd";
  WriteFuzzFile(Folder() + "/REC0001.vdx", index, indexSize);
  WriteFuzzFile(dataPath, pictures, picturesSize);

  WaitingLoadObserver observer;
  observer.BeginLoad();
  CInfoEventFile recording;
  if (recording.LoadVideoRecording(dataPath, &observer) != 1 || !observer.WaitForLoadEnded(kWaitMs)) __builtin_trap();

  // The trailer's identity, when the load took the trailer.
  const bool trailer = recording.Source() == FrameSource::kIndex;
  const VideoIds ids = ReadVideoIds(dataPath);
  if (trailer && recording.IdentityFlag() != 0) {
    if (ids.drid != recording.Drid() || ids.sdid != recording.Sdid()) __builtin_trap();
    if (EndsInCurrentTrailer(ByteSpan(index, indexSize)) &&
        ReadVideoExtendedEventCode(dataPath) != recording.ExtendedEventCode()) {
      __builtin_trap();
    }
  }
  (void)ReadVideoEventName(dataPath);

  // The first and last frame, where the load found them. The lists ask the
  // index when its first and last records serve, else the data file; the load
  // also reads the records between and may take the others.
  const int frames = recording.FrameCount();
  if (frames == 0) return 0;
  VideoIndexEnds ends;
  ends.Read(Folder() + "/REC0001.vdx");
  const bool fromIndex = ends.FrameSpan().has_value();
  const std::optional<VideoFrameSpan> span = ReadVideoFrameSpan(dataPath);
  const FrameSource source = recording.Source();
  const bool sameFirst = fromIndex ? source != FrameSource::kScan : source == FrameSource::kScan;
  if (sameFirst && (!span || span->first != recording.Frame(0).time)) __builtin_trap();
  if (fromIndex && source == FrameSource::kIndex && span->last != recording.Frame(frames - 1).time) __builtin_trap();
  return 0;
}
