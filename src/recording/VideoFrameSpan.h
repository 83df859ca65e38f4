#pragma once
// The first and last frame of a video recording, which is all the file
// lists need to know of how long it runs.

#include "platform/DateTime.h"

struct VideoFrameSpan {
  DateTime first;  // local time of the first frame
  DateTime last;   // local time of the last frame
};
