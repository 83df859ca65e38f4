// The frame pane's overlay lines: numbering from 1, decimal kilobytes, and
// the phase label with the event that caused the recording.

#include <gtest/gtest.h>

#include <fstream>

#include "base/AppState.h"
#include "base/MgrMultiLang.h"
#include "playback/PaneOverlayText.h"
#include "recording/EventCodes.h"
#include "support/TempDir.h"

namespace {

class PaneOverlayTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    savedLang_ = LangFilePath();
    SetLangFilePath("");
  }
  void TearDown() override { SetLangFilePath(savedLang_); }

  std::string savedLang_;
};

TEST_F(PaneOverlayTextTest, NumberAndSizeLines) {
  EXPECT_EQ(FrameNumberText(0, 150), "1 / 150");
  EXPECT_EQ(FrameNumberText(149, 150), "150 / 150");
  // Decimal kilobytes, truncated rather than rounded.
  EXPECT_EQ(FrameSizeText(123456), "123 KB");
  EXPECT_EQ(FrameSizeText(999), "0 KB");
  EXPECT_EQ(FrameSizeText(1000), "1 KB");
}

TEST_F(PaneOverlayTextTest, PhaseLabelWithAndWithoutEvent) {
  const PaneRecordingInfo normal{kViewModeNormal, 0, 0};
  EXPECT_EQ(PhaseEventLabel(1, 0, normal), "[NOR]");
  EXPECT_EQ(PhaseEventLabel(2, 0, normal), "[PRE]");
  EXPECT_EQ(PhaseEventLabel(3, 0, normal), "[POST]");
  EXPECT_EQ(PhaseEventLabel(7, 0, normal), "[]");
  EXPECT_EQ(PhaseEventLabel(3, 1, normal), EventCodeName(1) + " [POST]");
  // A code outside the table names no event but still takes the event form.
  EXPECT_EQ(PhaseEventLabel(2, 3, normal), " [PRE]");
}

TEST_F(PaneOverlayTextTest, ExtendedCodeNamesTheRecordingsEventOnlyInEventMode) {
  const PaneRecordingInfo event{kViewModeEvent, kExtendedEventCode, 2};
  EXPECT_EQ(FrameEventName(kExtendedEventCode, event), ExtendedEventName(2));
  EXPECT_NE(ExtendedEventName(2), EventCodeName(kExtendedEventCode));
  // A recording whose own kind is a plain code names that one.
  EXPECT_EQ(FrameEventName(kExtendedEventCode, PaneRecordingInfo{kViewModeEvent, 1, 0}), EventCodeName(1));

  const PaneRecordingInfo normal{kViewModeNormal, kExtendedEventCode, 2};
  EXPECT_EQ(FrameEventName(kExtendedEventCode, normal), EventCodeName(kExtendedEventCode));
  // Other codes are the frame's own in every mode.
  EXPECT_EQ(FrameEventName(1, event), EventCodeName(1));
}

TEST_F(PaneOverlayTextTest, PhaseTextsComeFromTheLanguageFile) {
  TempDir dir;
  const auto path = dir / "kelbrinlang_de.ini";
  std::ofstream(path) << "[GUI]\nRecPre=VOR\nRecNormal=NORMAL\n";
  SetLangFilePath(path.string());
  EXPECT_EQ(PhaseEventLabel(2, 0, {}), "[VOR]");
  EXPECT_EQ(PhaseText(1), "NORMAL");
  EXPECT_EQ(PhaseText(3), "POST");
}

TEST_F(PaneOverlayTextTest, OverlayOfAStoredPane) {
  PaneContent pane;
  pane.frameIndex = 41;
  pane.frameCount = 100;
  pane.jpegBytes = 45678;
  pane.frame.frameKind = 2;
  pane.frame.eventBits = 0;
  const PaneOverlayText text = MakePaneOverlayText(pane, {});
  EXPECT_EQ(text.frameLine, "42 / 100");
  EXPECT_EQ(text.sizeLine, "45 KB");
  EXPECT_EQ(text.label, "[PRE]");
}

}  // namespace
