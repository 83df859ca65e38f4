#include "tools/BackupJob.h"

#include <array>
#include <cstdio>
#include <system_error>

#include "platform/Prompt.h"
#include "platform/Trace.h"
#include "recording/CardFolders.h"
#include "recording/VideoIndexPath.h"
#include "tools/BackupMessages.h"
#include "tools/FileCopy.h"

namespace fs = std::filesystem;

namespace {

constexpr std::array<std::string_view, 5> kConfigFiles = {"set.ini", "version.ini", "selfadj.ini", "time.ini",
                                                          "sdid.ini"};
constexpr std::string_view kTargetChannel = "CH1";

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

}  // namespace

BackupJob::BackupJob(fs::path card, fs::path target) : card_(std::move(card)), target_(std::move(target)) {}

void BackupJob::SelectAll() {
  all_ = true;
  cardFiles_ = WalkCardFiles(card_);
}

void BackupJob::Select(BackupSelection selection) {
  all_ = false;
  selection_ = std::move(selection);
}

std::vector<BackupJob::Planned> BackupJob::PlanRecordings() const {
  std::vector<Planned> planned;
  if (all_) {
    for (const fs::path& path : cardFiles_.paths) planned.push_back({path, target_ / path.lexically_relative(card_)});
    return planned;
  }
  const auto addVideo = [&](std::string_view folder, const std::string& name) {
    const fs::path data = ResolveCardPath(card_, {kChannelFolderName, folder, name + std::string(kDataFileExtension)});
    std::string index = VideoIndexPath(data.string());
    if (index.empty()) {
      index = ResolveCardPath(card_, {kChannelFolderName, folder, name + std::string(kVideoIndexExtension)}).string();
    }
    const fs::path targetFolder = target_ / kTargetChannel / folder;
    planned.push_back({data, targetFolder / (name + std::string(kDataFileExtension))});
    planned.push_back({index, targetFolder / (name + std::string(kVideoIndexExtension))});
  };
  for (const std::string& name : selection_.events) addVideo(kEventFolderName, name);
  for (const std::string& name : selection_.normals) addVideo(kNormalFolderName, name);
  for (const std::string& name : selection_.logs) {
    planned.push_back({ResolveCardPath(card_, {kLogFolderName, name + std::string(kLogFileExtension)}),
                       target_ / kLogFolderName / (name + std::string(kLogFileExtension))});
  }
  return planned;
}

std::vector<BackupJob::Planned> BackupJob::PlanConfig() const {
  std::vector<Planned> planned;
  for (std::string_view name : kConfigFiles) {
    const fs::path source = ResolveCardPath(card_, {kConfigFolderName, name});
    std::error_code error;
    if (!fs::is_regular_file(source, error)) continue;
    planned.push_back({source, target_ / kConfigFolderName / name});
  }
  return planned;
}

uint64_t BackupJob::SizeBytes() const {
  if (all_) return cardFiles_.totalBytes;
  uint64_t total = 0;
  for (const Planned& file : PlanRecordings()) total += FileBytes(file.source);
  return total;
}

std::string BackupJob::SizeLabel() const {
  return MessageText(kGuiBackupSize, kSectionGuiTexts) + " : " + BackupSizeText(SizeBytes());
}

BackupResult BackupJob::Run(Prompt& prompt, const std::atomic<bool>& cancel, const BackupProgress& progress) const {
  BackupResult result;
  const std::vector<Planned> recordings = PlanRecordings();
  const int range = static_cast<int>(recordings.size());
  if (progress.overall) progress.overall(0, range);
  if (progress.file) progress.file(0);

  for (const fs::path& folder :
       {target_ / kTargetChannel / kEventFolderName, target_ / kTargetChannel / kNormalFolderName,
        target_ / kLogFolderName, target_ / kConfigFolderName}) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) KTRACE("Cannot create %s: %s", folder.c_str(), error.message().c_str());
  }

  const CopyProgress filePercent = [&](uint64_t done, uint64_t total) {
    if (progress.file) progress.file(total == 0 ? 100 : static_cast<int>(done * 100 / total));
  };
  const auto copyOne = [&](const Planned& file) {
    std::error_code folderError;
    fs::create_directories(file.target.parent_path(), folderError);
    const CopyResult copy = CopyFileSafely(file.source, file.target, cancel, filePercent);
    if (copy.outcome == CopyOutcome::Copied) {
      ++result.copied;
      result.bytes += copy.bytes;
    } else if (copy.outcome == CopyOutcome::Failed) {
      KTRACE("Copy Failed: %s", copy.error.c_str());
      ++result.failed;
    }
  };

  // The configuration files are always replaced without asking.
  for (const Planned& file : PlanConfig()) {
    if (cancel.load()) break;
    copyOne(file);
  }
  int position = 0;
  for (const Planned& file : recordings) {
    if (cancel.load()) break;
    std::error_code error;
    if (fs::exists(fs::symlink_status(file.target, error)) &&
        prompt.Show(MessageText(kMsgSameFileOverwrite), MessageText(kCaptionBackup, kSectionGuiTexts),
                    PromptButtons::YesNo) != PromptAnswer::Yes) {
      result.end = BackupEnd::Stopped;
      result.stoppedAt = file.target;
      return result;
    }
    copyOne(file);
    if (progress.overall) progress.overall(++position, range);
  }
  if (cancel.load()) result.end = BackupEnd::Cancelled;
  return result;
}

std::string BackupSizeText(uint64_t bytes) {
  char text[64];
  std::snprintf(text, sizeof text, "%llu.%llu MB", static_cast<unsigned long long>(bytes >> 20),
                static_cast<unsigned long long>((bytes >> 10) & 1023));
  return text;
}

std::string BackupFinalMessage(const BackupResult& result) {
  if (result.end == BackupEnd::Stopped) return {};
  if (result.end == BackupEnd::Cancelled) return MessageText(kMsgBackupCancel);
  if (result.failed > 0) return FillCount(MessageText(kMsgBackupFailed), result.failed);
  return MessageText(kMsgBackupOK);
}
