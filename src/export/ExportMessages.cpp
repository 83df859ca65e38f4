#include "export/ExportMessages.h"

#include "platform/Prompt.h"

void ShowExportMessage(Prompt& prompt, const LangText& message, const LangText& caption) {
  prompt.Show(MessageText(message), GuiText(caption), PromptButtons::Ok);
}
