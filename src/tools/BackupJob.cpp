#include "tools/BackupJob.h"

#include <array>
#include <cstdio>
#include <optional>
#include <system_error>

#include "platform/OutputFile.h"
#include "platform/Prompt.h"
#include "platform/Trace.h"
#include "platform/Utf8.h"
#include "recording/CardFolders.h"
#include "recording/CardLayout.h"
#include "recording/VideoIndexPath.h"
#include "tools/BackupMessages.h"
#include "tools/FileCopy.h"

namespace fs = std::filesystem;

namespace {

constexpr std::array<std::string_view, 5> kConfigFiles = {"set.ini", "version.ini", "selfadj.ini", "time.ini",
                                                          "sdid.ini"};
constexpr std::string_view kTargetChannel = "CH1";
constexpr uint64_t kBytesPerMiB = uint64_t{1} << 20;
constexpr uint64_t kTenths = 10;

uint64_t FileBytes(const fs::path& path) {
  std::error_code error;
  const uintmax_t size = fs::file_size(path, error);
  return error ? 0 : size;
}

std::string FillCount(std::string text, int count) {
  // Replaced by hand: a translated text is not trusted as a format string.
  const size_t mark = text.find("%d");
  if (mark != std::string::npos) text.replace(mark, 2, std::to_string(count));
  return text;
}

// The question names the file, so that the user knows what is kept or lost.
PromptAnswer AskOverwrite(Prompt& prompt, const fs::path& target) {
  return prompt.Show(MessageText(kMsgSameFileOverwrite) + "\n\n" + target.string(), GuiText(kGuiBackup),
                     PromptButtons::YesYesToAllNo);
}

bool Named(const fs::path& part, std::string_view name) { return EqualsNoCase(part.native(), name); }

// The parts of relative after its first count parts.
fs::path PartsAfter(const fs::path& relative, int count) {
  fs::path rest;
  int index = 0;
  for (const fs::path& part : relative) {
    if (index++ >= count) rest /= part;
  }
  return rest;
}

// Where target lies below card, when it does ("." for the card itself).
std::optional<fs::path> TargetBelowCard(const fs::path& card, const fs::path& target) {
  std::error_code error;
  const fs::path relative = fs::weakly_canonical(target, error).lexically_relative(fs::weakly_canonical(card, error));
  if (error || relative.empty() || *relative.begin() == "..") return std::nullopt;
  return relative;
}

bool StartsWith(const fs::path& path, const fs::path& head) {
  if (head == ".") return true;
  auto part = path.begin();
  for (const fs::path& wanted : head) {
    if (part == path.end() || *part != wanted) return false;
    ++part;
  }
  return true;
}

}  // namespace

// The target's folders in the spelling the target already has, else in the
// card's own: a target that holds "ch1" from an earlier backup is not given
// a second, empty "CH1" beside it that a later scan might pick instead.
struct BackupJob::Layout {
  fs::path root;
  fs::path channel;
  fs::path event;
  fs::path normal;
  fs::path log;
  fs::path config;

  explicit Layout(const fs::path& target)
      : root(target),
        channel(ResolveCardPath(target, {kTargetChannel})),
        event(ResolveCardPath(target, {kTargetChannel, kEventFolderName})),
        normal(ResolveCardPath(target, {kTargetChannel, kNormalFolderName})),
        log(ResolveCardPath(target, {kLogFolderName})),
        config(ResolveCardPath(target, {kConfigFolderName})) {}

  // A card file's place in the target: the card's relative path, with the
  // recording folders in the layout's spelling whatever the card's.
  fs::path TargetOf(const fs::path& relative) const {
    const auto first = relative.begin();
    if (first == relative.end()) return root;
    if (Named(*first, kLogFolderName)) return log / PartsAfter(relative, 1);
    if (!Named(*first, kChannelFolderName)) return root / relative;
    const auto second = std::next(first);
    if (second != relative.end() && Named(*second, kEventFolderName)) return event / PartsAfter(relative, 2);
    if (second != relative.end() && Named(*second, kNormalFolderName)) return normal / PartsAfter(relative, 2);
    return channel / PartsAfter(relative, 1);
  }
};

BackupSelection BackupSelectionFromPaths(const std::vector<std::string>& eventPaths,
                                         const std::vector<std::string>& normalPaths,
                                         const std::vector<std::string>& logPaths) {
  const auto names = [](const std::vector<std::string>& paths) {
    std::vector<std::string> stems;
    for (const std::string& path : paths) stems.push_back(fs::path(path).stem().string());
    return stems;
  };
  return {names(eventPaths), names(normalPaths), names(logPaths)};
}

BackupJob::BackupJob(fs::path card) : card_(std::move(card)) {}

void BackupJob::SelectAll() {
  all_ = true;
  cardFiles_ = WalkCardFiles(card_);
}

void BackupJob::Select(BackupSelection selection) {
  all_ = false;
  selection_ = std::move(selection);
}

std::vector<BackupJob::Planned> BackupJob::PlanRecordings(const Layout& layout) const {
  std::vector<Planned> planned;
  if (all_) {
    for (const fs::path& path : OutsideTarget(cardFiles_.paths, layout)) {
      planned.push_back({path, layout.TargetOf(path.lexically_relative(card_))});
    }
    return planned;
  }
  const auto addVideo = [&](std::string_view folder, const fs::path& targetFolder, const std::string& name) {
    const fs::path data = ResolveCardPath(card_, {kChannelFolderName, folder, name + std::string(kDataFileExtension)});
    std::string index = VideoIndexPath(data.string());
    if (index.empty()) {
      index = ResolveCardPath(card_, {kChannelFolderName, folder, name + std::string(kVideoIndexExtension)}).string();
    }
    // Each file keeps its card name: an index may be named without the
    // data file's suffix.
    planned.push_back({data, targetFolder / data.filename()});
    planned.push_back({index, targetFolder / fs::path(index).filename()});
  };
  for (const std::string& name : selection_.events) addVideo(kEventFolderName, layout.event, name);
  for (const std::string& name : selection_.normals) addVideo(kNormalFolderName, layout.normal, name);
  for (const std::string& name : selection_.logs) {
    planned.push_back({ResolveCardPath(card_, {kLogFolderName, name + std::string(kLogFileExtension)}),
                       layout.log / (name + std::string(kLogFileExtension))});
  }
  return planned;
}

std::vector<fs::path> BackupJob::OutsideTarget(const std::vector<fs::path>& paths, const Layout& layout) const {
  // A target inside the card holds earlier backups, not the card's own files.
  const std::optional<fs::path> skipped = TargetBelowCard(card_, layout.root);
  std::vector<fs::path> kept;
  for (const fs::path& path : paths) {
    if (!(skipped && StartsWith(path.lexically_relative(card_), *skipped))) kept.push_back(path);
  }
  return kept;
}

std::vector<fs::path> BackupJob::Uncopiable(const Layout& layout) const {
  return all_ ? OutsideTarget(cardFiles_.uncopiable, layout) : std::vector<fs::path>{};
}

std::vector<BackupJob::Planned> BackupJob::PlanConfig(const Layout& layout) const {
  std::vector<Planned> planned;
  for (std::string_view name : kConfigFiles) {
    const fs::path source = ResolveCardPath(card_, {kConfigFolderName, name});
    std::error_code error;
    if (!fs::is_regular_file(source, error)) continue;
    planned.push_back({source, layout.config / name});
  }
  return planned;
}

uint64_t BackupJob::SizeBytes() const {
  if (all_) return cardFiles_.totalBytes;
  uint64_t total = 0;
  for (const Planned& file : PlanRecordings(Layout(fs::path()))) total += FileBytes(file.source);
  return total;
}

std::string BackupJob::SizeLabel() const { return GuiText(kGuiBackupSize) + " : " + BackupSizeText(SizeBytes()); }

BackupResult BackupJob::Run(const fs::path& target, Prompt& prompt, const std::atomic<bool>& cancel,
                            const BackupProgress& progress) const {
  const Layout layout(target);
  BackupResult result;
  const std::vector<Planned> recordings = PlanRecordings(layout);
  const int range = static_cast<int>(recordings.size());
  if (progress.overall) progress.overall(0, range);
  if (progress.file) progress.file(0);
  std::error_code targetError;
  // Gone since Start looked (a stick pulled out), or a place of the card's
  // own that the caller did not refuse: no layout is made there, and every
  // file counts as not copied.
  if (!fs::is_directory(target, targetError) || LiesInCardFolders(card_, target)) {
    KTRACE("Copy Failed: cannot back up into %s", target.c_str());
    result.failed = range + static_cast<int>(PlanConfig(layout).size() + Uncopiable(layout).size());
    return result;
  }
  for (const fs::path& path : Uncopiable(layout)) {
    KTRACE("Copy Failed: %s", path.c_str());
    ++result.failed;
  }

  for (const fs::path& folder : {layout.event, layout.normal, layout.log, layout.config}) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) KTRACE("Cannot create %s: %s", folder.c_str(), error.message().c_str());
  }
  // A killed backup's temporaries go with the next backup into the target,
  // in every folder it writes to, whether or not a file there is written again.
  for (const fs::path& folder : {layout.root, layout.channel, layout.event, layout.normal, layout.log, layout.config}) {
    RemoveStaleTemporaries(folder.string());
  }

  bool abandoned = false;
  const CopyProgress filePercent = [&](uint64_t done, uint64_t total) {
    if (progress.file) progress.file(total == 0 ? 100 : static_cast<int>(done * 100 / total));
  };
  const auto copyOne = [&](const Planned& file) {
    if (progress.file) progress.file(0);
    std::error_code folderError;
    fs::create_directories(file.target.parent_path(), folderError);
    const CopyResult copy = CopyFileSafely(file.source, file.target, cancel, filePercent);
    if (copy.outcome == CopyOutcome::Copied) {
      ++result.copied;
      result.bytes += copy.bytes;
    } else if (copy.outcome == CopyOutcome::Cancelled) {
      abandoned = true;
    } else {
      KTRACE("Copy Failed: %s", copy.error.c_str());
      ++result.failed;
    }
  };

  // The configuration files are always replaced without asking.
  const std::vector<Planned> config = PlanConfig(layout);
  for (size_t i = 0; i < config.size() && !abandoned; ++i) {
    if (cancel.load()) abandoned = true;
    if (!abandoned) copyOne(config[i]);
  }
  int position = 0;
  bool overwriteAll = false;
  for (const Planned& file : recordings) {
    if (abandoned || cancel.load()) {
      abandoned = true;
      break;
    }
    std::error_code error;
    const bool exists = fs::exists(fs::symlink_status(file.target, error));
    const PromptAnswer answer = !exists || overwriteAll ? PromptAnswer::Yes : AskOverwrite(prompt, file.target);
    overwriteAll = overwriteAll || answer == PromptAnswer::YesToAll;
    if (answer != PromptAnswer::Yes && answer != PromptAnswer::YesToAll) {
      // A cancel that came while the question was up is a cancel, not a No.
      if (cancel.load()) {
        abandoned = true;
        break;
      }
      result.end = BackupEnd::Stopped;
      result.stoppedAt = file.target;
      return result;
    }
    copyOne(file);
    if (progress.overall) progress.overall(++position, range);
  }
  if (abandoned) result.end = BackupEnd::Cancelled;
  return result;
}

std::string BackupSizeText(uint64_t bytes) {
  // Tenths of a MiB, rounded in whole numbers so that no size is shown a
  // tenth off by a floating-point remainder.
  uint64_t whole = bytes / kBytesPerMiB;
  uint64_t tenths = ((bytes % kBytesPerMiB) * kTenths + kBytesPerMiB / 2) / kBytesPerMiB;
  if (tenths == kTenths) {
    ++whole;
    tenths = 0;
  }
  char text[64];
  std::snprintf(text, sizeof text, "%llu.%llu MB", static_cast<unsigned long long>(whole),
                static_cast<unsigned long long>(tenths));
  return text;
}

std::string BackupFinalMessage(const BackupResult& result) {
  if (result.end == BackupEnd::Stopped) return {};
  if (result.end == BackupEnd::Cancelled) return MessageText(kBackupMsgBackupCancel);
  if (result.failed > 0) return FillCount(MessageText(kBackupMsgBackupFailed), result.failed);
  return MessageText(kBackupMsgBackupOK);
}
