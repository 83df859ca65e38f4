// Arbitrary bytes as a video recording, index and data file, read for its
// trips. The trips read a whole index themselves rather than load the
// recording; whenever they do, they must give the frames and the trigger the
// loader gives, and when they decline they leave what they were given alone.
//
// Input: two bytes (little-endian) for the index's length, the index, then
// the data file; a recording without data bytes gets three whole pictures.

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "FuzzRecordingFiles.h"
#include "telemetry/CardTrips.h"
#include "telemetry/TripRecordingRead.h"

namespace {

constexpr size_t kMaxInput = 256 * 1024;

const std::string& Folder() { return FuzzFolder("korvane-fuzz-trips"); }

// Bit for bit, so that a value neither road can make a number of still
// counts as the same.
auto Fields(const TripFrame& f) {
  return std::tuple(f.timeMs, std::bit_cast<uint64_t>(f.gX), std::bit_cast<uint64_t>(f.gY), f.fix,
                    std::bit_cast<uint64_t>(f.latitude), std::bit_cast<uint64_t>(f.longitude),
                    std::bit_cast<uint64_t>(f.speedKmh), f.recording, f.frame);
}

bool SameFrames(const std::vector<TripFrame>& a, const std::vector<TripFrame>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](const TripFrame& x, const TripFrame& y) { return Fields(x) == Fields(y); });
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
  const std::string indexPath = Folder() + "/REC0001.vdx";
  WriteFuzzFile(indexPath, index, indexSize);
  WriteFuzzFile(dataPath, pictures, picturesSize);

  TripRecording fast;
  fast.triggerMs = -1;
  if (!ReadTripFramesFromIndex(dataPath, indexPath, fast)) {
    if (!fast.path.empty() || !fast.frames.empty() || fast.triggerMs != -1) __builtin_trap();
    return 0;
  }
  TripRecording loaded;
  if (!LoadTripRecording(dataPath, loaded)) __builtin_trap();
  if (fast.path != loaded.path || fast.triggerMs != loaded.triggerMs) __builtin_trap();
  if (!SameFrames(fast.frames, loaded.frames)) __builtin_trap();
  return 0;
}
