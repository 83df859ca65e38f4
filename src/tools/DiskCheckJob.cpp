#include "tools/DiskCheckJob.h"

#include <algorithm>
#include <cctype>

#include "tools/FsckProgress.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kFsck = "fsck.fat";
constexpr int kFsckClean = 0;
constexpr int kFsckCorrected = 1;
// mtools refuses images whose size is no whole number of "tracks", which
// means nothing for a card.
constexpr const char* kMtoolsEnvironment = "MTOOLS_SKIP_CHECK=1";
constexpr std::string_view kMtoolsRoot = "::/";
constexpr std::string_view kFoundPrefix = "FOUND.";

bool IsFoundFolder(std::string_view name) {
  if (name.size() < kFoundPrefix.size()) return false;
  for (size_t i = 0; i < kFoundPrefix.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(name[i])) != kFoundPrefix[i]) return false;
  }
  return true;
}

std::string StatusText(const ChildResult& result) {
  switch (result.end) {
    case ChildEnd::kExited:
      return "status " + std::to_string(result.status);
    case ChildEnd::kSignalled:
      return "signal " + std::to_string(result.status);
    case ChildEnd::kCancelled:
      return "cancelled";
    case ChildEnd::kNotStarted:
      return "not started";
  }
  return {};
}

}  // namespace

DiskCheckJob::DiskCheckJob(DiskCheckTarget target, ChildRunner& runner, const DiskCheckTargets& targets)
    : target_(std::move(target)), runner_(runner), targets_(targets) {}

ChildResult DiskCheckJob::Quiet(const std::vector<std::string>& argv, std::vector<std::string>* lines) {
  return runner_.Run(
      {argv, {kMtoolsEnvironment}},
      [lines](std::string_view line) {
        if (lines) lines->emplace_back(line);
      },
      nullptr);
}

DiskCheckOutcome DiskCheckJob::Run(const std::function<void(int)>& percent, const std::atomic<bool>& cancel) {
  DiskCheckOutcome outcome;
  if (target_.Refused()) {
    outcome.detail = DiskCheckRefusalText(target_.refusal, target_.path.string());
    return outcome;
  }
  const bool device = target_.kind == DiskCheckKind::kDevice;
  CardMount mount(target_.path, runner_, targets_);
  if (device && !Unmount(mount, outcome)) {
    if (outcome.wasMounted) MountAgain(mount, outcome);
    return outcome;
  }
  outcome.state = cancel.load() ? DiskCheckState::kCancel : Check(percent, cancel, outcome);
  if (outcome.state == DiskCheckState::kOk) RemoveFoundFolders(outcome);
  if (device && outcome.wasMounted) MountAgain(mount, outcome);
  return outcome;
}

bool DiskCheckJob::Unmount(CardMount& mount, DiskCheckOutcome& outcome) {
  const bool gone = mount.Unmount(outcome.detail);
  outcome.wasMounted = mount.WasMounted();
  if (mount.WasMounted()) target_.mountPoint = mount.FormerMountPoint();
  // fsck.fat on a mounted file system would fight the kernel over it.
  if (!gone) outcome.detail += "; not checked";
  return gone;
}

void DiskCheckJob::MountAgain(CardMount& mount, DiskCheckOutcome& outcome) {
  outcome.mountedAt = mount.MountAgain(target_.mountPoint);
}

int DiskCheckJob::CountEntries() {
  std::vector<std::string> lines;
  if (!Quiet({"mdir", "-/", "-b", "-i", target_.path.string(), std::string(kMtoolsRoot)}, &lines).ExitedWith(0)) {
    return 0;
  }
  const auto entries =
      std::count_if(lines.begin(), lines.end(), [](const std::string& line) { return line.starts_with(kMtoolsRoot); });
  return static_cast<int>(entries) + 1;  // fsck.fat lists the root too
}

DiskCheckState DiskCheckJob::Check(const std::function<void(int)>& percent, const std::atomic<bool>& cancel,
                                   DiskCheckOutcome& outcome) {
  const std::string path = target_.path.string();
  FsckProgress progress(CountEntries());
  if (percent) percent(0);
  std::string lastLine;
  const ChildResult run = runner_.Run(
      {{kFsck, "-a", "-v", "-l", path}, {}},
      [&](std::string_view line) {
        const int before = progress.Percent();
        if (progress.OnLine(line) != before && percent) percent(progress.Percent());
        if (!line.empty()) lastLine = line;
      },
      &cancel);
  if (run.end == ChildEnd::kCancelled) return DiskCheckState::kCancel;
  if (run.ExitedWith(kFsckClean) || (run.ExitedWith(kFsckCorrected) && Quiet({kFsck, "-n", path}).ExitedWith(0))) {
    if (percent) percent(FsckProgress::kDone);
    return DiskCheckState::kOk;
  }
  if (run.end == ChildEnd::kNotStarted) {
    outcome.detail = std::string(kFsck) + " could not be run (dosfstools installed?)";
  } else if (run.ExitedWith(kFsckCorrected)) {
    outcome.detail = "errors remain after the repair";
  } else {
    outcome.detail = std::string(kFsck) + " ended with " + StatusText(run) + ": " + lastLine;
  }
  // A cancel that came while the check was failing on its own is still a cancel.
  return cancel.load() ? DiskCheckState::kCancel : DiskCheckState::kFail;
}

void DiskCheckJob::RemoveFoundFolders(DiskCheckOutcome& outcome) {
  const std::string path = target_.path.string();
  std::vector<std::string> lines;
  if (!Quiet({"mdir", "-b", "-i", path, std::string(kMtoolsRoot)}, &lines).ExitedWith(0)) return;
  for (const std::string& line : lines) {
    if (!line.starts_with(kMtoolsRoot) || !line.ends_with('/')) continue;
    const std::string name = line.substr(kMtoolsRoot.size(), line.size() - kMtoolsRoot.size() - 1);
    if (name.find('/') != std::string::npos || !IsFoundFolder(name)) continue;
    if (Quiet({"mdeltree", "-i", path, std::string(kMtoolsRoot) + name}).ExitedWith(0)) {
      outcome.removedFolders.push_back(name);
    }
  }
}
