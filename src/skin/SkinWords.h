#pragma once
// The words the window writes over its skin. The skin's pictures hold no
// words: each is looked up in the language table when it is drawn, so a
// translation reaches the menu buttons, the list tabs, the search window's
// buttons and the panel's labels as it reaches the menus, and the word is
// fitted to its place there.
#include <string>

enum class SkinWord {
  kMenuFile,
  kMenuEdit,
  kMenuView,
  kMenuPlay,
  kMenuTool,
  kMenuHelp,
  kTabEvent,
  kTabNormal,
  kTabLog,
  kTabTrip,
  kLoad,
  kAll,
  kClose,
  kSearchLog,
  kSpeedLabel,
  kGSensorLabel,
  kSpeedGps,
  kSpeedPulse,
};

struct SkinWordKey {
  const char* section;
  const char* key;
  const char* english;
};

// Where the word is found in the language table.
SkinWordKey KeyOf(SkinWord word);
// The word as the chosen language file gives it.
std::string SkinWordText(SkinWord word);
// The weekday word of the date display (0 Sunday .. 6 Saturday); empty for
// any other day.
std::string WeekdayWord(int dayOfWeek);

// A place on the back panel, right and bottom exclusive.
struct SkinPlace {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

// Where the panel's labels stand. The ordinary layout stacks "G" over "SENSOR" beside the G
// column; the MX-H layout has one line above its displays.
inline constexpr SkinPlace kSpeedLabelPlace{16, 581, 38, 608};
inline constexpr SkinPlace kGSensorLabelPlace{14, 622, 64, 698};
inline constexpr SkinPlace kGSensorLabelPlaceMxH{14, 655, 94, 675};

// A button with an icon and a word: the icon stands at the left, the word
// in what is left of the button from here on.
inline constexpr int IconButtonWordLeft(int height) { return height * 62 / 100 + 8; }

// The place of a button whose word is wider than the button at its nominal
// size: it takes in a spare place beside it (one whose button never shows
// with it), so a long translation is read rather than shrunk to specks.
SkinPlace PlaceForWord(SkinPlace own, SkinPlace spare, int wordWidth);

// The largest pixel size from nominal down to smallest at which a text fits
// a place, asked through fits(size); smallest when none fits, so the word
// is still drawn (and cut) rather than lost.
template <typename Fits>
int FittingPixelSize(int nominal, int smallest, Fits fits) {
  for (int size = nominal; size > smallest; --size) {
    if (fits(size)) return size;
  }
  return smallest;
}
