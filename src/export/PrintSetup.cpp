#include "export/PrintSetup.h"

#include <array>
#include <utility>

namespace {

constexpr int kDefaultDpi = 300;

// Quality code and its resolution, highest first.
constexpr std::array<std::pair<int, int>, 4> kQualityDpi = {{
    {kQualityHigh, 1200},
    {kQualityMedium, 600},
    {kQualityLow, 300},
    {kQualityDraft, 150},
}};

}  // namespace

int PrintQualityDpi(int quality) {
  for (const auto& [code, dpi] : kQualityDpi)
    if (code == quality) return dpi;
  return kDefaultDpi;
}

std::optional<int> PrintQualityOfDpi(int dpi) {
  for (const auto& [code, codeDpi] : kQualityDpi)
    if (codeDpi == dpi) return code;
  return std::nullopt;
}

PrintSetupOutcome ApplyPrintSetupRules(const PrinterChoice& choice) {
  PrintSetupOutcome outcome;
  outcome.settings.device = choice.device;
  outcome.settings.landscape = false;
  outcome.settings.paper = kPaperA4;
  outcome.settings.dpi = PrintQualityDpi(choice.quality);
  if (choice.landscape) outcome.message = kMsgNotSupportLandscape;
  return outcome;
}
