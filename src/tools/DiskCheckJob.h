#pragma once
// The disk check of a card or a FAT image: fsck.fat with automatic repair,
// written only when the check has run to its end ("-a" without "-w"), so
// that a cancel, which ends the child outright, leaves the file system as
// it was. A card is unmounted first (udisksctl, else umount) and mounted
// again afterwards; the check never starts while the device is still
// mounted anywhere. After a successful check the FOUND.* folders of
// salvaged fragments are removed from the root (mtools, on the unmounted
// device or the image). fsck.fat's exit status 1 after "-a" says errors
// were corrected; a run of "fsck.fat -n" then confirms that none remain.

#include <atomic>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/ChildRunner.h"
#include "tools/CardMount.h"
#include "tools/DiskCheckTarget.h"

// The result states, numbered as the dialog's state word.
enum class DiskCheckState { kOk = 0, kFail = 1, kCancel = 2 };

struct DiskCheckOutcome {
  DiskCheckState state = DiskCheckState::kFail;
  std::string detail;  // why it failed, one line; empty otherwise
  // A card that was mounted: where it is mounted now; empty when it could
  // not be mounted again.
  bool wasMounted = false;
  std::filesystem::path mountedAt;
  std::vector<std::string> removedFolders;  // the FOUND.* folders removed
};

class DiskCheckJob {
 public:
  // target: a resolved target that was not refused. targets: reads the
  // mount table to see the unmount and the mount again take effect.
  DiskCheckJob(DiskCheckTarget target, ChildRunner& runner, const DiskCheckTargets& targets);

  // On the worker thread. percent is called as the check moves on.
  DiskCheckOutcome Run(const std::function<void(int percent)>& percent, const std::atomic<bool>& cancel);

 private:
  bool Unmount(CardMount& mount, DiskCheckOutcome& outcome);
  void MountAgain(CardMount& mount, DiskCheckOutcome& outcome);
  int CountEntries();
  DiskCheckState Check(const std::function<void(int)>& percent, const std::atomic<bool>& cancel,
                       DiskCheckOutcome& outcome);
  void RemoveFoundFolders(DiskCheckOutcome& outcome);
  ChildResult Quiet(const std::vector<std::string>& argv, std::vector<std::string>* lines = nullptr);

  DiskCheckTarget target_;
  ChildRunner& runner_;
  const DiskCheckTargets& targets_;
};
