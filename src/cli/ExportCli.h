#pragma once
// What the export commands share: the overwrite answer that --yes gives,
// the output rules checked before anything is loaded, waiting for a job's
// end (Ctrl-C, SIGTERM and SIGHUP cancel it, so that no part of a file is
// left), and the one-line reports of the dialogs' messages.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "export/ExportMessages.h"
#include "platform/DateTime.h"
#include "platform/ManualPorts.h"
#include "platform/OutputFile.h"
#include "platform/Prompt.h"

// Answers the overwrite question Yes with --yes, else No; no folder picker.
class OverwriteAnswer final : public Prompt {
 public:
  explicit OverwriteAnswer(bool yes) : yes_(yes) {}
  PromptAnswer Show(const std::string&, const std::string&, PromptButtons buttons) override;
  std::optional<std::string> PickFolder(const std::string&, const std::string&) override { return std::nullopt; }

 private:
  bool yes_;
};

// Texts as the viewer shows them: the program's language file.
void UseProgramLanguage();

// A file size limit (ulimit -f) makes writes fail with EFBIG, which the
// export reports, instead of ending the process half way. Called before a
// job starts its worker.
void FailWritesBeyondFileSizeLimit();

// While one lives, SIGINT, SIGTERM and SIGHUP no longer end the process:
// they are noted, so that a command stops between its steps and never
// leaves a temporary file behind.
class StopSignals {
 public:
  StopSignals();
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;
  static bool Requested();
};

// Drains the user-interface queue of a started job until its end callback
// has run. SIGINT, SIGTERM and SIGHUP cancel the job meanwhile.
void WaitForExportEnd(ManualUiQueue& ui, const std::function<bool()>& running, const std::function<void()>& cancel);

// The message's text in the chosen language, as one line on stderr.
void PrintMessage(const LangText& message);
// The answer No to the overwrite question: which file exists.
void PrintNotOverwritten(const std::string& path);
// The output rules for output, with --yes as the overwrite answer: true
// when it may be written, else false with one line said.
bool OutputAllowed(const std::string& output, const OutputGuard& guard, bool yes);

inline Overwrite OverwriteOf(bool yes) { return yes ? Overwrite::kReplace : Overwrite::kKeep; }

// The card's speed-pulse type, from the card that holds the recording or
// log (its config/set.ini); unknown for a file outside a card's layout.
int PulseTypeOfCardHolding(const std::string& recordingPath);

// "YYYY-MM-DD HH:MM:SS" of --until; nothing for anything else.
std::optional<DateTime> ParseDateTimeOption(const std::string& text);

// OUT.ext as a dialog's folder and file name boxes: the name without its
// extension (lower case, as the export adds it; any case is taken off).
void SplitOutputPath(const std::string& output, std::string_view extension, std::string& folder, std::string& name);
