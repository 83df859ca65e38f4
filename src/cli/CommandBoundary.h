#pragma once
// The boundary every korvane-cli command runs inside. Input nobody foresaw
// can make a reader or the JSON library throw; left alone, that aborts the
// process with half an output and no word on what happened. Here it becomes
// one line on the error stream and the failing exit status.

#include <cstdio>
#include <exception>
#include <string>

#include "cli/CliCommon.h"

// One line, whatever the exception's text holds.
inline std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return text;
}

// run() runs the command and returns its exit status; command() names it
// once something went wrong (it may be empty before the command is known).
template <typename Run, typename Name>
int RunAtCommandBoundary(Run&& run, Name&& command, std::FILE* errors = stderr) {
  std::string what;
  try {
    return run();
  } catch (const std::exception& error) {
    what = OneLine(error.what());
  } catch (...) {
    what = "an unknown failure";
  }
  const std::string name = command();
  std::fprintf(errors, "korvane-cli: %s%sstopped: %s\n", name.c_str(), name.empty() ? "" : " ", what.c_str());
  return kExitLoadFailed;
}
