#include "cli/ExportCli.h"

#include <csignal>
#include <filesystem>

#include "base/MgrMultiLang.h"
#include "cli/CliCommon.h"
#include "cli/OutputFile.h"
#include "platform/UserFolders.h"
#include "platform/Utf8.h"
#include "recording/MgrDBSearch.h"

namespace {

constexpr int kWaitSliceMs = 100;

volatile std::sig_atomic_t gStopRequested = 0;

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

void WaitForExportEnd(ManualUiQueue& ui, const std::function<bool()>& running, const std::function<void()>& cancel) {
  gStopRequested = 0;
  auto oldInt = std::signal(SIGINT, RequestStop);
  auto oldTerm = std::signal(SIGTERM, RequestStop);
  bool cancelled = false;
  while (running()) {
    ui.WaitAndDrain(kWaitSliceMs);
    if (gStopRequested && !cancelled) {
      cancel();
      cancelled = true;
    }
  }
  std::signal(SIGINT, oldInt);
  std::signal(SIGTERM, oldTerm);
}

void PrintMessage(const ExportMessage& message) { PrintError(MessageText(message)); }

void PrintNotOverwritten(const std::string& path) {
  PrintError("Same file exists: " + path + " (not overwritten without --yes)");
}

bool OutputIsAnInput(const std::string& output, const std::vector<std::string>& inputs) {
  if (!IsOneOfInputs(output, inputs)) return false;
  PrintError("the output " + output + " is one of the inputs; it is left as it is");
  return true;
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
