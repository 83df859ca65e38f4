#pragma once
// How long a video recording runs, as the lists and the loaded recording
// both show it, so that the two never disagree.

#include <cstdint>
#include <optional>
#include <string>

#include "recording/DurationWords.h"

// The text for a recording that runs seconds (whole, truncated) from its
// first to its last frame: up to 58 seconds counted as one more ("59 Sec"),
// from 59 on in minutes rounded up from 49 seconds past one ("1 Min");
// empty without frames.
std::string VideoDurationText(std::optional<int64_t> seconds);
// The same in words already read.
std::string VideoDurationText(std::optional<int64_t> seconds, const DurationWords& words);
