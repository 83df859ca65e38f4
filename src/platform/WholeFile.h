#pragma once
// A small file read whole in one go (a page, a script, a style sheet).

#include <filesystem>
#include <optional>
#include <string>

// The file's bytes; nothing when it is not a regular file or cannot be read
// to its end.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);
