#include "tools/SdInit.h"

#include <stdlib.h>

#include <atomic>

#include "platform/Prompt.h"
#include "platform/Trace.h"
#include "platform/Volumes.h"
#include "tools/DeviceSettingsFile.h"
#include "tools/FileCopy.h"
#include "tools/FormatParams.h"
#include "tools/SdInitTexts.h"

namespace fs = std::filesystem;

namespace {

// Models from this id on record normal video beside events, and keep a
// card ID.
constexpr int kFirstNormalRecordingModel = 4;
constexpr int kFirstRestoredVersion = 1;
// The configuration is kept in a folder of its own in the documents folder,
// so that files of the user's that bear the same names are left alone.
constexpr std::string_view kKeptConfigPattern = ".korvane-card-config-XXXXXX";

void Say(Prompt& prompt, const LangText& text) {
  prompt.Show(MessageText(text), GuiText(kGuiSetting), PromptButtons::Ok);
}

bool Copy(const fs::path& source, const fs::path& target) {
  const std::atomic<bool> never{false};
  return CopyFileSafely(source, target, never, {}).outcome == CopyOutcome::Copied;
}

// The card's set.ini and sdid.ini while the card is formatted; removed
// with its folder whichever way the run ends.
class KeptConfig {
 public:
  explicit KeptConfig(const fs::path& documents) {
    std::string pattern = (documents / kKeptConfigPattern).string();
    if (::mkdtemp(pattern.data()) != nullptr) folder_ = pattern;
  }
  ~KeptConfig() {
    std::error_code error;
    if (!folder_.empty()) fs::remove_all(folder_, error);
  }
  KeptConfig(const KeptConfig&) = delete;
  KeptConfig& operator=(const KeptConfig&) = delete;

  fs::path File(std::string_view name) const { return folder_.empty() ? fs::path() : folder_ / name; }
  void Keep(const fs::path& cardRoot, std::string_view name) const {
    if (!folder_.empty()) Copy(ConfigFolder(cardRoot) / name, File(name));
  }

 private:
  fs::path folder_;
};

void MakeFolders(const fs::path& root, int modelId) {
  std::error_code error;
  fs::create_directories(root / "CH1" / "event", error);
  if (modelId >= kFirstNormalRecordingModel) fs::create_directories(root / "CH1" / "normal", error);
  fs::create_directories(root / "log", error);
  fs::create_directories(root / "config", error);
}

void WriteSettings(const fs::path& root, int modelId, bool restore, const KeptConfig& kept,
                   SettingsAfterFormat& settings) {
  if (!restore) {
    settings.WriteFresh(root, modelId);
    return;
  }
  if (!Copy(kept.File(kSetIniFileName), SetIniPath(root))) {
    KTRACE("Backup config fail");
    settings.WriteFresh(root, modelId);
  }
  if (modelId >= kFirstNormalRecordingModel) {
    Copy(kept.File(kSdIdFileName), ConfigFolder(root) / kSdIdFileName);
    if (const int version = settings.RestoredVersionId(modelId); version != 0) WriteVersionId(root, version);
  }
  if (settings.WritesModelId()) WriteModelId(root, modelId);
}

void CopyInstaller(const fs::path& root, const fs::path& installer) {
  std::error_code error;
  fs::create_directories(root / kInstallerFolder, error);
  if (!Copy(installer, root / kInstallerFolder / kInstallerName)) KTRACE("installer not copied");
}

}  // namespace

void DefaultSettingsAfterFormat::WriteFresh(const fs::path& cardRoot, int modelId) {
  WriteDefaultSettings(cardRoot, modelId);
}

int DefaultSettingsAfterFormat::RestoredVersionId(int /*modelId*/) const { return kFirstRestoredVersion; }

SystemCardDrives::SystemCardDrives(const Volumes& volumes, const FormatTargets& targets)
    : volumes_(volumes), targets_(targets) {}

CardDrive SystemCardDrives::Inspect(const fs::path& folder) const {
  CardDrive drive;
  std::error_code error;
  const fs::path normal = fs::weakly_canonical(fs::absolute(folder, error), error);
  const std::optional<MountEntry> mount = volumes_.MountOf(normal);
  // A drive is the root of a mount; a folder inside one is not.
  if (error || !mount || fs::path(mount->mountPoint) != normal) return drive;
  const fs::path source = mount->source;
  if (source.is_absolute() && fs::is_regular_file(source, error)) {
    drive.target = targets_.Resolve(source);
    drive.sizeBytes = drive.target.sizeBytes;
  } else {
    if (imagesOnly_ || !volumes_.IsRemovableDrive(normal)) return drive;
    drive.target = targets_.Resolve(normal);
    drive.sizeBytes = Volumes::VolumeSizeBytes(normal);
  }
  drive.isCard = !drive.target.Refused();
  return drive;
}

SdInitEnd InitSdCard(const SdInitSetup& setup, Prompt& prompt, SdInitPorts& ports, SettingsAfterFormat& settings) {
  const std::optional<std::string> picked = prompt.PickFolder(GuiText(kSdInitPickerTitle), setup.startFolder.string());
  if (!picked) return SdInitEnd::kNoFolder;
  const fs::path folder = *picked;
  const CardDrive drive = ports.InspectDrive(folder);
  if (!drive.isCard) {
    Say(prompt, kMsgNotSdDrive);
    return SdInitEnd::kNotCard;
  }
  if (drive.sizeBytes && !IsSupportedCardSize(*drive.sizeBytes)) {
    Say(prompt, kMsgNotSupportedSd);
    return SdInitEnd::kTooSmall;
  }
  const std::string question = MessageText(kSdInitQuestion) + "\n\n" + DescribeFormatTarget(drive.target);
  if (prompt.Show(question, GuiText(kGuiSetting), PromptButtons::OkCancel) != PromptAnswer::Ok) {
    return SdInitEnd::kDeclined;
  }

  const KeptConfig kept(setup.documents);
  kept.Keep(folder, kSetIniFileName);
  const int cardVersion = ReadDeviceSettings(folder).versionId;
  if (cardVersion != 0) kept.Keep(folder, kSdIdFileName);
  ports.ReleaseCard();
  const FormatStepResult format = ports.RunFormatStep(drive, folder, cardVersion == FamilyCode(setup.modelId));
  if (!format.formatted) return SdInitEnd::kNotFormatted;
  if (format.cardRoot.empty()) {
    prompt.Show(WhereTheCardIsText({}), GuiText(kGuiSetting), PromptButtons::Ok);
    return SdInitEnd::kNotMounted;
  }

  const fs::path& root = format.cardRoot;
  MakeFolders(root, setup.modelId);
  ports.TellCardRoot(root);
  WriteSettings(root, setup.modelId, format.restore, kept, settings);
  CopyInstaller(root, setup.installer);
  Say(prompt, kSdInitOk);
  return SdInitEnd::kDone;
}
