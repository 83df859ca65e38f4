#include "shell/CardInsertOffers.h"

#include <filesystem>

#include "base/MgrMultiLang.h"
#include "recording/CardLayout.h"

std::optional<std::string> CardInsertOffers::Mounted(const std::string& mountPoint) {
  if (ignored_.count(mountPoint) != 0 || !HasCardLayout(mountPoint)) return std::nullopt;
  return CardInsertedText(mountPoint);
}

void CardInsertOffers::Unmounted(const std::string& mountPoint) { ignored_.erase(mountPoint); }

void CardInsertOffers::Ignore(const std::string& mountPoint) { ignored_.insert(mountPoint); }

std::string CardInsertedText(const std::string& mountPoint) {
  std::string label = std::filesystem::path(mountPoint).filename().string();
  if (label.empty()) label = mountPoint;
  // The language file words it whole, the label and mount point in its two
  // "%s" in that order.
  std::string text = GetLangText("Message", "CardInserted", "A drive recorder card was inserted: %s at %s");
  for (const std::string& value : {label, mountPoint}) {
    const size_t at = text.find("%s");
    if (at == std::string::npos) break;
    text.replace(at, 2, value);
  }
  return text;
}
