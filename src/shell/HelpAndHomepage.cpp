#include "shell/HelpAndHomepage.h"

#include <array>
#include <system_error>

#include "base/AppTitle.h"
#include "base/MgrMultiLang.h"
#include "platform/OpenOrTell.h"
#include "platform/Prompt.h"

namespace fs = std::filesystem;

namespace {

constexpr std::array kHelpFileNames = {"rvguide.chm", "rvguide.html"};

void Tell(Prompt& prompt, const std::string& text) {
  prompt.Show(text, std::string(kApplicationTitle), PromptButtons::Ok);
}

}  // namespace

std::optional<fs::path> FindHelpGuide(const fs::path& startFolder) {
  for (const char* name : kHelpFileNames) {
    std::error_code error;
    const fs::path guide = startFolder / name;
    if (fs::is_regular_file(guide, error)) return guide;
  }
  return std::nullopt;
}

bool OpenHelpGuide(const fs::path& startFolder, DesktopOpener& desktop, Prompt& prompt) {
  const std::optional<fs::path> guide = FindHelpGuide(startFolder);
  if (!guide) {
    Tell(prompt, "No help file(*.chm)");
    return false;
  }
  return OpenFileOrTell(desktop, prompt, *guide,
                        GetLangText("Message", "NoHelpViewer", "No program is set up to open the help file"),
                        std::string(kApplicationTitle));
}

bool OpenHomepage(DesktopOpener& desktop, Prompt& prompt) {
  return OpenUrlOrTell(desktop, prompt, std::string(kHomepageUrl),
                       GetLangText("Message", "NoWebBrowser", "No web browser could open the homepage"),
                       std::string(kApplicationTitle));
}
