#pragma once
// What every korvane-cli command shares: exit statuses and error lines.

#include <string>

constexpr int kExitOk = 0;
constexpr int kExitLoadFailed = 1;
constexpr int kExitUsage = 2;

// One clear line on stderr, prefixed with the program name; control
// characters in it (a file name may hold any) are escaped.
void PrintError(const std::string& message);

// Output formats of the listing commands.
enum class OutputFormat { Text, Json, Csv };
