// Arbitrary bytes as the index file of a small, whole data file: the load
// must end cleanly with frames (from the index or by the scan), and every
// frame read must stay inside the frame buffer.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzRecordingFiles.h"
#include "recording/InfoEventFile.h"
#include "recording/WaitingLoadObserver.h"

namespace {

constexpr int kWaitMs = 60000;

// The folder, with the whole data file the inputs are the index of.
const std::string& Folder() {
  static const std::string& folder = []() -> const std::string& {
    const std::string& made = FuzzFolder("korvane-fuzz-index");
    WriteFuzzFile(made + "/REC0001.vdd", ThreePictures().data(), ThreePictures().size());
    return made;
  }();
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& folder = Folder();
  WriteFuzzFile(folder + "/REC0001.vdx", data, size);

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
