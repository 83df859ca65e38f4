#pragma once
// Reading a video recording for its trips: each frame's time, G values and
// fix, and the recording's trigger. A whole index with its trailer gives
// them in one read of the index, each record converted as the loader
// converts it; anything else (no trailer, a short or damaged index, no
// index at all) goes through the loader, which knows how to fall back to
// the data file, so both roads give the same frames.
#include <string>

#include "telemetry/CardTrips.h"

class CInfoEventFile;

// The frames the loader would take from a whole index at indexPath: false,
// and out untouched, when the loader has to be asked instead (the data
// file or the index cannot be opened, the index has no trailer, is shorter
// than its trailer counts, or one of the counted records is unusable).
bool ReadTripFramesFromIndex(const std::string& dataPath, const std::string& indexPath, TripRecording& out);

// From the index when it is whole, else through the loader; without a word
// to anyone: what the window uses.
bool ReadTripRecording(const std::string& path, const std::string& indexPath, TripRecording& out);

// Through the loader alone, whatever the index.
bool LoadTripRecording(const std::string& path, TripRecording& out);
// What a recording the loader has read gives the trips; false when it has
// no frame.
bool TakeTripRecording(const CInfoEventFile& recording, const std::string& path, TripRecording& out);
