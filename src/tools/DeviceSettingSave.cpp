#include "tools/DeviceSettingSave.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "base/CommonTexts.h"
#include "platform/OutputFile.h"
#include "recording/CardFolders.h"
#include "recording/CardLayout.h"
#include "tools/DeviceSettingsFile.h"

namespace fs = std::filesystem;

namespace {

PromptAnswer Ask(Prompt& prompt, const LangText& text, PromptButtons buttons) {
  return prompt.Show(MessageText(text), GuiText(kGuiSetting), buttons);
}

void Tell(Prompt& prompt, const LangText& text) { Ask(prompt, text, PromptButtons::Ok); }

bool ContinueDespiteDeletion(Prompt& prompt) {
  return Ask(prompt, {"DeleteDataContinue", "Record data will be deleted. continue anyway ?"}, PromptButtons::YesNo) ==
         PromptAnswer::Yes;
}

// A new recording method leaves the card's recordings in a layout the
// recorder no longer writes: they are offered for backup, then deleted.
bool ClearRecordingsForNewMethod(Prompt& prompt, const DeviceSettingSavePorts& ports) {
  const PromptAnswer backup =
      Ask(prompt, {"RemoveData", "The set is changed and removes a data, Do you want to backup data ?"},
          PromptButtons::YesNoCancel);
  if (backup == PromptAnswer::Cancel) return false;
  const bool backedUp = backup == PromptAnswer::Yes && ports.backupWholeCard && ports.backupWholeCard();
  if (!backedUp && !ContinueDespiteDeletion(prompt)) return false;
  if (ports.releaseCard) ports.releaseCard();
  if (ports.deleteVideos) ports.deleteVideos();
  return true;
}

bool FolderAcceptsWrites(const fs::path& folder) {
  const fs::path file = folder / kWriteTestFileName;
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return errno == EEXIST && ::access(folder.c_str(), W_OK) == 0;
  ::close(fd);
  ::unlink(file.c_str());
  return true;
}

}  // namespace

bool CardAcceptsWrites(const fs::path& cardRoot) {
  if (!FolderAcceptsWrites(cardRoot)) return false;
  // The settings are written into the config folder; one that exists must
  // take them too, or a new method would delete the videos for a save that
  // then fails. A missing one is made in the root just tested.
  std::error_code error;
  const fs::path config = ConfigFolder(cardRoot);
  // Probed under one of the output writer's temporary names, which the next
  // save clears should this run be killed between making and removing it.
  return !fs::exists(fs::symlink_status(config, error)) || FolderTakesNewFile(config.string());
}

SaveOutcome SaveDeviceSettings(const fs::path& cardRoot, const CDeviceSettingModel& model, Prompt& prompt,
                               const DeviceSettingSavePorts& ports) {
  // Without a card there is nothing to test; the check below names the cause.
  if (!cardRoot.empty() && !HasCardLayout(cardRoot)) {
    prompt.Show(InvalidCardFolderMessage(), GuiText(kGuiSetting), PromptButtons::Ok);
    return SaveOutcome::kStopped;
  }
  if (!cardRoot.empty() && !CardAcceptsWrites(cardRoot)) {
    Tell(prompt, {"SaveSetFail", "Save setting Error"});
    return SaveOutcome::kStopped;
  }
  if (model.ShowsSdId() && !model.SdIdValid()) {
    Tell(prompt, {"InvalidSDID", "Invalid SD Card ID"});
    return SaveOutcome::kInvalidSdId;
  }
  if (cardRoot.empty()) {
    Tell(prompt, {"NoSDCard", "No selected SD Card"});
    return SaveOutcome::kStopped;
  }
  if (ports.unsupportedSize && ports.unsupportedSize(cardRoot)) {
    Tell(prompt, kMsgNotSupportedSd);
    return SaveOutcome::kStopped;
  }
  if (Ask(prompt, {"SaveCurSetting", "Save current setting ?"}, PromptButtons::OkCancel) != PromptAnswer::Ok)
    return SaveOutcome::kStopped;

  if (ReadDeviceSettings(cardRoot).recingMode != model.MethodToSave() && !ClearRecordingsForNewMethod(prompt, ports))
    return SaveOutcome::kStopped;

  std::error_code ignored;
  fs::create_directories(NormalFolderPath(cardRoot), ignored);
  const SettingsToSave save = model.ToSave(ports.clockNow());
  if (!WriteSettingsToCard(cardRoot, model.Family(), save)) {
    Tell(prompt, {"SaveSetFail", "Save setting Error"});
    return SaveOutcome::kSaveError;
  }
  if (model.Family() == SettingsFamily::kD && ports.pulseTypeSaved) ports.pulseTypeSaved(save.values.carPulseType);
  return SaveOutcome::kSaved;
}
