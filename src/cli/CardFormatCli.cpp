#include "cli/CardFormatCli.h"

#include <cstdio>
#include <cstdlib>

#include "cli/CliCommon.h"
#include "cli/PrintableText.h"
#include "tools/SdInitTexts.h"

namespace {

constexpr const char* kMountTableVariable = "KORVANE_MOUNT_TABLE";

bool IsSuccessText(const std::string& text) { return text == MessageText(kFormatOk) || text == MessageText(kSdInitOk); }

}  // namespace

CardTables SystemCardTables() {
  CardTables tables;
  const char* mountTable = std::getenv(kMountTableVariable);
  if (mountTable != nullptr && *mountTable != '\0') {
    tables.volumes = std::make_unique<Volumes>(mountTable, "/sys", std::vector<std::filesystem::path>{});
    tables.imagesOnly = true;
  } else {
    tables.volumes = std::make_unique<Volumes>();
  }
  tables.checks = std::make_unique<DiskCheckTargets>(*tables.volumes);
  tables.targets = std::make_unique<FormatTargets>(*tables.volumes, *tables.checks);
  return tables;
}

CardTypeAnswer CardTypeOption(const std::string& option) {
  if (option == "sd") return CardTypeAnswer::kSd;
  if (option == "sdhc") return CardTypeAnswer::kSdhc;
  return CardTypeAnswer::kOther;
}

PromptAnswer CardToolPrompt::Show(const std::string& text, const std::string&, PromptButtons buttons) {
  if (buttons != PromptButtons::Ok) return PromptAnswer::Ok;
  if (IsSuccessText(text)) {
    std::printf("%s\n", Printable(text).c_str());
  } else {
    PrintError(text);
  }
  return PromptAnswer::Ok;
}
