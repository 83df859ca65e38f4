#include "shell/HelpAndHomepage.h"

#include <array>
#include <system_error>

#include "base/AppTitle.h"
#include "base/MgrMultiLang.h"
#include "platform/DesktopOpener.h"
#include "platform/Prompt.h"
#include "platform/Trace.h"

namespace fs = std::filesystem;

namespace {

constexpr std::array kHelpFileNames = {"rvguide.chm", "rvguide.html"};

void Tell(Prompt& prompt, const std::string& text) {
  prompt.Show(text, std::string(kApplicationTitle), PromptButtons::Ok);
}

// "text : what", the form of the program's other messages that name a file.
std::string Naming(const std::string& text, const std::string& what) { return text + " : " + what; }

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
  if (desktop.OpenFile(*guide)) return true;
  KTRACE("no program opened %s", guide->c_str());
  Tell(prompt,
       Naming(GetLangText("Message", "NoHelpViewer", "No program is set up to open the help file"), guide->string()));
  return false;
}

bool OpenHomepage(DesktopOpener& desktop, Prompt& prompt) {
  const std::string url(kHomepageUrl);
  if (desktop.OpenUrl(url)) return true;
  KTRACE("no browser opened %s", url.c_str());
  Tell(prompt, Naming(GetLangText("Message", "NoWebBrowser", "No web browser could open the homepage"), url));
  return false;
}
