#pragma once
// Taking a card's file system away from the system and giving it back, for
// the tools that rewrite it (the disk check, the format). UDisks2 is asked
// first, as a desktop user may unmount and mount through it without root;
// plain umount and mount are the fallback. Each step reads the mount table
// again to see that it took effect.

#include <filesystem>
#include <string>
#include <vector>

#include "platform/ChildRunner.h"
#include "tools/DiskCheckTarget.h"

class CardMount {
 public:
  // device: "/dev/sdb1" or a whole card. targets reads the mount table.
  CardMount(std::filesystem::path device, ChildRunner& runner, const DiskCheckTargets& targets);

  // Unmounts every mount of the device. False, with why in detail, when it
  // is still mounted somewhere afterwards.
  bool Unmount(std::string& detail);
  // Whether the device was mounted when Unmount began, and where first.
  bool WasMounted() const { return wasMounted_; }
  const std::filesystem::path& FormerMountPoint() const { return formerMountPoint_; }

  // Mounts the device again when it is not; returns where it is mounted now
  // (empty when it could not be mounted). knownPoint: where a plain mount
  // puts it when UDisks2 cannot.
  std::filesystem::path MountAgain(const std::filesystem::path& knownPoint);

 private:
  ChildResult Quiet(const std::vector<std::string>& argv);

  std::filesystem::path device_;
  ChildRunner& runner_;
  const DiskCheckTargets& targets_;
  bool wasMounted_ = false;
  std::filesystem::path formerMountPoint_;
};
