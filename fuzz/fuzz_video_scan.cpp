// Arbitrary bytes as a data file without index: the scan must end cleanly,
// its frames must lie inside the file, and frame reads must return either
// the whole picture or nothing.

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

// Made once and never destroyed, so that the clean-up at exit can still
// name it.
const std::string& DataPath() {
  static const std::string* const path = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "korvane-fuzz-scan-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    auto* made = new std::string(pattern + "/REC0001.vdd");
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(std::filesystem::path(DataPath()).parent_path(), ignored);
    });
    return made;
  }();
  return *path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& path = DataPath();
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) std::abort();
  if (size > 0 && std::fwrite(data, 1, size, out) != size) std::abort();
  std::fclose(out);

  WaitingLoadObserver observer;
  observer.BeginLoad();
  CInfoEventFile recording;
  if (recording.LoadVideoRecording(path, &observer) != 1 || !observer.WaitForLoadEnded(kWaitMs)) __builtin_trap();
  const bool failed = observer.Status().load() == LoadStatus::kFailed;
  if (failed != (recording.FrameCount() == 0)) __builtin_trap();

  static std::vector<uint8_t> buffer(FRAMEDATA_MAXSIZE);
  for (int i = 0; i < recording.FrameCount(); ++i) {
    const FRAMEINFOVIDEO& frame = recording.Frame(i);
    if (static_cast<uint64_t>(frame.dataOffset) + frame.dataSize > size) __builtin_trap();
    if (frame.dataSize < 4 || data[frame.dataOffset] != 0xFF || data[frame.dataOffset + 1] != 0xD8) __builtin_trap();
    const int got = recording.ReadFrameData(i, buffer.data());
    if (got != 0 && static_cast<uint32_t>(got) != frame.dataSize) __builtin_trap();
  }
  return 0;
}
