#include "cli/ExportCli.h"

#include <csignal>
#include <filesystem>
#include <iterator>

#include "base/MgrMultiLang.h"
#include "cli/CliCommon.h"
#include "platform/UserFolders.h"
#include "platform/Utf8.h"
#include "recording/MgrDBSearch.h"

namespace {

constexpr int kWaitSliceMs = 100;

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

volatile std::sig_atomic_t gStopRequested = 0;
int gStopGuards = 0;
struct sigaction gOldActions[std::size(kStopSignals)];

void RequestStop(int) { gStopRequested = 1; }

}  // namespace

PromptAnswer OverwriteAnswer::Show(const std::string&, const std::string&, PromptButtons buttons) {
  if (AsksYesOrNo(buttons)) return yes_ ? PromptAnswer::Yes : PromptAnswer::No;
  return PromptAnswer::Ok;
}

void UseProgramLanguage() {
  std::string chosen;
  FindLangFile(ProgramDataFolder(), chosen);
  SetLangFilePath(chosen);
}

void FailWritesBeyondFileSizeLimit() { std::signal(SIGXFSZ, SIG_IGN); }

StopSignals::StopSignals() {
  if (gStopGuards++ > 0) return;
  gStopRequested = 0;
  struct sigaction action {};
  action.sa_handler = RequestStop;
  sigemptyset(&action.sa_mask);
  for (size_t i = 0; i < std::size(kStopSignals); ++i) sigaction(kStopSignals[i], &action, &gOldActions[i]);
}

StopSignals::~StopSignals() {
  if (--gStopGuards > 0) return;
  for (size_t i = 0; i < std::size(kStopSignals); ++i) sigaction(kStopSignals[i], &gOldActions[i], nullptr);
}

bool StopSignals::Requested() { return gStopRequested != 0; }

void WaitForExportEnd(ManualUiQueue& ui, const std::function<bool()>& running, const std::function<void()>& cancel) {
  const StopSignals stop;
  bool cancelled = false;
  while (running()) {
    ui.WaitAndDrain(kWaitSliceMs);
    if (gStopRequested && !cancelled) {
      cancel();
      cancelled = true;
    }
  }
}

void PrintMessage(const ExportMessage& message) { PrintError(MessageText(message)); }

void PrintNotOverwritten(const std::string& path) {
  PrintError("Same file exists: " + path + " (not overwritten without --yes)");
}

bool OutputAllowed(const std::string& output, const OutputGuard& guard, bool yes) {
  const OutputRefusal refusal = CheckOutput(output, guard, OverwriteOf(yes));
  if (refusal == OutputRefusal::kNone) return true;
  if (refusal == OutputRefusal::kExists)
    PrintNotOverwritten(output);
  else
    PrintError(RefusalText(output, refusal));
  return false;
}

int PulseTypeOfCardHolding(const std::string& recordingPath) {
  namespace fs = std::filesystem;
  const fs::path file = fs::absolute(recordingPath);
  // <root>/ch1/event/x.vdd, <root>/ch1/normal/x.vdd, <root>/log/x.log
  const bool video = EndsWithNoCase(file.string(), ".vdd");
  fs::path root = file.parent_path().parent_path();
  if (video) root = root.parent_path();
  return CMgrDBSearch::ReadPulseType(root.string());
}
