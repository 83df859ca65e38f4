#include "tools/CardMount.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kUdisks = "udisksctl";

}  // namespace

CardMount::CardMount(fs::path device, ChildRunner& runner, const DiskCheckTargets& targets)
    : device_(std::move(device)), runner_(runner), targets_(targets) {}

ChildResult CardMount::Quiet(const std::vector<std::string>& argv) {
  return runner_.Run(
      {argv, {}}, [](std::string_view) {}, nullptr);
}

bool CardMount::Unmount(std::string& detail) {
  const std::string device = device_.string();
  std::vector<fs::path> mounts = targets_.MountPointsOf(device_);
  wasMounted_ = !mounts.empty();
  if (!mounts.empty()) formerMountPoint_ = mounts.front();
  // One unmount per mount: the same card may be mounted more than once.
  for (size_t attempt = 0; !mounts.empty() && attempt <= mounts.size(); ++attempt) {
    if (!Quiet({kUdisks, "unmount", "-b", device}).ExitedWith(0)) Quiet({"umount", device});
    const std::vector<fs::path> left = targets_.MountPointsOf(device_);
    if (left.size() >= mounts.size()) break;  // nothing more will go
    mounts = left;
  }
  if (mounts.empty()) return true;
  detail = device + " is still mounted at " + mounts.front().string();
  return false;
}

fs::path CardMount::MountAgain(const fs::path& knownPoint) {
  const std::string device = device_.string();
  if (targets_.MountPointsOf(device_).empty()) {
    if (!Quiet({kUdisks, "mount", "-b", device}).ExitedWith(0) && !knownPoint.empty()) {
      // Where the system table knows the card, a plain mount puts it back.
      Quiet({"mount", device, knownPoint.string()});
    }
  }
  const std::vector<fs::path> mounts = targets_.MountPointsOf(device_);
  return mounts.empty() ? fs::path() : mounts.front();
}
