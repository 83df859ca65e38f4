#include "cli/ExportCli.h"

#include <algorithm>
#include <cctype>
#include <csignal>
#include <cstdio>
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

void PrintMessage(const LangText& message) { PrintError(MessageText(message)); }

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

std::optional<DateTime> ParseDateTimeOption(const std::string& text) {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  char tail = 0;
  if (std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d%c", &year, &month, &day, &hour, &minute, &second, &tail) != 6)
    return std::nullopt;
  DateTime t;
  t.year = static_cast<uint16_t>(year);
  t.month = static_cast<uint16_t>(month);
  t.day = static_cast<uint16_t>(day);
  t.hour = static_cast<uint16_t>(hour);
  t.minute = static_cast<uint16_t>(minute);
  t.second = static_cast<uint16_t>(second);
  if (year < 1900 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 ||
      second > 59)
    return std::nullopt;
  return t;
}

void SplitOutputPath(const std::string& output, std::string_view extension, std::string& folder, std::string& name) {
  const std::filesystem::path path(output);
  folder = path.has_parent_path() ? path.parent_path().string() : ".";
  name = path.filename().string();
  const bool hasExtension =
      name.size() >= extension.size() &&
      std::equal(extension.begin(), extension.end(), name.end() - static_cast<std::ptrdiff_t>(extension.size()),
                 [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
  if (hasExtension) name.resize(name.size() - extension.size());
}
