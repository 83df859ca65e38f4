#include "base/MgrMultiLang.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "platform/ProfileFile.h"
#include "platform/Trace.h"
#include "platform/Utf8.h"

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kLangPrefix = "kelbrinlang_";
constexpr std::string_view kLangSuffix = ".ini";
constexpr std::string_view kEnglishMark = "_en";

// Written once at start-up before any window exists, read afterwards; the
// lock only keeps tests that switch files honest.
std::mutex gLangLock;
std::string gLangFile;

// "kelbrinlang_*.ini", matched without regard to case as the card's FAT
// and the user's folders may spell it either way.
bool MatchesLangPattern(const std::string& name) {
  const std::string lower = AsciiLower(name);
  return lower.size() >= kLangPrefix.size() + kLangSuffix.size() && lower.starts_with(kLangPrefix) &&
         lower.ends_with(kLangSuffix);
}

// The folder's entries in name order: the enumeration order of the file
// systems the program was first written for, and the same on every run here.
std::vector<fs::directory_entry> LangCandidates(const fs::path& startFolder) {
  std::vector<fs::directory_entry> found;
  std::error_code error;
  for (fs::directory_iterator it(startFolder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (name == "." || name == ".." || !MatchesLangPattern(name)) continue;
    if (it->is_directory(error)) continue;
    found.push_back(*it);
  }
  std::sort(found.begin(), found.end(),
            [](const auto& a, const auto& b) { return a.path().filename() < b.path().filename(); });
  return found;
}

std::string ExpandLineBreaks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
      out += '\n';
      ++i;
      continue;
    }
    out += text[i];
  }
  return out;
}

}  // namespace

int FindLangFile(const fs::path& startFolder, std::string& chosenPath) {
  chosenPath.clear();
  for (const fs::directory_entry& entry : LangCandidates(startFolder)) {
    // The lower-cased path is also what gets stored and opened; lookups on
    // a case-sensitive file system must open the file as it is spelt.
    const std::string full = fs::absolute(entry.path()).string();
    chosenPath = full;
    if (AsciiLower(full).find(kEnglishMark, 1) != std::string::npos) break;
  }
  KTRACE("%s", chosenPath.c_str());
  return 1;
}

void SetLangFilePath(const std::string& path) {
  std::lock_guard guard(gLangLock);
  gLangFile = path;
}

std::string LangFilePath() {
  std::lock_guard guard(gLangLock);
  return gLangFile;
}

std::string GetLangText(std::string_view section, std::string_view key, std::string_view defaultText) {
  const std::string file = LangFilePath();
  if (file.empty()) return ExpandLineBreaks(Utf8Prefix(defaultText, kProfileBuffer500 - 1));
  return ExpandLineBreaks(ReadProfileString(file, section, key, defaultText, kProfileBuffer500));
}
