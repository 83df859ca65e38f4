// korvane-cli format DEVICE|IMAGE: the format dialog's work, headless: FAT32
// labelled for the recorder, on a card's device or on an image file.
// Without --yes it only says what it would erase. Ctrl-C cancels a full
// format's zero pass.

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "cli/CardFormatCli.h"
#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "cli/ExportCli.h"
#include "cli/PrintableText.h"
#include "platform/ManualPorts.h"
#include "platform/WorkerThread.h"
#include "tools/CardFormatter.h"
#include "tools/FormatRun.h"
#include "tools/SdInitTexts.h"

namespace {

struct FormatArgs {
  std::string target;
  bool quick = false;
  bool full = false;
  std::string cardType;
  bool yes = false;
};

int RunFormatCommand(const FormatArgs& args) {
  UseProgramLanguage();
  const CardTables tables = SystemCardTables();
  const FormatTarget target = tables.targets->Resolve(args.target);
  if (target.Refused() || (tables.imagesOnly && !target.IsImage())) {
    PrintError(MessageText(kMsgNotSdDrive));
    return kExitLoadFailed;
  }
  const CardTypeAnswer answer = CardTypeOption(args.cardType);
  const std::optional<uint32_t> cluster = ClusterBytesFor(target.sizeBytes, answer);
  if (!cluster) {
    PrintError(GuiText(kCardTypeQuestion) + " (--card-type sd|sdhc)");
    return kExitLoadFailed;
  }
  if (!args.yes) {
    PrintError("would erase " + DescribeFormatTarget(target) + " and format it FAT32 \"" +
               std::string(kFormatVolumeLabel) + "\" with " + std::to_string(*cluster / 1024) +
               " KiB clusters; add --yes to format it");
    return kExitUsage;
  }

  SpawnChildRunner runner;
  MkfsCardFormatter formatter(runner, *tables.checks);
  ManualUiQueue ui;
  WorkerThread worker(ui);
  std::optional<FormatRunOutcome> ended;
  FormatRunOutcome outcome;
  const bool started = worker.Start(
      [&] {
        outcome = RunFormat(
            target, !args.full, [answer] { return answer; }, formatter, {}, worker.CancelWord());
        return 0;
      },
      [&](int) { ended = outcome; });
  if (!started) {
    PrintError(MessageText(kFormatFail));
    return kExitLoadFailed;
  }
  WaitForExportEnd(
      ui, [&ended] { return !ended.has_value(); }, [&worker] { worker.Cancel(); });
  const FormatOutcome& format = ended->format;
  const std::string result = MessageText(FormatResultText(format.result));
  if (format.result == FormatResult::kOk) {
    std::printf("%s\n", Printable(result).c_str());
  } else {
    PrintError(result);
  }
  if (!format.detail.empty()) PrintError(format.detail);
  if (!target.IsImage() && (format.wasMounted || format.result == FormatResult::kOk)) {
    if (format.mountedAt.empty()) {
      PrintError(WhereTheCardIsText(format.mountedAt));
    } else {
      std::printf("%s\n", Printable(WhereTheCardIsText(format.mountedAt)).c_str());
    }
  }
  return format.result == FormatResult::kOk ? kExitOk : kExitLoadFailed;
}

}  // namespace

void AddFormatCommand(CLI::App& app, int& exitStatus) {
  auto args = std::make_shared<FormatArgs>();
  CLI::App* command = app.add_subcommand("format", "Format a card, or a FAT image file, for the recorder");
  command->add_option("TARGET", args->target, "The card's device, a folder on the mounted card, or an image file")
      ->required();
  CLI::Option* quick = command->add_flag("--quick", args->quick, "Make the file system only (the default)");
  command->add_flag("--full", args->full, "Write zeros over the whole card first")->excludes(quick);
  command->add_option("--card-type", args->cardType, "The card's type where its size cannot be read")
      ->check(CLI::IsMember({"sd", "sdhc"}));
  command->add_flag("--yes", args->yes, "Format; without it only what would be erased is told");
  command->callback([args, &exitStatus] { exitStatus = RunFormatCommand(*args); });
}
