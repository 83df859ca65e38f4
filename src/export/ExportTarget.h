#pragma once
// The last step before an export starts writing its file: the target is
// checked against the output rules (never an input, never in a card's
// recording folders, never in place of something that is not a file), and
// an existing file is replaced only when the user answers Yes.

#include <string>

#include "platform/OutputFile.h"
#include "platform/Prompt.h"

enum class TargetVerdict { kWrite, kRefused, kDeclined };

struct TargetDecision {
  TargetVerdict verdict = TargetVerdict::kWrite;
  Overwrite overwrite = Overwrite::kKeep;
  std::string refusal;  // RefusalText when refused
};

// Asks the overwrite question (question, caption) only of a target the
// rules let be replaced.
TargetDecision DecideExportTarget(const std::string& path, const OutputGuard& guard, Prompt& prompt,
                                  const std::string& question, const std::string& caption);
