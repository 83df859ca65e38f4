#pragma once
// The card's catalogue: the recordings that passed the check-files pass,
// one path list per kind, in the order the card's folders list them. The
// file lists show it and load from it.

#include <string>
#include <vector>

enum class FileListKind { kEvent, kNormal, kLog };

struct CardCatalogue {
  std::vector<std::string> event;   // ".vdd" paths under ch1/event
  std::vector<std::string> normal;  // ".vdd" paths under ch1/normal
  std::vector<std::string> log;     // ".log" paths under log

  const std::vector<std::string>& Paths(FileListKind kind) const {
    return kind == FileListKind::kEvent ? event : kind == FileListKind::kNormal ? normal : log;
  }
};
