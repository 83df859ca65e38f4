#pragma once
// The help guide and the maker's homepage, opened through the programs the
// desktop has for them. When that fails the user is told what is missing:
// the guide itself, a program that can show it, or a web browser.
#include <filesystem>
#include <optional>
#include <string_view>

class DesktopOpener;
class Prompt;

// The maker's web site, opened by the Homepage commands and by the mark the
// skin draws in the title area (which shows the same address).
inline constexpr std::string_view kHomepageUrl = "https://korvane.example/";

// The guide in the start folder: the recorder's own CHM guide when one was
// put there, else the guide the program ships; nothing when neither is.
std::optional<std::filesystem::path> FindHelpGuide(const std::filesystem::path& startFolder);

// Opens the guide; says why when it cannot. True when it was opened.
bool OpenHelpGuide(const std::filesystem::path& startFolder, DesktopOpener& desktop, Prompt& prompt);
// Opens the homepage; says so when no browser took it. True when one did.
bool OpenHomepage(DesktopOpener& desktop, Prompt& prompt);
