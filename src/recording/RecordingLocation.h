#pragma once
// Where a recording file lies on a card: the card (or backup folder) that
// holds it and the list it is shown in. Opening a recording from the file
// manager opens its card and loads it, as picking it in the list would.

#include <filesystem>
#include <optional>

#include "recording/CardCatalogue.h"

struct RecordingLocation {
  std::filesystem::path root;  // the card or backup folder
  FileListKind kind = FileListKind::kEvent;
  std::filesystem::path dataFile;  // the .vdd the list names, also for an index
};

// The card and list of a video recording's data or index file (.vdd,
// .vdx) in <root>/ch1/event or <root>/ch1/normal, names in any letter case;
// nothing when the file lies elsewhere or root has no card layout.
std::optional<RecordingLocation> LocateRecording(const std::filesystem::path& file);
