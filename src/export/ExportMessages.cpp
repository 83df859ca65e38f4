#include "export/ExportMessages.h"

#include "base/MgrMultiLang.h"
#include "platform/Prompt.h"

namespace {

constexpr std::string_view kSectionMessage = "Message";
constexpr std::string_view kSectionGui = "GUI";

}  // namespace

std::string MessageText(const ExportMessage& message) {
  return GetLangText(kSectionMessage, message.key, message.defaultText);
}

std::string CaptionText(const ExportMessage& caption) {
  return GetLangText(kSectionGui, caption.key, caption.defaultText);
}

void ShowExportMessage(Prompt& prompt, const ExportMessage& message, const ExportMessage& caption) {
  prompt.Show(MessageText(message), CaptionText(caption), PromptButtons::Ok);
}
