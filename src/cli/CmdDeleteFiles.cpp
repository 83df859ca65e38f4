// korvane-cli delete-recordings CARD --video --logs --yes (delete-files is
// its older name): the delete-files dialog's work, headless. Without --yes
// it only says how many files it would delete; a file that could not be
// deleted makes the exit status 1.

#include <cstdio>
#include <memory>
#include <string>

#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "recording/CardLayout.h"
#include "tools/DeleteFiles.h"

namespace {

struct DeleteArgs {
  std::string card;
  bool video = false;
  bool logs = false;
  bool yes = false;
  bool json = false;
};

int RunDeleteFiles(const DeleteArgs& args) {
  if (!args.video && !args.logs) {
    PrintError("choose --video, --logs or both");
    return kExitUsage;
  }
  const DeleteFilesJob job(args.card, args.video, args.logs);
  if (!job.OnCard()) {
    PrintError(args.card + ": " + InvalidCardFolderMessage());
    return kExitLoadFailed;
  }
  const int total = job.Count();
  if (!args.yes) {
    PrintError("would delete " + std::to_string(total) + " file(s); add --yes to delete them");
    return kExitUsage;
  }
  // The dialog's pause on an empty card is for the eye only.
  const int deleted = job.Run(total, {});
  if (args.json) {
    std::fputs(WriteJson(Json{{"counted", total}, {"deleted", deleted}}).c_str(), stdout);
  } else {
    std::printf("Deleted %d of %d file(s)\n", deleted, total);
  }
  return deleted == total ? kExitOk : kExitLoadFailed;
}

}  // namespace

void AddDeleteFilesCommand(CLI::App& app, int& exitStatus) {
  auto args = std::make_shared<DeleteArgs>();
  CLI::App* command =
      app.add_subcommand("delete-recordings", "Delete the files of a card's video folders, its log folder, or both");
  command->alias("delete-files");
  command->add_option("CARD", args->card, "Card folder")->required();
  command->add_flag("--video", args->video, "The files of ch1/event and ch1/normal");
  command->add_flag("--logs", args->logs, "The files of log");
  command->add_flag("--yes", args->yes, "Delete; without it only the count is told");
  command->add_flag("--json", args->json, "Result as JSON");
  command->callback([args, &exitStatus] { exitStatus = RunDeleteFiles(*args); });
}
