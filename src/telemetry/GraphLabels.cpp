#include "telemetry/GraphLabels.h"

#include <cstdio>

#include "platform/TimeKey.h"

std::vector<std::string> GraphValueLabels(float maximum, float minimum) {
  std::vector<std::string> labels;
  const float step = (maximum - minimum) / kGraphValueSteps;
  for (int i = 0; i <= kGraphValueSteps; ++i) {
    char text[48];
    std::snprintf(text, sizeof text, "%.1f", static_cast<double>(maximum - step * static_cast<float>(i)));
    labels.emplace_back(text);
  }
  return labels;
}

std::string GraphTimeText(int64_t timeKey) {
  const DateTime t = TimeKeyToDateTime(timeKey);
  char text[64];
  std::snprintf(text, sizeof text, "%.4d.%.2d.%.2d %.2d:%.2d:%.2d", t.year, t.month, t.day, t.hour, t.minute, t.second);
  return text;
}
