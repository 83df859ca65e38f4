#pragma once
// The text a frame pane writes over its picture: the frame number, the
// picture's size and the recording phase with the event that caused it.

#include <cstdint>
#include <string>

#include "base/AppState.h"
#include "playback/PaneSet.h"

// The frame kinds of a frame record: recorded normally, before and after
// the event (the first frame after it is the trigger).
constexpr uint8_t kFrameKindNormal = 1;
constexpr uint8_t kFrameKindPre = 2;
constexpr uint8_t kFrameKindPost = kTriggerFrameKind;

// What the event label needs of the recording a pane's frame belongs to.
struct PaneRecordingInfo {
  ViewMode viewMode = kViewModeNone;
  uint8_t eventCode = 0;  // the recording's own event kind
  uint8_t extendedEventCode = 0;
};

struct PaneOverlayText {
  std::string frameLine;  // "frame / count", the bottom line
  std::string sizeLine;   // the picture's size in KB
  std::string label;      // phase and event
};

// frameIndex counts from 0; the line shows it from 1.
std::string FrameNumberText(int frameIndex, int frameCount);
// Decimal kilobytes, truncated.
std::string FrameSizeText(int jpegBytes);
// "" for a frame kind that is none of the three phases.
std::string PhaseText(uint8_t frameKind);
// The name of a frame's event code; in event mode the extended code 32
// names the recording's own event.
std::string FrameEventName(uint8_t frameEventCode, const PaneRecordingInfo& recording);
// "event [phase]" when the frame has an event, else "[phase]".
std::string PhaseEventLabel(uint8_t frameKind, uint8_t frameEventCode, const PaneRecordingInfo& recording);

PaneOverlayText MakePaneOverlayText(const PaneContent& pane, const PaneRecordingInfo& recording);
