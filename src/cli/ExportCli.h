#pragma once
// What the export commands share: the overwrite answer that --yes gives,
// waiting for a job's end (Ctrl-C cancels it, so that no part of a file is
// left), and the one-line reports of the dialogs' messages.

#include <functional>
#include <string>
#include <vector>

#include "export/ExportMessages.h"
#include "platform/ManualPorts.h"
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

// Drains the user-interface queue of a started job until its end callback
// has run. SIGINT and SIGTERM cancel the job meanwhile.
void WaitForExportEnd(ManualUiQueue& ui, const std::function<bool()>& running, const std::function<void()>& cancel);

// The message's text in the chosen language, as one line on stderr.
void PrintMessage(const ExportMessage& message);
// The answer No to the overwrite question: which file exists.
void PrintNotOverwritten(const std::string& path);
// True (and one line said) when output is the same file as one of inputs.
bool OutputIsAnInput(const std::string& output, const std::vector<std::string>& inputs);

// The card's speed-pulse type, from the card that holds the recording or
// log (its config/set.ini); unknown for a file outside a card's layout.
int PulseTypeOfCardHolding(const std::string& recordingPath);
