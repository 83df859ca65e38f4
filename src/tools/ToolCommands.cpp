#include "tools/ToolCommands.h"

#include "base/AppSetting.h"
#include "base/CommandIds.h"
#include "base/CommonTexts.h"
#include "platform/Prompt.h"
#include "platform/Volumes.h"
#include "tools/CardSizeCheck.h"
#include "tools/DeviceSettingAfterFormat.h"
#include "tools/DiskCheckTexts.h"

namespace {

using Context = ToolCommandContext;
using Row = CommandRow<Context>;

// Backup needs a chosen data folder; without one it says so under the
// dialog's own title.
void OpenBackup(Context& context, int /*argument*/) {
  context.stopPlayback();
  const std::string root = context.cardRoot();
  if (root.empty()) {
    context.prompt.Show(MessageText(kMsgNoEventLoaded), GuiText(kGuiBackup), PromptButtons::Ok);
    return;
  }
  context.dialogs.Backup(root, context.tickedRecordings());
}

// The check runs on the card of the chosen data folder; after a successful
// one the card is scanned again, as after the store's own offer.
void OpenCheckDisk(Context& context, int /*argument*/) {
  context.stopPlayback();
  const std::string root = context.cardRoot();
  if (root.empty()) {
    context.prompt.Show(MessageText(kMsgNoEventLoaded), GuiText(kCheckDiskCaption), PromptButtons::Ok);
    return;
  }
  if (context.dialogs.CheckDisk(root) && context.rescanCard) context.rescanCard();
}

// The card is initialised for the model chosen in the Tool menu.
void OpenSdInit(Context& context, int /*argument*/) {
  context.stopPlayback();
  context.dialogs.InitSdCard(context.settings.GetCurrentModel(), context.cardRoot(), context.releaseCard,
                             context.takeCardRoot, nullptr);
}

// The settings of the current model's recorder, on the chosen card (asked
// for when there is none). A card too small for the recorder is refused
// before the dialog opens.
void OpenDeviceSetting(Context& context, int /*argument*/) {
  context.stopPlayback();
  std::string root = context.cardRoot();
  if (root.empty() && context.chooseCard && context.chooseCard()) root = context.cardRoot();
  if (root.empty()) return;
  if (context.volumes && IsUnsupportedCardSize(*context.volumes, root)) {
    context.prompt.Show(MessageText(kMsgNotSupportedSd), GuiText(kGuiSetting), PromptButtons::Ok);
    return;
  }
  const int modelId = context.settings.GetCurrentModel();
  // The dialog's Init SD Card writes the dialog's own save onto the new card.
  const auto initSdCard = [&context, modelId]() -> std::filesystem::path {
    DialogSettingsAfterFormat settings(LocalRecorderClockNow());
    context.dialogs.InitSdCard(modelId, context.cardRoot(), context.releaseCard, context.takeCardRoot, &settings);
    return context.cardRoot();
  };
  static const Volumes kSystemVolumes;
  DeviceSettingDialogContext dialogContext{root,
                                           context.settings,
                                           context.prompt,
                                           context.volumes ? *context.volumes : kSystemVolumes,
                                           context.releaseRecordings,
                                           context.pulseTypeSaved,
                                           initSdCard};
  context.dialogs.DeviceSetting(modelId, std::move(dialogContext));
}

// clang-format off
const std::array kRows = {
    Row{"backup", {kIdBackup, kIdToolBackup},
        {"ToolBackup", "Backup(&B)"}, {"Backup", "Backup"},
        CommandAlwaysEnabled, OpenBackup},
    Row{"checkdisk", {kIdToolCheckDisk},
        {"ToolCheckDisk", "Check Disk(&K)"}, {},
        CommandAlwaysEnabled, OpenCheckDisk},
    Row{"sdinit", {kIdToolSdInit},
        {"ToolSdInit", "SD Initialize(&I)"}, {},
        CommandAlwaysEnabled, OpenSdInit},
    Row{"setup", {kIdSetup, kIdToolSetting},
        {"ToolSetting", "Device Setting(&D)"}, {"Setting", "Setup"},
        CommandAlwaysEnabled, OpenDeviceSetting},
};
// clang-format on

}  // namespace

void AddToolCommands(CommandTable& table, ToolCommandContext& context) { table.AddRows(kRows, context); }
