#include "cli/CliCommon.h"

#include <cstdio>

void PrintError(const std::string& message) { std::fprintf(stderr, "korvane-cli: %s\n", message.c_str()); }
