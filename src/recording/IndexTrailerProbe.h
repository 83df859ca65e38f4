#pragma once
// The trailer questions of VideoFileProbe.h asked of an index file whose
// path is already known, or of one already read, so that a list of many
// recordings resolves each index once (VideoIndexCache) and reads it once
// (VideoIndexEnds) instead of once per question.

#include <cstdint>
#include <string>

#include "recording/VideoFileProbe.h"
#include "recording/VideoIndexEnds.h"

// Byte 86 of the index's last 92 bytes; 0 without an index of that size.
uint8_t ReadIndexExtendedEventCode(const std::string& indexPath);
uint8_t IndexExtendedEventCode(const VideoIndexEnds& index);

// The recorder and card ids of a current trailer with its identity flag
// set; both empty otherwise.
VideoIds ReadIndexIds(const std::string& indexPath);
VideoIds IndexIds(const VideoIndexEnds& index);
