// korvane-cli init-card CARD --model ID: the SD Initialize command without a
// window, on the mounted card's folder: the same checks and messages, the
// format, the folder tree, the settings restored or defaulted, and the
// installer. Without --yes it only says what it would do.

#include <cstdio>
#include <memory>
#include <string>

#include "base/ModelTable.h"
#include "cli/CardFormatCli.h"
#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "cli/ExportCli.h"
#include "platform/UserFolders.h"
#include "tools/DeviceSettingsFile.h"
#include "tools/HeadlessSdInit.h"
#include "tools/SdInitTexts.h"

namespace {

struct InitCardArgs {
  std::string card;
  int model = -1;
  bool quick = false;
  bool full = false;
  bool restore = false;
  bool noRestore = false;
  bool yes = false;
};

int RunInitCard(const InitCardArgs& args) {
  UseProgramLanguage();
  const ModelEntry* model = FindModel(args.model);
  if (model == nullptr) {
    PrintError("no recorder model has the id " + std::to_string(args.model));
    return kExitUsage;
  }
  const CardTables tables = SystemCardTables();
  SystemCardDrives drives(*tables.volumes, *tables.targets);
  if (tables.imagesOnly) drives.AcceptImagesOnly();
  const CardDrive drive = drives.Inspect(args.card);
  if (!drive.isCard) {
    PrintError(MessageText(kMsgNotSdDrive));
    return kExitLoadFailed;
  }
  if (drive.sizeBytes && !IsSupportedCardSize(*drive.sizeBytes)) {
    PrintError(MessageText(kMsgNotSupportedSd));
    return kExitLoadFailed;
  }
  if (!args.yes) {
    const bool sameFamily = ReadDeviceSettings(args.card).versionId == FamilyCode(args.model);
    const bool restore = sameFamily && !args.noRestore;
    PrintError("would erase " + DescribeFormatTarget(drive.target) + ", format it FAT32 and initialise it for " +
               model->menuEntry + (restore ? ", keeping its settings" : ", with the model's default settings") +
               "; add --yes to do it");
    return kExitUsage;
  }

  SpawnChildRunner runner;
  MkfsCardFormatter formatter(runner, *tables.checks);
  CardToolPrompt prompt(args.card);
  const std::atomic<bool> cancel{false};
  const HeadlessFormatChoices choices{!args.full, !args.noRestore, CardTypeAnswer::kOther};
  HeadlessSdInitPorts ports(drives, formatter, prompt, choices, cancel);
  DefaultSettingsAfterFormat settings;
  const SdInitSetup setup{args.model, args.card, DocumentsFolder(), ProgramDataFolder() / kInstallerName};
  const SdInitEnd end = InitSdCard(setup, prompt, ports, settings);
  if (!ports.LastFormat().detail.empty()) PrintError(ports.LastFormat().detail);
  return end == SdInitEnd::kDone ? kExitOk : kExitLoadFailed;
}

}  // namespace

void AddInitCardCommand(CLI::App& app, int& exitStatus) {
  auto args = std::make_shared<InitCardArgs>();
  CLI::App* command =
      app.add_subcommand("init-card", "Format a mounted card and lay it out for a recorder model, as SD Initialize");
  command->add_option("CARD", args->card, "The folder where the card is mounted")->required();
  command->add_option("--model", args->model, "The recorder model's id (0 for MX-A ... 9 for MX-H)")->required();
  CLI::Option* quick = command->add_flag("--quick", args->quick, "Make the file system only (the default)");
  command->add_flag("--full", args->full, "Write zeros over the whole card first")->excludes(quick);
  CLI::Option* restore =
      command->add_flag("--restore", args->restore, "Put the card's settings back where its family matches (default)");
  command->add_flag("--no-restore", args->noRestore, "Write the model's default settings")->excludes(restore);
  command->add_flag("--yes", args->yes, "Do it; without it only what would be done is told");
  command->callback([args, &exitStatus] { exitStatus = RunInitCard(*args); });
}
