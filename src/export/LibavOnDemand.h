#pragma once
// The film writers' libav, opened when an export first needs it (see
// LibavOnDemand.cpp).

#include <optional>
#include <string>

// Why libav cannot be used, naming the library that did not open; nothing
// when all three opened. The writers ask before their first libav call, so
// that a broken installation fails the export with this text.
std::optional<std::string> LibavMissing();
