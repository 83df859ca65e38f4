#pragma once
// The red span of the slide bar in a run of normal recordings: it marks how
// far the current recording reaches, from the bar's base time to the
// recording's last frame.

#include <cstdint>
#include <optional>

#include "base/AppState.h"

class CMgrDBSearch;

// Whole seconds from baseTimeKey to the last frame of the store's current
// recording; none outside the normal view mode, without a current recording
// that has frames, or when its last frame lies before the base.
std::optional<int> FileSpanEnd(const CMgrDBSearch& store, ViewMode viewMode, int64_t baseTimeKey);
