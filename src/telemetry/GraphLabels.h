#pragma once
// The texts around the G-sensor plot.

#include <cstdint>
#include <string>
#include <vector>

// Number of equal steps between the maximum and the minimum; there is one
// value label and one grid line per step end.
constexpr int kGraphValueSteps = 4;

// "%.1f" labels from maximum down to minimum.
std::vector<std::string> GraphValueLabels(float maximum, float minimum);

// A time key as "%.4d.%.2d.%.2d %.2d:%.2d:%.2d" in local time.
std::string GraphTimeText(int64_t timeKey);
