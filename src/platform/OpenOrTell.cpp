#include "platform/OpenOrTell.h"

#include "platform/DesktopOpener.h"
#include "platform/Prompt.h"
#include "platform/Trace.h"

namespace {

bool Told(Prompt& prompt, const std::string& what, const std::string& noProgramText, const std::string& caption) {
  KTRACE("no program opened %s", what.c_str());
  prompt.Show(NamingText(noProgramText, what), caption, PromptButtons::Ok);
  return false;
}

}  // namespace

std::string NamingText(const std::string& text, const std::string& what) { return text + " : " + what; }

bool OpenFileOrTell(DesktopOpener& desktop, Prompt& prompt, const std::filesystem::path& file,
                    const std::string& noProgramText, const std::string& caption) {
  if (desktop.OpenFile(file)) return true;
  return Told(prompt, file.string(), noProgramText, caption);
}

bool OpenUrlOrTell(DesktopOpener& desktop, Prompt& prompt, const std::string& url, const std::string& noProgramText,
                   const std::string& caption) {
  if (desktop.OpenUrl(url)) return true;
  return Told(prompt, url, noProgramText, caption);
}
