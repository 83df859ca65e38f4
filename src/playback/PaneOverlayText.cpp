#include "playback/PaneOverlayText.h"

#include <cstdio>

#include "base/AppState.h"
#include "base/MgrMultiLang.h"
#include "recording/EventCodes.h"

namespace {

constexpr const char* kFrameNumberFormat = "%d / %d";
constexpr const char* kFrameSizeFormat = "%d KB";
constexpr const char* kEventLabelFormat = "%s [%s]";
constexpr const char* kPhaseLabelFormat = "[%s]";
constexpr int kBytesPerKilobyte = 1000;

}  // namespace

std::string FrameNumberText(int frameIndex, int frameCount) {
  char text[64];
  std::snprintf(text, sizeof text, kFrameNumberFormat, frameIndex + 1, frameCount);
  return text;
}

std::string FrameSizeText(int jpegBytes) {
  char text[32];
  std::snprintf(text, sizeof text, kFrameSizeFormat, jpegBytes / kBytesPerKilobyte);
  return text;
}

std::string PhaseText(uint8_t frameKind) {
  switch (frameKind) {
    case kFrameKindNormal:
      return GetLangText("GUI", "RecNormal", "NOR");
    case kFrameKindPre:
      return GetLangText("GUI", "RecPre", "PRE");
    case kFrameKindPost:
      return GetLangText("GUI", "RecPost", "POST");
    default:
      return {};
  }
}

std::string FrameEventName(uint8_t frameEventCode, const PaneRecordingInfo& recording) {
  if (recording.viewMode == kViewModeEvent && frameEventCode == kExtendedEventCode) {
    return EventName(recording.eventCode, recording.extendedEventCode);
  }
  return EventCodeName(frameEventCode);
}

std::string PhaseEventLabel(uint8_t frameKind, uint8_t frameEventCode, const PaneRecordingInfo& recording) {
  const std::string phase = PhaseText(frameKind);
  char text[1200];
  if (frameEventCode != 0) {
    const std::string event = FrameEventName(frameEventCode, recording);
    std::snprintf(text, sizeof text, kEventLabelFormat, event.c_str(), phase.c_str());
  } else {
    std::snprintf(text, sizeof text, kPhaseLabelFormat, phase.c_str());
  }
  return text;
}

PaneOverlayText MakePaneOverlayText(const PaneContent& pane, const PaneRecordingInfo& recording) {
  return PaneOverlayText{FrameNumberText(pane.frameIndex, pane.frameCount), FrameSizeText(pane.jpegBytes),
                         PhaseEventLabel(pane.frame.frameKind, pane.frame.eventBits, recording)};
}
