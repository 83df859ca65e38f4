#pragma once
// A log record's position and speed in the form the video frames carry
// them, for the displays that show both kinds of recording.

#include <cstdint>

#include "recording/FrameInfoLog.h"
#include "recording/FrameInfoVideo.h"

// Whole km/h, rounded to the nearest, within 0..65535.
uint16_t LogSpeedKmh(float speed);

// The record's decimal degrees as degrees, whole minutes and seconds with
// hemisphere letters, its fix flag, speed, altitude and course.
GpsBlock GpsBlockOfLogRecord(const FRAMEINFOLOG& record);
