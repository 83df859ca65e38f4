#include "recording/CheckFilesPass.h"

#include <filesystem>
#include <system_error>

#include "platform/ReadOnlyFile.h"
#include "platform/Trace.h"
#include "recording/CardFolders.h"
#include "recording/VideoIndexPath.h"

namespace {

// Whether the first byte of an open file comes back.
bool FirstByteReads(const ReadOnlyFile& file) {
  unsigned char first = 0;
  return file.ReadAt(0, &first, 1) == 1;
}

}  // namespace

CheckFilesPass::CheckFilesPass(std::string root, int total) : root_(std::move(root)), total_(total) {}

CheckFilesPass::~CheckFilesPass() { Join(); }

bool CheckFilesPass::Start(UiQueue& ui, std::function<void()> onDone) {
  if (started_) return false;
  started_ = true;
  auto work = [this, &ui, onDone = std::move(onDone)] {
    Run();
    if (onDone) ui.Post(onDone);
  };
  try {
    worker_ = std::thread(work);
    return true;
  } catch (const std::system_error&) {
    KTRACE("No thread for the check-files pass; checking on this one");
    work();
    return false;
  }
}

void CheckFilesPass::Join() {
  if (worker_.joinable()) worker_.join();
}

void CheckFilesPass::Run() {
  eventPaths_ = WalkVideoFolder(EventFolderPath(root_).string());
  normalPaths_ = WalkVideoFolder(NormalFolderPath(root_).string());
  logPaths_ = WalkLogFolder(LogFolderPath(root_).string());
  done_.store(true);
}

std::vector<std::string> CheckFilesPass::WalkVideoFolder(const std::string& folder) {
  std::vector<std::string> passed;
  for (const std::string& path : ListCardFiles(folder, kDataFileExtension)) {
    progress_.fetch_add(1);
    const DataFileCheck data = CheckDataFile(path, verify_.load());
    if (!data.ok) {
      KTRACE("Crashed file: %s", path.c_str());
      crashed_ = 1;
      continue;
    }
    if (data.deleted) {
      DeleteIndexOf(path);
      continue;
    }
    // Without verification the index is not looked at, so not looked for.
    const bool verify = verify_.load();
    const std::string indexPath = verify ? indexes_.IndexPathFor(path) : std::string();
    if (!CheckIndexFile(indexPath, verify)) {
      KTRACE("Crashed file: %s", indexPath.c_str());
      crashed_ = 1;
      continue;
    }
    passed.push_back(path);
  }
  return passed;
}

std::vector<std::string> CheckFilesPass::WalkLogFolder(const std::string& folder) {
  std::vector<std::string> passed;
  for (const std::string& path : ListCardFiles(folder, kLogFileExtension)) {
    progress_.fetch_add(1);
    const DataFileCheck log = CheckDataFile(path, verify_.load());
    if (!log.ok) {
      KTRACE("Crashed file: %s", path.c_str());
      crashed_ = 1;
      continue;
    }
    if (!log.deleted) passed.push_back(path);
  }
  return passed;
}

DataFileCheck CheckFilesPass::CheckDataFile(const std::string& path, bool verify) {
  if (!verify) return {true, false};
  ReadOnlyFile file;
  if (!file.Open(path)) return {false, false};
  const int64_t size = file.Size();
  if (size < 0) return {false, false};
  if (size <= kLargestEmptyDataFile) {
    file.Close();
    // A file that stays because the card refuses the delete is still there
    // and is listed as such, not reported as gone.
    return {true, Delete(path)};
  }
  return {FirstByteReads(file), false};
}

bool CheckFilesPass::CheckIndexFile(const std::string& path, bool verify) {
  if (!verify) return true;
  ReadOnlyFile file;
  // No index at all is no damage: the recording loads from its data file.
  if (!file.Open(path)) return true;
  const int64_t size = file.Size();
  if (size < 0) return false;
  if (size < kSmallestIndexFile) {
    file.Close();
    Delete(path);
    return true;
  }
  return FirstByteReads(file);
}

bool CheckFilesPass::Delete(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::remove(path, error)) {
    KTRACE("Cannot delete %s: %s", path.c_str(), error ? error.message().c_str() : "not found");
    return false;
  }
  KTRACE("Deleted %s", path.c_str());
  indexes_.Forget(path);
  deleted_.push_back(path);
  return true;
}

void CheckFilesPass::DeleteIndexOf(const std::string& dataPath) {
  const std::string indexPath = indexes_.IndexPathFor(dataPath);
  if (indexPath.empty()) return;
  // The index is found by a name prefix, so it may belong to another
  // recording whose name starts alike; that one keeps its index.
  const std::string owner = VideoDataPathForIndex(indexPath);
  if (!owner.empty()) {
    KTRACE("Index %s kept for %s", indexPath.c_str(), owner.c_str());
    return;
  }
  Delete(indexPath);
}
