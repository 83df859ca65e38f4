#pragma once
// Every file or address the program hands to the desktop goes through here:
// when no program took it the user is told so, with the file's path or the
// address, instead of nothing happening at all.
#include <filesystem>
#include <string>

class DesktopOpener;
class Prompt;

// What is shown when no program took it: "text : what", the form of the
// program's other messages that name a file.
std::string NamingText(const std::string& text, const std::string& what);

// True when a program took it; otherwise noProgramText is shown under caption.
bool OpenFileOrTell(DesktopOpener& desktop, Prompt& prompt, const std::filesystem::path& file,
                    const std::string& noProgramText, const std::string& caption);
bool OpenUrlOrTell(DesktopOpener& desktop, Prompt& prompt, const std::string& url, const std::string& noProgramText,
                   const std::string& caption);
