#include "shell/VersionInfo.h"

#include <cstdio>

#include "base/AppTitle.h"
#include "base/MgrMultiLang.h"
#include "platform/ProfileFile.h"
#include "recording/CardFolders.h"

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kVersionFile = "version.ini";
constexpr const char* kVersionSection = "INFO";
constexpr const char* kVersionKey = "VERSION";
constexpr const char* kGuiSection = "GUI";

std::string FormatPair(const char* format, const std::string& first, const std::string& second) {
  const int length = std::snprintf(nullptr, 0, format, first.c_str(), second.c_str());
  if (length <= 0) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  std::snprintf(text.data(), text.size(), format, first.c_str(), second.c_str());
  text.resize(static_cast<size_t>(length));
  return text;
}

}  // namespace

std::string ReadRecorderVersion(const fs::path& cardRoot) {
  if (cardRoot.empty()) return {};
  // Cards and their backups spell the folder in either case.
  return ReadProfileString(ResolveCardPath(cardRoot, {kConfigFolderName, kVersionFile}), kVersionSection, kVersionKey,
                           "", kProfileBuffer260);
}

std::string ProgramVersion() { return KORVANE_VERSION; }

VERSIONBOXTEXT MakeVersionBoxText(const fs::path& cardRoot, const std::string& modelName) {
  VERSIONBOXTEXT box;
  box.recorderVersion = ReadRecorderVersion(cardRoot);
  box.programVersion = ProgramVersion();
  box.title =
      FormatPair("%s %s", std::string(kApplicationTitle), GetLangText(kGuiSection, "Information", "Information"));
  box.modelName = modelName;
  box.recorderLine =
      FormatPair("%s : %s", GetLangText(kGuiSection, "MachineVersion", "Recoder Version"), box.recorderVersion);
  box.programLine = FormatPair("%s : %s", GetLangText(kGuiSection, "PCVersion", "Korvane Version"), box.programVersion);
  box.okLabel = GetLangText(kGuiSection, "OK", "OK");
  return box;
}
