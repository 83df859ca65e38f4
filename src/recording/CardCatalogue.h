#pragma once
// The card's catalogue: the recordings that passed the check-files pass,
// one path list per kind, in the order the card's folders list them. The
// file lists show it and load from it.

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "recording/VideoIndexCache.h"

// The trip list is the window's fourth list: the card's drives, made from
// the other three, with no paths of its own in the catalogue.
enum class FileListKind { kEvent, kNormal, kLog, kTrip };
inline constexpr size_t kFileListKindCount = 4;

struct CardCatalogue {
  std::vector<std::string> event;   // ".vdd" paths under ch1/event
  std::vector<std::string> normal;  // ".vdd" paths under ch1/normal
  std::vector<std::string> log;     // ".log" paths under log
  // The index of each event and normal recording, at its path's place
  // (empty: it has none), as the check-files pass found it; the lists and
  // the trips take it from here instead of searching the folder again.
  std::vector<std::string> eventIndexes;
  std::vector<std::string> normalIndexes;
  // The index files as the scan found them, with the ends it read of each,
  // which the first listing takes instead of opening the indexes again.
  // Shared so that a listing can take them from a catalogue it only reads.
  std::shared_ptr<VideoIndexCache> indexes;

  const std::vector<std::string>& Paths(FileListKind kind) const {
    static const std::vector<std::string> kNone;
    switch (kind) {
      case FileListKind::kEvent:
        return event;
      case FileListKind::kNormal:
        return normal;
      case FileListKind::kLog:
        return log;
      case FileListKind::kTrip:
        break;
    }
    return kNone;
  }
  // The index of the i-th recording of Paths(kind); empty when it has none,
  // and for the log and trip lists.
  const std::string& IndexPathAt(FileListKind kind, size_t i) const {
    static const std::string kNoIndex;
    const std::vector<std::string>* indexes = nullptr;
    if (kind == FileListKind::kEvent) indexes = &eventIndexes;
    if (kind == FileListKind::kNormal) indexes = &normalIndexes;
    if (indexes == nullptr || i >= indexes->size()) return kNoIndex;
    return (*indexes)[i];
  }
};
