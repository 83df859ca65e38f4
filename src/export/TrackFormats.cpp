#include <array>

#include "export/TrackFormat.h"

std::span<const TrackFormat* const> TrackFormats() {
  // A function-local list: the formats are constants of other files, whose
  // order of initialisation is not this file's.
  static const std::array<const TrackFormat*, 2> formats = {&TrackFormat::kGpx, &TrackFormat::kCsv};
  return formats;
}
