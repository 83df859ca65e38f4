#pragma once
// The colours of the Korvane skin: graphite panels, one amber accent, light
// ink. Every picture takes its colours from here so the panel reads as one.
#include <QColor>

namespace skin {

inline const QColor kPanelTop(46, 50, 56);
inline const QColor kPanelBottom(28, 31, 35);
inline const QColor kTitleTop(54, 59, 66);
inline const QColor kTitleBottom(36, 39, 44);
// The colour of the wells behind panes and panels; the windows that fill
// themselves with the skin colour use it too (the background entry's value).
inline const QColor kWell(30, 33, 37);
inline const QColor kWellEdgeDark(12, 13, 15);
inline const QColor kWellEdgeLight(78, 84, 92);
inline const QColor kHairline(64, 70, 78);

inline const QColor kAccent(245, 166, 35);
inline const QColor kAccentSoft(245, 166, 35, 90);
inline const QColor kDanger(214, 69, 65);

inline const QColor kInk(236, 239, 242);
inline const QColor kInkMuted(160, 166, 173);
inline const QColor kInkDisabled(92, 97, 103);

inline const QColor kFaceTop(66, 72, 80);
inline const QColor kFaceBottom(42, 46, 52);
inline const QColor kFaceHoverTop(82, 89, 98);
inline const QColor kFaceHoverBottom(52, 57, 64);
inline const QColor kFacePressedTop(26, 29, 33);
inline const QColor kFacePressedBottom(38, 42, 47);
inline const QColor kFaceDisabled(40, 43, 48);
inline const QColor kFaceBorder(14, 15, 17);

// The digit displays' own backgrounds; digit cells are opaque on them.
inline const QColor kDateDisplay(23, 60, 141);
inline const QColor kValueDisplay(60, 60, 60);
inline const QColor kDateDigit(240, 245, 255);
inline const QColor kSpeedDigit(255, 196, 72);
inline const QColor kValueDigit(236, 238, 240);
inline const QColor kSunday(255, 150, 140);

inline const QColor kLampAmber(255, 170, 30);
inline const QColor kLampRed(240, 60, 50);
inline const QColor kLampOff(70, 74, 80);

}  // namespace skin
