// korvane-cli check DEVICE|CARD|IMAGE: the disk-check dialog's work,
// headless, on a card's device, a folder on a mounted card, or a FAT image
// file. Without --yes it only says what it would check. Ctrl-C cancels as
// the dialog's Cancel does: the card is left as it was.

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "cli/ExportCli.h"
#include "cli/PrintableText.h"
#include "platform/ManualPorts.h"
#include "platform/WorkerThread.h"
#include "tools/DiskCheckJob.h"
#include "tools/DiskCheckTexts.h"

namespace {

struct CheckArgs {
  std::string target;
  bool yes = false;
};

std::string Describe(const DiskCheckTarget& target) {
  if (target.kind == DiskCheckKind::kImage) return target.path.string() + " (image file)";
  if (target.mountPoint.empty()) return target.path.string() + " (not mounted)";
  return target.path.string() + " (mounted at " + target.mountPoint.string() + ", unmounted for the check)";
}

void SayWhereItIsMounted(const DiskCheckOutcome& outcome) {
  if (!outcome.wasMounted) return;
  if (outcome.mountedAt.empty()) {
    PrintError(WhereTheCardIsText(outcome.mountedAt));
    return;
  }
  std::printf("%s\n", Printable(WhereTheCardIsText(outcome.mountedAt)).c_str());
}

int RunCheck(const CheckArgs& args) {
  UseProgramLanguage();
  const Volumes volumes;
  const DiskCheckTargets targets(volumes);
  const DiskCheckTarget target = targets.Resolve(args.target);
  if (target.Refused()) {
    PrintError(DiskCheckRefusalText(target.refusal, args.target));
    return kExitLoadFailed;
  }
  if (!args.yes) {
    PrintError("would check " + Describe(target) + "; add --yes to check it");
    return kExitUsage;
  }

  SpawnChildRunner runner;
  DiskCheckJob job(target, runner, targets);
  ManualUiQueue ui;
  WorkerThread worker(ui);
  std::optional<DiskCheckOutcome> ended;
  DiskCheckOutcome outcome;
  const bool started = worker.Start(
      [&] {
        outcome = job.Run({}, worker.CancelWord());
        return 0;
      },
      [&](int) { ended = outcome; });
  if (!started) {
    PrintError("cannot start the check");
    return kExitLoadFailed;
  }
  WaitForExportEnd(
      ui, [&ended] { return !ended.has_value(); }, [&worker] { worker.Cancel(); });
  std::printf("%s\n", Printable(MessageText(DiskCheckResultText(ended->state))).c_str());
  if (!ended->detail.empty()) PrintError(ended->detail);
  SayWhereItIsMounted(*ended);
  return ended->state == DiskCheckState::kOk ? kExitOk : kExitLoadFailed;
}

}  // namespace

void AddCheckCommand(CLI::App& app, int& exitStatus) {
  auto args = std::make_shared<CheckArgs>();
  CLI::App* command =
      app.add_subcommand("check", "Check and repair the FAT file system of a card, or of a FAT image file");
  command->add_option("TARGET", args->target, "The card's device, a folder on the mounted card, or an image file")
      ->required();
  command->add_flag("--yes", args->yes, "Check; without it only what would be checked is told");
  command->callback([args, &exitStatus] { exitStatus = RunCheck(*args); });
}
