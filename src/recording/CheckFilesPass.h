#pragma once
// The check-files pass that every scan of a card runs: a worker thread walks
// the event, normal and log recordings, deletes files too short to hold
// anything, notes damaged ("crashed") files, and collects the recordings
// that passed into the three path lists the file lists show. Those lists are
// the card's catalogue; nothing else enumerates the recordings.
//
// The check-files dialog drives it: it starts the pass, shows Progress()
// against Total(), clears the verify flag when the box is unticked or Cancel
// is pressed (the rest of the pass then lists files without checking them),
// and ends when the completion call it gave Start arrives. Nobody reads the
// lists before that call has been delivered (or Join has returned).

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/OpenFolder.h"
#include "platform/Ports.h"
#include "recording/CardCatalogue.h"
#include "recording/CardListing.h"
#include "recording/RecordingProbes.h"
#include "recording/VideoIndexCache.h"

struct DataFileCheck {
  bool ok = false;       // false: the file could not be opened or read
  bool deleted = false;  // too short to hold a picture or a line: removed
};

class CheckFilesPass {
 public:
  // A data file of at most this many bytes holds nothing and is removed.
  static constexpr int64_t kLargestEmptyDataFile = 29;
  // An index file shorter than this holds no record and is removed.
  static constexpr int64_t kSmallestIndexFile = 10;

  // The pass reads the card's folders when it runs...
  CheckFilesPass(std::string root, int total);
  // ...or walks the listing a scan read them into just before, counted.
  CheckFilesPass(std::string root, CardListing listing);
  ~CheckFilesPass();
  CheckFilesPass(const CheckFilesPass&) = delete;
  CheckFilesPass& operator=(const CheckFilesPass&) = delete;

  // Starts the worker; onDone (may be empty) is posted through ui once the
  // lists are complete. False when the pass ran already or no thread could
  // be made (the pass then ran on the calling thread and onDone was posted).
  bool Start(UiQueue& ui, std::function<void()> onDone);
  // Waits for the worker to end.
  void Join();
  // Walks the card on the calling thread; what the worker runs.
  void Run();

  void SetVerify(bool verify) { verify_.store(verify); }
  bool Verify() const { return verify_.load(); }
  // What the dialog's Cancel does: the pass goes on without checking.
  void Cancel() { verify_.store(false); }

  // The file checks, also used on their own. Every file they delete is
  // traced and added to Deleted(). The pass opens the files through the
  // folder they lie in.
  DataFileCheck CheckDataFile(const std::string& path, bool verify, const OpenFolder* folder = nullptr);
  bool CheckIndexFile(const std::string& path, bool verify, const OpenFolder* folder = nullptr);

  const std::string& Root() const { return root_; }
  int Total() const { return total_; }
  int Progress() const { return progress_.load(); }
  bool IsDone() const { return done_.load(); }

  // Valid once the pass is done.
  int Crashed() const { return crashed_; }
  bool HasLogs() const { return !logPaths_.empty(); }
  const std::vector<std::string>& EventPaths() const { return eventPaths_; }
  const std::vector<std::string>& NormalPaths() const { return normalPaths_; }
  const std::vector<std::string>& LogPaths() const { return logPaths_; }
  // The index of each passed event and normal recording (empty: it has
  // none), as the card stands after the pass.
  const std::vector<std::string>& EventIndexPaths() const { return eventIndexPaths_; }
  const std::vector<std::string>& NormalIndexPaths() const { return normalIndexPaths_; }
  const std::vector<std::string>& Deleted() const { return deleted_; }
  // The lists above and the index files as the pass found and read them,
  // handed on as the card's catalogue; the pass keeps none of it.
  CardCatalogue TakeCatalogue();

 private:
  std::vector<std::string> WalkVideoFolder(CardFolderListing folder, std::vector<std::string>& indexPaths);
  std::vector<std::string> WalkLogFolder(const CardFolderListing& folder);
  // What the checks decide from what was read of a file.
  DataFileCheck DecideDataFile(const std::string& path, const DataFileProbe& probe);
  bool DecideIndexFile(const std::string& path, bool read, VideoIndexEnds ends);
  bool Delete(const std::string& path);
  void DeleteOwnIndexOf(const std::string& dataPath);

  std::string root_;
  std::optional<CardListing> listing_;
  int total_ = 0;
  std::atomic<bool> verify_{true};
  int crashed_ = 0;
  std::atomic<int> progress_{0};
  std::atomic<bool> done_{false};
  std::vector<std::string> eventPaths_;
  std::vector<std::string> normalPaths_;
  std::vector<std::string> logPaths_;
  std::vector<std::string> eventIndexPaths_;
  std::vector<std::string> normalIndexPaths_;
  std::vector<std::string> deleted_;
  VideoIndexCache indexes_;
  bool started_ = false;
  std::thread worker_;
};
