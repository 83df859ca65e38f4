#include "cli/CliCommon.h"

#include <cstdio>

#include "cli/PrintableText.h"

void PrintError(const std::string& message) { std::fprintf(stderr, "korvane-cli: %s\n", Printable(message).c_str()); }
