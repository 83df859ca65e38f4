#pragma once
// One plotted point of the G-sensor graph: a video frame or a log record.

#include <cstdint>

struct GraphPoint {
  uint8_t segment = 0;  // 0 for video; the log's index for log points (curves break where it changes)
  float x = 0;          // in g
  float y = 0;
  float z = 0;        // gravity included
  int64_t time = 0;   // time key, milliseconds
  uint8_t kind = 0;   // frame kind: 1 normal, 2 before the event, 3 after it
  uint8_t event = 0;  // the frame's event code
};
static_assert(sizeof(GraphPoint) == 32);

constexpr uint8_t kPointKindBeforeEvent = 2;
constexpr uint8_t kPointKindAfterEvent = 3;
