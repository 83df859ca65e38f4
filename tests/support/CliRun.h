#pragma once
// Runs korvane-cli (or any shell command line) and captures what it prints
// on stdout with its exit status, for the end-to-end tests.

#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <vector>

struct CliRun {
  int exitStatus = -1;
  std::string out;
};

inline CliRun RunShell(const std::string& command) {
  CliRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[65536];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
  const int status = pclose(pipe);
  run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

inline std::string ShellQuote(const std::string& arg) {
  std::string quoted = "'";
  for (char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// korvane-cli with arguments as the shell reads them (quote paths yourself).
inline CliRun Cli(const std::string& args) {
  return RunShell(ShellQuote(KORVANE_CLI_PATH) + " " + args + " 2>/dev/null");
}

// korvane-cli with each argument quoted.
inline CliRun RunCli(const std::vector<std::string>& args) {
  std::string line;
  for (const auto& arg : args) line += " " + ShellQuote(arg);
  return Cli(line);
}

// korvane-cli with each argument quoted, keeping only what it prints on
// stderr (in out), for the tests of its error lines.
inline CliRun RunCliErrors(const std::vector<std::string>& args, const std::string& prefix = "") {
  std::string line = prefix.empty() ? "" : prefix + " ";
  line += ShellQuote(KORVANE_CLI_PATH);
  for (const auto& arg : args) line += " " + ShellQuote(arg);
  return RunShell(line + " 2>&1 >/dev/null");
}
