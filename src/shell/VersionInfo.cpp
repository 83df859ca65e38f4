#include "shell/VersionInfo.h"

#include <algorithm>
#include <array>
#include <charconv>
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
// A file version has four parts: major, minor, build, revision.
constexpr size_t kFileVersionParts = 4;
// What the version box says when the program carries no version of its own.
constexpr std::string_view kVersionWithoutResource = "1.0";

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

std::string FileVersionText(std::string_view dotted) {
  std::array<int, kFileVersionParts> parts{};
  size_t part = 0;
  size_t at = 0;
  while (at < dotted.size()) {
    if (part == parts.size()) return std::string(kVersionWithoutResource);
    const size_t dot = std::min(dotted.find('.', at), dotted.size());
    const std::string_view field = dotted.substr(at, dot - at);
    int value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (field.empty() || error != std::errc() || end != field.data() + field.size() || value < 0)
      return std::string(kVersionWithoutResource);
    parts[part++] = value;
    at = dot + 1;
    if (dot + 1 == dotted.size()) return std::string(kVersionWithoutResource);  // a trailing dot
  }
  if (part == 0) return std::string(kVersionWithoutResource);
  char text[64];
  std::snprintf(text, sizeof text, "%d.%d.%d.%d", parts[0], parts[1], parts[2], parts[3]);
  return text;
}

std::string ProgramVersion() { return FileVersionText(KORVANE_VERSION); }

VersionBoxText MakeVersionBoxText(const fs::path& cardRoot, const std::string& modelName) {
  VersionBoxText box;
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
