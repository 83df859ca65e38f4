// Arbitrary bytes as the index file of a small, whole data file: the load
// must end cleanly with frames (from the index or by the scan), and every
// frame read must stay inside the frame buffer.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "recording/InfoEventFile.h"
#include "recording/WaitingLoadObserver.h"

namespace {

constexpr int kWaitMs = 60000;

void WriteFile(const std::string& path, const uint8_t* data, size_t size) {
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) std::abort();
  if (size > 0 && std::fwrite(data, 1, size, out) != size) std::abort();
  std::fclose(out);
}

// Three pictures, each with a frame comment block.
std::vector<uint8_t> SmallDataFile() {
  std::vector<uint8_t> data;
  for (int i = 0; i < 3; ++i) {
    const uint8_t head[] = {0xFF, 0xD8, 0xFF, 0xFE, 0x00, 61};
    data.insert(data.end(), head, head + sizeof head);
    uint8_t block[59] = {25, 6, 14, 9, 30, static_cast<uint8_t>(i), 0};
    block[44] = 1;
    data.insert(data.end(), block, block + sizeof block);
    for (int k = 0; k < 200; ++k) data.push_back(static_cast<uint8_t>(k));
    data.push_back(0xFF);
    data.push_back(0xD9);
  }
  return data;
}

// Made once and never destroyed, so that the clean-up at exit can still
// name it.
const std::string& Folder() {
  static const std::string* const folder = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "korvane-fuzz-index-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    const std::vector<uint8_t> data = SmallDataFile();
    WriteFile(pattern + "/REC0001.vdd", data.data(), data.size());
    auto* made = new std::string(pattern);
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(Folder(), ignored);
    });
    return made;
  }();
  return *folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& folder = Folder();
  WriteFile(folder + "/REC0001.vdx", data, size);

  WaitingLoadObserver observer;
  observer.BeginLoad();
  CInfoEventFile recording;
  const int result = recording.LoadVideoRecording(folder + "/REC0001.vdd", &observer);
  if (result != 1 || !observer.WaitForLoadEnded(kWaitMs) || observer.EndedCount() != 1) __builtin_trap();
  // The data file's pictures are whole: whatever the index says, the load
  // ends with frames, from the index or from the scan it falls back to.
  if (observer.Status().load() != LoadStatus::kRunning || recording.FrameCount() == 0) __builtin_trap();

  static std::vector<uint8_t> buffer(FRAMEDATA_MAXSIZE);
  for (int i = 0; i < recording.FrameCount() && i < 64; ++i) {
    const int got = recording.ReadFrameData(i, buffer.data());
    if (got < 0 || static_cast<size_t>(got) > FRAMEDATA_MAXSIZE) __builtin_trap();
    if (got > 0 && static_cast<uint32_t>(got) != recording.Frame(i).dataSize) __builtin_trap();
  }
  (void)recording.GetDurationText();
  return 0;
}
