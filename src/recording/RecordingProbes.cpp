#include "recording/RecordingProbes.h"

#include "platform/ReadOnlyFile.h"

DataFileProbe ProbeDataFile(const std::string& path, const OpenFolder* folder, int64_t largestEmpty) {
  DataFileProbe probe;
  ReadOnlyFile file;
  if (!(folder != nullptr ? file.Open(path, *folder) : file.Open(path))) return probe;
  probe.opened = true;
  probe.size = file.OpenedSize();
  if (probe.size <= largestEmpty) return probe;
  unsigned char first = 0;
  probe.firstByte = file.ReadAt(0, &first, 1) == 1;
  return probe;
}

RecordingProbe ProbeRecording(const std::string& dataPath, const std::string& indexPath, const OpenFolder& folder,
                              int64_t largestEmpty) {
  RecordingProbe probe;
  probe.data = ProbeDataFile(dataPath, &folder, largestEmpty);
  probe.indexRead = probe.index.Read(indexPath, folder);
  return probe;
}

RecordingProbesAhead::RecordingProbesAhead(const std::vector<std::string>& dataPaths,
                                           const std::vector<std::string>& indexPaths, const OpenFolder& folder,
                                           int64_t largestEmpty)
    : dataPaths_(dataPaths),
      indexPaths_(indexPaths),
      folder_(folder),
      largestEmpty_(largestEmpty),
      probes_(dataPaths.size()),
      thread_([this] { ReadAll(); }) {}

RecordingProbesAhead::~RecordingProbesAhead() {
  {
    std::lock_guard guard(lock_);
    stop_ = true;
  }
  thread_.join();
}

void RecordingProbesAhead::ReadAll() {
  for (size_t i = 1; i < dataPaths_.size(); i += 2) {
    RecordingProbe probe = ProbeRecording(dataPaths_[i], indexPaths_[i], folder_, largestEmpty_);
    std::lock_guard guard(lock_);
    if (stop_) return;
    probes_[i] = std::move(probe);
    readUpTo_ = i + 1;
    ready_.notify_one();
  }
}

RecordingProbe RecordingProbesAhead::Take(size_t position) {
  std::unique_lock guard(lock_);
  ready_.wait(guard, [&] { return readUpTo_ > position; });
  return std::move(probes_[position]);
}
