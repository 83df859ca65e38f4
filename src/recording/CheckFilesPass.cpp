#include "recording/CheckFilesPass.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>
#include <unordered_map>
#include <utility>

#include "platform/RemoveInside.h"
#include "platform/Trace.h"
#include "platform/Utf8.h"
#include "recording/RecordingProbes.h"
#include "recording/VideoIndexEnds.h"
#include "recording/VideoIndexPath.h"

namespace {

// How many data files of a folder share each stem (in lower case). An index
// named after a stem serves every data file of that stem, the suffixed ones
// too, so it goes only with the last of them.
class StemCounts {
 public:
  explicit StemCounts(const std::vector<std::string>& dataFiles) {
    for (const std::string& path : dataFiles) ++counts_[StemOf(path)];
  }
  void Remove(const std::string& dataPath) { --counts_[StemOf(dataPath)]; }
  bool Used(const std::string& dataPath) const {
    const auto found = counts_.find(StemOf(dataPath));
    return found != counts_.end() && found->second > 0;
  }

 private:
  static std::string StemOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return AsciiLower(VideoIndexStem(std::string_view(path).substr(slash == std::string::npos ? 0 : slash + 1)));
  }
  std::unordered_map<std::string, int> counts_;
};

}  // namespace

CheckFilesPass::CheckFilesPass(std::string root, int total) : root_(std::move(root)), total_(total) {}

CheckFilesPass::CheckFilesPass(std::string root, CardListing listing)
    : root_(std::move(root)), listing_(std::move(listing)), total_(listing_->Total()) {}

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
  CardListing listing = listing_ ? std::move(*listing_) : ListCard(root_);
  listing_.reset();
  eventPaths_ = WalkVideoFolder(std::move(listing.event), eventIndexPaths_);
  normalPaths_ = WalkVideoFolder(std::move(listing.normal), normalIndexPaths_);
  logPaths_ = WalkLogFolder(listing.log);
  done_.store(true);
}

CardCatalogue CheckFilesPass::TakeCatalogue() {
  CardCatalogue catalogue;
  catalogue.event = std::exchange(eventPaths_, {});
  catalogue.normal = std::exchange(normalPaths_, {});
  catalogue.log = std::exchange(logPaths_, {});
  catalogue.eventIndexes = std::exchange(eventIndexPaths_, {});
  catalogue.normalIndexes = std::exchange(normalIndexPaths_, {});
  catalogue.indexes = std::make_shared<VideoIndexCache>(std::exchange(indexes_, {}));
  return catalogue;
}

// The folder was read once, its data files and index files together;
// nothing a deletion does makes it be read again.
std::vector<std::string> CheckFilesPass::WalkVideoFolder(CardFolderListing folder,
                                                         std::vector<std::string>& indexPaths) {
  std::vector<std::string> passed;
  indexPaths.clear();
  indexes_.AddFolder((folder.folder / "").string(), std::move(folder.indexNames));
  const std::vector<std::string>& dataFiles = folder.files;
  const OpenFolder openFolder((folder.folder / "").string());
  // Counted only once a data file goes, which on most cards none does.
  std::optional<StemCounts> stems;
  const size_t deletedBefore = deleted_.size();
  // The index each passed recording's check found; empty where none was
  // looked for.
  std::vector<std::optional<std::string>> found;
  // Each recording's index as the folder stood before the pass deleted
  // anything in it, and its files read ahead on a second thread: on a card
  // of thousands of recordings the opens and reads are most of the scan.
  std::vector<std::string> indexAtStart;
  std::optional<RecordingProbesAhead> ahead;
  if (verify_.load() && dataFiles.size() > 1) {
    indexAtStart.reserve(dataFiles.size());
    for (const std::string& path : dataFiles) indexAtStart.push_back(indexes_.IndexPathFor(path));
    try {
      ahead.emplace(dataFiles, indexAtStart, openFolder, kLargestEmptyDataFile);
    } catch (const std::system_error&) {
      KTRACE("No thread to read ahead; the pass reads every file itself");
    }
  }
  for (size_t i = 0; i < dataFiles.size(); ++i) {
    const std::string& path = dataFiles[i];
    progress_.fetch_add(1);
    std::optional<RecordingProbe> probe;
    if (ahead && RecordingProbesAhead::ReadsAhead(i)) probe = ahead->Take(i);
    const bool verify = verify_.load();
    if (!verify) {
      passed.push_back(path);
      found.emplace_back(std::nullopt);
      continue;
    }
    const DataFileCheck data =
        DecideDataFile(path, probe ? probe->data : ProbeDataFile(path, &openFolder, kLargestEmptyDataFile));
    if (!data.ok) {
      KTRACE("Crashed file: %s", path.c_str());
      crashed_ = 1;
      continue;
    }
    if (data.deleted) {
      if (!stems) stems.emplace(dataFiles);
      stems->Remove(path);
      if (stems->Used(path)) {
        KTRACE("The index of %s stays for the other data files of its name", path.c_str());
      } else {
        DeleteOwnIndexOf(path);
      }
      continue;
    }
    // A deletion may have taken the index read ahead, or changed which
    // index a prefix search finds: then the index is looked up and read
    // afresh.
    const bool folderKept = deleted_.size() == deletedBefore;
    std::string indexPath = folderKept && !indexAtStart.empty() ? indexAtStart[i] : indexes_.IndexPathFor(path);
    const bool indexOk = probe && folderKept ? DecideIndexFile(indexPath, probe->indexRead, std::move(probe->index))
                                             : CheckIndexFile(indexPath, true, &openFolder);
    if (!indexOk) {
      KTRACE("Crashed file: %s", indexPath.c_str());
      crashed_ = 1;
      continue;
    }
    passed.push_back(path);
    found.emplace_back(std::move(indexPath));
  }
  // The lists go by the folder as the pass left it: a deletion may have
  // taken the index that an earlier recording's prefix search found, so
  // then every index is looked up again. Without one, what the checks found
  // still holds.
  const bool folderKept = deleted_.size() == deletedBefore;
  for (size_t i = 0; i < passed.size(); ++i) {
    indexPaths.push_back(folderKept && found[i] ? std::move(*found[i]) : indexes_.IndexPathFor(passed[i]));
  }
  return passed;
}

std::vector<std::string> CheckFilesPass::WalkLogFolder(const CardFolderListing& folder) {
  std::vector<std::string> passed;
  const OpenFolder openFolder((folder.folder / "").string());
  for (const std::string& path : folder.files) {
    progress_.fetch_add(1);
    const DataFileCheck log = CheckDataFile(path, verify_.load(), &openFolder);
    if (!log.ok) {
      KTRACE("Crashed file: %s", path.c_str());
      crashed_ = 1;
      continue;
    }
    if (!log.deleted) passed.push_back(path);
  }
  return passed;
}

DataFileCheck CheckFilesPass::CheckDataFile(const std::string& path, bool verify, const OpenFolder* folder) {
  if (!verify) return {true, false};
  return DecideDataFile(path, ProbeDataFile(path, folder, kLargestEmptyDataFile));
}

DataFileCheck CheckFilesPass::DecideDataFile(const std::string& path, const DataFileProbe& probe) {
  if (!probe.opened || probe.size < 0) return {false, false};
  // A file that stays because the card refuses the delete is still there
  // and is listed as such, not reported as gone.
  if (probe.size <= kLargestEmptyDataFile) return {true, Delete(path)};
  return {probe.firstByte, false};
}

bool CheckFilesPass::CheckIndexFile(const std::string& path, bool verify, const OpenFolder* folder) {
  if (!verify) return true;
  // Its ends are read whole rather than its first byte alone: they prove
  // that byte too, and the file lists take them from here instead of opening
  // every index a second time.
  VideoIndexEnds ends;
  const bool read = folder != nullptr ? ends.Read(path, *folder) : ends.Read(path);
  return DecideIndexFile(path, read, std::move(ends));
}

bool CheckFilesPass::DecideIndexFile(const std::string& path, bool read, VideoIndexEnds ends) {
  // No index at all is no damage: the recording loads from its data file.
  if (!read) return true;
  if (ends.Size() < kSmallestIndexFile) {
    Delete(path);
    return true;
  }
  if (!ends.FirstByteRead()) return false;
  indexes_.KeepEnds(path, std::move(ends));
  return true;
}

bool CheckFilesPass::Delete(const std::string& path) {
  // Only what lies on the card itself: a linked folder or file may lead
  // anywhere, and the recordings there are not this pass's to clean.
  const RemoveResult removal = RemoveFileInside(root_, path);
  if (!removal.removed) {
    KTRACE("Cannot delete %s: %s", path.c_str(), removal.reason.c_str());
    return false;
  }
  KTRACE("Deleted %s", path.c_str());
  indexes_.Forget(path);
  deleted_.push_back(path);
  return true;
}

// Only the exact partner: a prefix match may be another recording's index.
void CheckFilesPass::DeleteOwnIndexOf(const std::string& dataPath) {
  const std::string indexPath = indexes_.OwnIndexPathFor(dataPath);
  if (!indexPath.empty()) Delete(indexPath);
}
