#include "recording/RemovedFilesText.h"

#include <filesystem>

#include "base/MgrMultiLang.h"

std::string RemovedFilesText(const std::string& root, const std::vector<std::string>& removed) {
  std::string text = GetLangText("Message", "RemovedShortFiles",
                                 "These files were too short to hold anything and have been removed from the card:");
  for (const std::string& path : removed) {
    const std::filesystem::path relative = std::filesystem::path(path).lexically_relative(root);
    const bool inside = !relative.empty() && *relative.begin() != "..";
    text += "\n" + (inside ? relative.string() : path);
  }
  return text;
}
