// korvane-cli backup CARD TARGET: the backup dialog's copy, headless. An
// existing target file is overwritten only with --yes; otherwise the run
// stops at it, as a No in the dialog would. Ctrl-C cancels as the dialog's
// Cancel does: the file being copied is abandoned.

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>

#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "cli/ExportCli.h"
#include "cli/JsonWriter.h"
#include "cli/PrintableText.h"
#include "platform/ManualPorts.h"
#include "platform/ScriptedPrompt.h"
#include "tools/BackupJob.h"
#include "tools/BackupMessages.h"
#include "tools/BackupStartCheck.h"
#include "tools/BackupTask.h"

namespace {

struct BackupArgs {
  std::string card;
  std::string target;
  bool all = false;
  BackupSelection selection;
  bool yes = false;
  bool json = false;
};

int RunBackup(const BackupArgs& args) {
  UseProgramLanguage();
  if (const auto refusal = BackupStartRefusal(args.card, args.all, args.selection, args.target)) {
    PrintError(MessageText(*refusal));
    return refusal->key == kBackupMsgNoSelectedEvLg.key ? kExitUsage : kExitLoadFailed;
  }

  BackupJob job(args.card);
  if (args.all) {
    job.SelectAll();
  } else {
    job.Select(args.selection);
  }
  const std::string sizeLabel = job.SizeLabel();
  if (!args.json) std::printf("%s\n", Printable(sizeLabel).c_str());

  FailWritesBeyondFileSizeLimit();
  ManualUiQueue ui;
  ScriptedPrompt prompt;
  if (!args.yes) prompt.QueueAnswer(PromptAnswer::No);
  BackupTask task(ui, prompt);
  std::optional<BackupResult> ended;
  if (!task.Start(job, args.target, [&ended](const BackupResult& result) { ended = result; })) {
    PrintError("cannot start the backup");
    return kExitLoadFailed;
  }
  WaitForExportEnd(
      ui, [&ended] { return !ended.has_value(); }, [&task] { task.Cancel(); });
  const BackupResult& result = *ended;
  if (result.end == BackupEnd::Stopped) {
    PrintError(result.stoppedAt.string() + ": exists (use --yes to overwrite)");
    return kExitLoadFailed;
  }
  const std::string message = BackupFinalMessage(result);
  if (args.json) {
    std::fputs(WriteJson(Json{{"size_label", sizeLabel},
                              {"copied", result.copied},
                              {"failed", result.failed},
                              {"bytes", result.bytes},
                              {"message", message}})
                   .c_str(),
               stdout);
  } else {
    std::printf("%s\n", Printable(message).c_str());
  }
  return result.failed == 0 && result.end == BackupEnd::Completed ? kExitOk : kExitLoadFailed;
}

}  // namespace

void AddBackupCommand(CLI::App& app, int& exitStatus) {
  auto args = std::make_shared<BackupArgs>();
  CLI::App* command = app.add_subcommand("backup", "Copy a card's recordings into a folder that opens like a card");
  command->add_option("CARD", args->card, "Card folder")->required();
  command->add_option("TARGET", args->target, "Backup folder (must exist)")->required();
  CLI::Option* all = command->add_flag("--all", args->all, "Every file of the card");
  command->add_option("--event", args->selection.events, "Event recordings, as the lists name them")->excludes(all);
  command->add_option("--normal", args->selection.normals, "Normal recordings, as the lists name them")->excludes(all);
  command->add_option("--log", args->selection.logs, "Logs, as the lists name them")->excludes(all);
  command->add_flag("--yes", args->yes, "Overwrite files that exist in the target");
  command->add_flag("--json", args->json, "Result as JSON");
  command->callback([args, &exitStatus] { exitStatus = RunBackup(*args); });
}
