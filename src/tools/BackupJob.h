#pragma once
// Copies recordings from a card into a folder that opens like a card: the
// configuration files first, then either the chosen recordings or every
// file of the card. Runs on whatever thread calls Run; the overwrite
// question goes through the Prompt it is given, which the dialog answers on
// its own thread.

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "tools/CardWalk.h"

class Prompt;

// Recording names as the file lists show them, without extension.
struct BackupSelection {
  std::vector<std::string> events;
  std::vector<std::string> normals;
  std::vector<std::string> logs;

  bool Empty() const { return events.empty() && normals.empty() && logs.empty(); }
};

// The selection from the paths the file lists hold ticked: each file's name
// without its extension.
BackupSelection BackupSelectionFromPaths(const std::vector<std::string>& eventPaths,
                                         const std::vector<std::string>& normalPaths,
                                         const std::vector<std::string>& logPaths);

struct BackupProgress {
  std::function<void(int percent)> file;                 // 0..100 within the current file
  std::function<void(int position, int range)> overall;  // recording files done of the run
};

// Stopped: a No to the overwrite question.
enum class BackupEnd { Completed, Stopped, Cancelled };

struct BackupResult {
  BackupEnd end = BackupEnd::Completed;
  int copied = 0;
  int failed = 0;
  uint64_t bytes = 0;
  std::filesystem::path stoppedAt;  // the existing target that was not to be overwritten
};

class BackupJob {
 public:
  explicit BackupJob(std::filesystem::path card);

  const std::filesystem::path& Card() const { return card_; }

  // The whole card; the card is walked at every call, so a later call sees
  // what changed on it since.
  void SelectAll();
  void Select(BackupSelection selection);
  bool WholeCard() const { return all_; }
  const BackupSelection& Selection() const { return selection_; }

  // The bytes the run would copy (configuration files aside).
  uint64_t SizeBytes() const;
  // The size label of the dialog: "Backup Data Size : 5.5 MB".
  std::string SizeLabel() const;

  // Copies into target, which must exist and lie outside the card's own
  // folders. Folders of the layout that the target lacks are made. What the
  // card walk could not read counts as not copied. An existing target file
  // is copied over only after a Yes (or an earlier Yes to all).
  BackupResult Run(const std::filesystem::path& target, Prompt& prompt, const std::atomic<bool>& cancel,
                   const BackupProgress& progress) const;

 private:
  struct Planned {
    std::filesystem::path source;
    std::filesystem::path target;
  };
  struct Layout;
  std::vector<Planned> PlanRecordings(const Layout& layout) const;
  std::vector<Planned> PlanConfig(const Layout& layout) const;
  std::vector<std::filesystem::path> OutsideTarget(const std::vector<std::filesystem::path>& paths,
                                                   const Layout& layout) const;
  std::vector<std::filesystem::path> Uncopiable(const Layout& layout) const;

  std::filesystem::path card_;
  bool all_ = false;
  BackupSelection selection_;
  CardFiles cardFiles_;
};

// The size in MiB with one decimal: 15 MiB and 447 KiB is "15.4 MB".
std::string BackupSizeText(uint64_t bytes);

// The message that ends a run; empty after a No to the overwrite question.
// A run in which files could not be copied says how many.
std::string BackupFinalMessage(const BackupResult& result);
