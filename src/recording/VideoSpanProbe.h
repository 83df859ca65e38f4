#pragma once
// How long a video recording runs, for the Duration column of the normal
// list, learnt from its first and last frame only: a card holds hundreds of
// recordings, and loading each one to fill a list would read the whole card.
//
// The frames are taken where the loader would take them: the first and last
// index records when the index is present and both records are usable, else
// the first and last pictures of the data file that carry a comment block.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/LocalTimeKeys.h"
#include "recording/VideoFrameSpan.h"
#include "recording/VideoIndexEnds.h"

// Nothing when neither the index nor the data file gives a frame.
std::optional<VideoFrameSpan> ReadVideoFrameSpan(const std::string& dataPath);
// The same with the recording's index already read (a VideoIndexEnds that
// did not open asks the data file alone).
std::optional<VideoFrameSpan> ReadVideoFrameSpan(const std::string& dataPath, const VideoIndexEnds& index);

// Whole seconds from the first frame to the last, as the loaded recording
// measures them (time keys, truncated); nothing without a frame.
std::optional<int64_t> SpanSeconds(const std::optional<VideoFrameSpan>& span);
// The same with the keys made through keys, as a list of many recordings
// makes them.
std::optional<int64_t> SpanSeconds(const std::optional<VideoFrameSpan>& span, LocalTimeKeys& keys);
std::optional<int64_t> ReadVideoSpanSeconds(const std::string& dataPath);
