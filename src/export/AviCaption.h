#pragma once
// The caption the AVI export burns into its pictures: which texts a frame
// gets and where they stand. The texts are laid out here; a painter with a
// real text renderer draws them (yellow with a one-pixel black outline).

#include <string>
#include <vector>

#include "export/CaptionStamp.h"
#include "recording/FrameInfoVideo.h"
#include "telemetry/SpeedSource.h"

// The caption items of the dialog's check boxes.
struct AviCaptionItems {
  bool dateTime = false;
  bool speed = false;
  bool vehicleId = false;
  bool position = false;  // longitude / latitude

  bool Any() const { return dateTime || speed || vehicleId || position; }
};

enum class CaptionAlign { kLeft, kCenter, kRight };

// One text: horizontally its left edge (kLeft), its centre (kCenter, x is
// then the picture's middle) or its right edge (kRight) at x; vertically
// its bottom on line `bottom`, or, for a text that hangs from the top, its
// top on line `top` (bottom is then -1).
struct CaptionLine {
  std::string text;  // UTF-8
  CaptionAlign align = CaptionAlign::kLeft;
  int x = 0;
  int bottom = -1;
  int top = -1;
};

// The language texts of the caption, looked up once per export.
struct AviCaptionTexts {
  std::string noGpsSignal = "No GPS signal";
  std::string courses[8] = {"N", "NE", "E", "SE", "S", "SW", "W", "NW"};  // from north, clockwise
};

// The texts in the chosen language.
AviCaptionTexts LoadAviCaptionTexts();

// What the caption needs besides the frame: the items, the speed rules'
// settings, the card's pulse type and what holds for the whole recording.
struct AviCaptionContext {
  AviCaptionItems items;
  SpeedSource speedSource;
  int pulseType = -1;            // the card's CARPULSETYPE; -1 unknown
  bool recordingHasGps = false;  // any frame of the recording has a fix
  std::string vehicleId;         // the recording's recorder ID
  AviCaptionTexts texts;
};

// The texts of one frame's caption on a width x height picture.
std::vector<CaptionLine> LayOutAviCaption(const AviCaptionContext& context, const FRAMEINFOVIDEO& frame, int width,
                                          int height);

// Draws caption texts for pictures.
class AviCaptionPainter {
 public:
  virtual ~AviCaptionPainter() = default;
  // The texts as they stand on a width x height picture, a stamp for each
  // (StampBgr, StampYuv put them on the picture).
  virtual std::vector<CaptionStamp> Render(int width, int height, const std::vector<CaptionLine>& texts) = 0;
};
