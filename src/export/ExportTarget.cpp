#include "export/ExportTarget.h"

TargetDecision DecideExportTarget(const std::string& path, const OutputGuard& guard, Prompt& prompt,
                                  const std::string& question, const std::string& caption) {
  if (const OutputRefusal refusal = CheckOutput(path, guard, Overwrite::kReplace); refusal != OutputRefusal::kNone)
    return {TargetVerdict::kRefused, Overwrite::kKeep, RefusalText(path, refusal)};
  if (!OutputExists(path)) return {TargetVerdict::kWrite, Overwrite::kKeep, {}};
  if (prompt.Show(question, caption, PromptButtons::YesNo) != PromptAnswer::Yes)
    return {TargetVerdict::kDeclined, Overwrite::kKeep, {}};
  return {TargetVerdict::kWrite, Overwrite::kReplace, {}};
}
