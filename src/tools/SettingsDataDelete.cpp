#include "tools/SettingsDataDelete.h"

#include <system_error>

#include "base/CommonTexts.h"
#include "base/MgrMultiLang.h"
#include "recording/CardFolders.h"
#include "recording/CardLayout.h"

namespace fs = std::filesystem;

namespace {

std::string Caption() { return GuiText(kGuiSetting); }

void Tell(Prompt& prompt, const char* key, const char* text) {
  prompt.Show(GetLangText("Message", key, text), Caption(), PromptButtons::Ok);
}

// remove_all takes a link itself away, never what it points to.
bool EmptyFolder(const fs::path& folder) {
  std::error_code error;
  if (!fs::is_directory(fs::symlink_status(folder, error))) return !fs::exists(fs::symlink_status(folder, error));
  bool all = true;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
    std::error_code removeError;
    fs::remove_all(entry.path(), removeError);
    all = all && !removeError;
  }
  return all && !error;
}

bool DeleteRecordings(const fs::path& cardRoot, SettingsFamily family, Prompt& prompt, const DataDeletePorts& ports) {
  const PromptAnswer answer =
      prompt.Show(GetLangText("Message", "DeleteRecData", "Do you want to delete all recorded data ?"), Caption(),
                  PromptButtons::YesNo);
  if (answer != PromptAnswer::Yes) return false;
  if (ports.releaseCard) ports.releaseCard();
  if (family == SettingsFamily::kA) {
    if (DeleteFamilyARecordings(cardRoot))
      Tell(prompt, "CompleteDeleteData", "Data deletion is completed.");
    else
      Tell(prompt, "FailtoDeleteData", "Data deletiion is failed.");
    return true;
  }
  if (ports.deleteAllRecordings) ports.deleteAllRecordings();
  Tell(prompt, "CompleteDeleteData", "Data deletion is completed.");
  return true;
}

}  // namespace

bool DeleteFamilyARecordings(const fs::path& cardRoot) {
  const bool events = EmptyFolder(EventFolderPath(cardRoot));
  const bool logs = EmptyFolder(LogFolderPath(cardRoot));
  return events && logs;
}

std::optional<CDeviceSettingModel> RunDataDelete(const fs::path& cardRoot, SettingsFamily family,
                                                 const DataDeleteChoice& choice, Prompt& prompt,
                                                 const DataDeletePorts& ports, const RecorderClock& now) {
  if ((choice.recordings || choice.configuration) && !HasCardLayout(cardRoot)) {
    prompt.Show(InvalidCardFolderMessage(), Caption(), PromptButtons::Ok);
    return std::nullopt;
  }
  if (choice.recordings && !DeleteRecordings(cardRoot, family, prompt, ports)) return std::nullopt;
  if (!choice.configuration) return std::nullopt;

  std::error_code ignored;
  fs::remove(SetIniPath(cardRoot), ignored);
  if (family != SettingsFamily::kA) WriteSdId(cardRoot, "");
  CDeviceSettingModel reloaded(family, ReadSettingsCard(cardRoot), now);
  if (WriteSettingsToCard(cardRoot, family, reloaded.ToSave(now)))
    Tell(prompt, "CompleteDeleteConfig", "Config data deletion is completed.");
  else
    Tell(prompt, "SaveSetFail", "Save setting Error");
  return reloaded;
}
