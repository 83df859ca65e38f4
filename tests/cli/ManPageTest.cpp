// The manual page of korvane-cli names every command and, under each, the
// options that command's --help lists: no more, no fewer.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "support/CliRun.h"

namespace {

using OptionSets = std::map<std::string, std::set<std::string>>;

std::set<std::string> LongOptions(const std::string& text, const std::regex& pattern) {
  std::set<std::string> options;
  for (std::sregex_iterator it(text.begin(), text.end(), pattern), end; it != end; ++it) options.insert((*it)[1]);
  options.erase("help");
  return options;
}

// Each ".SS command" section's options, written "\-\-name" in roff.
OptionSets ManPageSections() {
  std::ifstream in(std::string(KORVANE_SOURCE_DIR) + "/docs/man/korvane-cli.1.in");
  OptionSets sections;
  std::string line, name, body;
  const std::regex roffOption(R"(\\-\\-([a-z](?:[a-z0-9]|\\-)*))");
  auto close = [&] {
    if (name.empty()) return;
    std::set<std::string> options;
    for (std::string option : LongOptions(body, roffOption)) {
      option = std::regex_replace(option, std::regex(R"(\\-)"), "-");
      options.insert(option);
    }
    sections[name] = options;
  };
  while (std::getline(in, line)) {
    if (line.rfind(".SH", 0) == 0) {
      close();
      name.clear();
      body.clear();
    } else if (line.rfind(".SS ", 0) == 0) {
      close();
      name = std::regex_replace(line.substr(4), std::regex(R"(\\-)"), "-");
      body.clear();
    } else {
      body += line + "\n";
    }
  }
  close();
  return sections;
}

// The commands --help lists, the nested ones ("device-settings set") too.
void CollectHelp(const std::string& command, OptionSets& out) {
  const std::string help = Cli(command + " --help").out;
  const size_t subcommands = help.find("\nSubcommands:\n");
  if (subcommands == std::string::npos) {
    const size_t options = help.find("\nOptions:\n");
    out[command] =
        LongOptions(help.substr(options == std::string::npos ? 0 : options), std::regex(R"(--([a-z][a-z0-9-]*))"));
    return;
  }
  std::istringstream lines(help.substr(subcommands + 14));
  std::string line;
  while (std::getline(lines, line)) {
    if (line.size() < 3 || line[0] != ' ' || line[2] == ' ') continue;
    std::string name = line.substr(2, line.find_first_of(", ", 2) - 2);
    CollectHelp(command.empty() ? name : command + " " + name, out);
  }
}

}  // namespace

TEST(ManPage, EveryCommandWithTheOptionsItsHelpLists) {
  OptionSets help;
  CollectHelp("", help);
  ASSERT_GT(help.size(), 20u);
  EXPECT_EQ(ManPageSections(), help);
}

TEST(ManPage, TheViewersPageNamesTheOptionsItsHelpLists) {
  if (std::string(KORVANE_PROGRAM_PATH).empty()) GTEST_SKIP() << "no window program in this build";
  const std::string help = RunShell("env -u DISPLAY " + ShellQuote(KORVANE_PROGRAM_PATH) + " --help").out;
  std::ifstream in(std::string(KORVANE_SOURCE_DIR) + "/docs/man/korvane.1.in");
  const std::string page =
      std::regex_replace(std::string(std::istreambuf_iterator<char>(in), {}), std::regex(R"(\\-)"), "-");
  const std::regex option(R"(--([a-z][a-z0-9-]*))");
  auto helpOptions = LongOptions(help, option);
  ASSERT_GT(helpOptions.size(), 5u);
  helpOptions.insert("help");
  auto pageOptions = LongOptions(page, option);
  pageOptions.insert("help");
  EXPECT_EQ(pageOptions, helpOptions);
}
