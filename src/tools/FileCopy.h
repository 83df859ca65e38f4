#pragma once
// One file copied so that its target name only ever holds a complete copy:
// the copy is an output file (see platform/OutputFile.h), never the source
// itself. The source's modification time is kept.

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

enum class CopyOutcome { Copied, Failed, Cancelled };

struct CopyResult {
  CopyOutcome outcome = CopyOutcome::Failed;
  uint64_t bytes = 0;
  std::string error;  // the system's words, when it failed
};

// Called after every chunk with the bytes done and the file's size.
using CopyProgress = std::function<void(uint64_t done, uint64_t total)>;

// The chunk after which progress is reported and the cancel word is read.
inline constexpr size_t kCopyChunkBytes = 1 << 20;

CopyResult CopyFileSafely(const std::filesystem::path& source, const std::filesystem::path& target,
                          const std::atomic<bool>& cancel, const CopyProgress& progress);
