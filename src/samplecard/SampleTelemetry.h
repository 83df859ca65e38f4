#pragma once
// Turns the drive into what the recorder writes: the frames of one video
// recording and the records of one log, with every value quantised the way
// its file stores it.

#include <array>
#include <cstdint>
#include <vector>

#include "samplecard/SampleRoute.h"
#include "samplecard/SampleTypes.h"

// The speed pulses per second at a speed, for a card's speed-pulse type
// 0..5 (the viewer converts back with km/h = pulses * 60 * k * 60 / 637).
uint16_t SamplePulsesForSpeed(double kmh, int pulseType);

// The raw G values (thousandths of 1 g) that a sensor mounted with this
// calibration reports for a true acceleration, such that a reader that
// rotates by the angle and subtracts the offsets gets the true value back.
// With all offsets 0 nothing is subtracted, so only the rotation applies.
std::array<int16_t, 3> SampleRawG(double gX, double gY, double gZ, const SampleCalibration& calibration);

// A decimal latitude or longitude as signed ddmm.mmmm, or dddmm.mmmm, on the
// grid of four decimals of a minute.
double SampleDegreesToDdmm(double degrees);

struct SampleFramePlan {
  int64_t startEpochSeconds = 0;  // the local time of drive second 0, as seconds since 1970 UTC
  int64_t driveStartMs = 0;       // drive time of the first frame (a whole second)
  int frameCount = 0;
  int fps = 5;
  int triggerFrame = -1;  // first trigger frame of an event recording; -1 for a normal one
  uint8_t eventCode = 0;
  SampleCalibration calibration;  // the one the raw G values are made for
  int pulseType = 0;
};

std::vector<SampleFrame> MakeSampleFrames(const SampleRoute& route, const SampleFramePlan& plan);

struct SampleLogPlan {
  int64_t startEpochSeconds = 0;
  int driveStartSecond = 0;
  int recordCount = 0;
  int valueA = 1;
  SampleCalibration calibration;
  int pulseType = 0;
};

std::vector<SampleLogRecord> MakeSampleLogRecords(const SampleRoute& route, const SampleLogPlan& plan);
