#pragma once
// The FAT32 format of a card or an image file, behind one port so that the
// window and the command-line tool run the real one and tests can run it on
// image files. A card is unmounted first (every mount of it), formatted
// with mkfs.fat, and mounted again; the new mount folder is returned, as
// the card's folder may move. A quick format is mkfs.fat alone, given at
// most a minute; a full format first writes zeros over the whole partition,
// reporting percent and obeying Cancel, then runs mkfs.fat.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/ChildRunner.h"
#include "tools/FormatTarget.h"

// Numbered as the dialog's result word.
enum class FormatResult { kOk = 0, kFail = 1, kCancel = 2 };

struct FormatRequest {
  FormatTarget target;
  uint32_t clusterBytes = 0;
  bool quick = true;
};

struct FormatOutcome {
  FormatResult result = FormatResult::kFail;
  std::string detail;  // why it failed, one line; empty otherwise
  bool wasMounted = false;
  // Where the card is mounted afterwards; empty for an image, or when it
  // could not be mounted again.
  std::filesystem::path mountedAt;
};

using FormatProgress = std::function<void(int percent)>;

class CardFormatter {
 public:
  virtual ~CardFormatter() = default;
  // On the worker thread. cancel is read between steps and while zeros are
  // written.
  virtual FormatOutcome Format(const FormatRequest& request, const FormatProgress& progress,
                               const std::atomic<bool>& cancel) = 0;
};

class MkfsCardFormatter final : public CardFormatter {
 public:
  static constexpr std::chrono::seconds kQuickFormatWait{60};
  static constexpr size_t kZeroChunkBytes = size_t{4} << 20;
  // Of the percent a full format reports, the zero pass takes this much.
  static constexpr int kZeroPassPercent = 95;

  // targets: reads the mount table for the unmount and the mount again.
  MkfsCardFormatter(ChildRunner& runner, const DiskCheckTargets& targets);

  FormatOutcome Format(const FormatRequest& request, const FormatProgress& progress,
                       const std::atomic<bool>& cancel) override;

 private:
  FormatResult WriteZeros(const FormatTarget& target, const FormatProgress& progress, const std::atomic<bool>& cancel,
                          std::string& detail);
  FormatResult MakeFileSystem(const FormatRequest& request, std::string& detail);

  ChildRunner& runner_;
  const DiskCheckTargets& targets_;
};
