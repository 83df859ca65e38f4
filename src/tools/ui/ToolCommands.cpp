#include "tools/ui/ToolCommands.h"

#include "base/CommandIds.h"
#include "base/MgrMultiLang.h"
#include "platform/Prompt.h"
#include "tools/ui/DlgBackup.h"

namespace {

using Context = ToolCommandContext;
using Row = CommandRow<Context>;

// Backup needs a chosen data folder; without one it says so under the
// dialog's own title.
void OpenBackup(Context& context, int /*argument*/) {
  context.stopPlayback();
  const std::string root = context.cardRoot();
  if (root.empty()) {
    context.prompt.Show(GetLangText("Message", "NoEventLoaded", "No Event is loaded"),
                        GetLangText("GUI", "Backup", "Backup"), PromptButtons::Ok);
    return;
  }
  CDlgBackup dialog(root, context.tickedRecordings(), false, context.settings, context.prompt, context.parent);
  dialog.exec();
}

// clang-format off
const std::array kRows = {
    Row{"backup", {kIdBackup, kIdToolBackup},
        {"ToolBackup", "Backup(&B)"}, {"Backup", "Backup"},
        CommandAlwaysEnabled, OpenBackup},
};
// clang-format on

}  // namespace

void AddToolCommands(CommandTable& table, ToolCommandContext& context) { table.AddRows(kRows, context); }
