// Arbitrary bytes as a video recording, index and data file, read for its
// trips. The trips read a whole index themselves rather than load the
// recording; whenever they do, they must give the frames and the trigger the
// loader gives, and when they decline they leave what they were given alone.
//
// Input: two bytes (little-endian) for the index's length, the index, then
// the data file; a recording without data bytes gets three whole pictures.

#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "telemetry/CardTrips.h"
#include "telemetry/TripRecordingRead.h"

namespace {

constexpr size_t kMaxInput = 256 * 1024;

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
    std::string pattern = (std::filesystem::temp_directory_path() / "korvane-fuzz-trips-XXXXXX").string();
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
    pictures = WholeDataFile().data();
    picturesSize = WholeDataFile().size();
  }
  const std::string dataPath = Folder() + "/REC0001.vdd";
  const std::string indexPath = Folder() + "/REC0001.vdx";
  WriteFile(indexPath, index, indexSize);
  WriteFile(dataPath, pictures, picturesSize);

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
