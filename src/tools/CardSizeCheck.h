#pragma once
// The recorder needs a card of at least 1500 MiB. Only a removable drive is
// measured: a backup folder on a fixed disk is never refused for its size.

#include <cstdint>
#include <filesystem>
#include <optional>

#include "platform/Volumes.h"

inline constexpr uint64_t kSmallestCardMiB = 1500;

// The total size of the removable drive holding path, in bytes: its block
// device's size, else the file system's. Nothing for a path on a fixed disk
// or when the size cannot be read.
std::optional<uint64_t> RemovableCardBytes(const Volumes& volumes, const std::filesystem::path& path);

// Whether path lies on a removable drive smaller than kSmallestCardMiB.
bool IsUnsupportedCardSize(const Volumes& volumes, const std::filesystem::path& path);
