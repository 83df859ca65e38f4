#pragma once
// Copies recordings from a card into a folder that opens like a card: the
// configuration files first, then either the chosen recordings or every
// file of the card. Runs on whatever thread calls Run; the overwrite
// question goes through the Prompt, which the window answers on its own
// thread.

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

struct BackupProgress {
  std::function<void(int percent)> file;                 // 0..100 within the current file
  std::function<void(int position, int range)> overall;  // files done of the run
};

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
  BackupJob(std::filesystem::path card, std::filesystem::path target);

  void SelectAll();
  void Select(BackupSelection selection);

  // The bytes the run would copy (configuration files aside).
  uint64_t SizeBytes() const;
  // The size label of the dialog: "Backup Data Size : 5.512 MB".
  std::string SizeLabel() const;

  BackupResult Run(Prompt& prompt, const std::atomic<bool>& cancel, const BackupProgress& progress) const;

 private:
  struct Planned {
    std::filesystem::path source;
    std::filesystem::path target;
  };
  std::vector<Planned> PlanRecordings() const;
  std::vector<Planned> PlanConfig() const;

  std::filesystem::path card_;
  std::filesystem::path target_;
  bool all_ = false;
  BackupSelection selection_;
  CardFiles cardFiles_;
};

// The whole-MiB count and the KiB left over (0..1023, not a decimal fraction).
std::string BackupSizeText(uint64_t bytes);

// The message that ends a run; empty after a No to the overwrite question.
std::string BackupFinalMessage(const BackupResult& result);
