// Arbitrary bytes as a video recording, index and data file, asked the
// questions the file lists ask without loading it: the probes must agree
// with the full load on what both read (the trailer's identity and extended
// event code, the first and last frame's time).
//
// Input: two bytes (little-endian) for the index's length, the index, then
// the data file; a recording without data bytes gets three whole pictures.

#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

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

void WriteFile(const std::string& path, const uint8_t* data, size_t size) {
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) std::abort();
  if (size > 0 && std::fwrite(data, 1, size, out) != size) std::abort();
  std::fclose(out);
}

// Three pictures, each with a frame comment block.
const std::vector<uint8_t>& WholeDataFile() {
  static const std::vector<uint8_t> data = [] {
    std::vector<uint8_t> bytes;
    for (int i = 0; i < 3; ++i) {
      const uint8_t head[] = {0xFF, 0xD8, 0xFF, 0xFE, 0x00, 61};
      bytes.insert(bytes.end(), head, head + sizeof head);
      uint8_t block[59] = {25, 6, 14, 9, 30, static_cast<uint8_t>(i), 0};
      block[44] = 1;
      bytes.insert(bytes.end(), block, block + sizeof block);
      for (int k = 0; k < 200; ++k) bytes.push_back(static_cast<uint8_t>(k));
      bytes.push_back(0xFF);
      bytes.push_back(0xD9);
    }
    return bytes;
  }();
  return data;
}

// Made once and never destroyed, so that the clean-up at exit can still
// name it.
const std::string& Folder() {
  static const std::string* const folder = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "korvane-fuzz-probes-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    auto* made = new std::string(pattern);
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(Folder(), ignored);
    });
    return made;
  }();
  return *folder;
}

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
    pictures = WholeDataFile().data();
    picturesSize = WholeDataFile().size();
  }
  const std::string dataPath = Folder() + "/REC0001.vdd";
  WriteFile(Folder() + "/REC0001.vdx", index, indexSize);
  WriteFile(dataPath, pictures, picturesSize);

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
