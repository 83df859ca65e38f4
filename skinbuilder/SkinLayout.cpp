#include "SkinLayout.h"

#include <array>

#include "skin/SkinEntries.h"

namespace skin {
namespace {

// Rectangles on the back panel unless noted. Entries whose pictures have
// no place of their own (digit strips, slide-bar pieces, the empty picture)
// carry one cell's size at the origin: the displays read the cell size from
// the picture, and the rectangle documents it.
// clang-format off
constexpr auto kLayout = std::to_array<LayoutRow>({
    // entry                     left  top  right bottom visible
    {kSkinBackground,               0,   0, 1024, 768, true},
    {kSkinBackgroundMxH,         0,   0, 1024, 768, true},
    {kSkinBottomStrip,              0, 728, 1024, 768, true},
    {kSkinBottomStripMxH,        0, 728, 1024, 768, true},
    {kSkinBottomStripNarrow,        0, 728,  800, 768, true},
    // title bar
    {kSkinButtonAbout,            936,   4,  960,  24, true},
    {kSkinButtonMinimize,         964,   4,  988,  24, true},
    {kSkinButtonExit,             992,   4, 1016,  24, true},
    // menu row: 58 x 22 every 62 pixels
    {kSkinButtonMenuFile,          12,  34,   70,  56, true},
    {kSkinButtonMenuEdit,          74,  34,  132,  56, true},
    {kSkinButtonMenuView,         136,  34,  194,  56, true},
    {kSkinButtonMenuPlay,         198,  34,  256,  56, true},
    {kSkinButtonMenuTool,         260,  34,  318,  56, true},
    {kSkinButtonMenuHelp,         322,  34,  380,  56, true},
    // tool buttons: 30 x 26 every 34 pixels
    {kSkinButtonOpen,             420,  32,  450,  58, true},
    {kSkinButtonSaveImage,        454,  32,  484,  58, true},
    {kSkinButtonPrintImage,       488,  32,  518,  58, true},
    {kSkinButtonSaveAvi,          522,  32,  552,  58, true},
    {kSkinButtonBackup,           556,  32,  586,  58, true},
    {kSkinButtonGoogleEarth,      590,  32,  620,  58, true},
    {kSkinButtonSetup,            624,  32,  654,  58, true},
    {kSkinButtonHomepage,         658,  32,  688,  58, true},
    // windows
    {kSkinPanePanel,               12,  64,  612, 514, true},
    {kSkinSlideBar,                12, 518,  612, 538, true},
    {kSkinSearchWindow,           620,  64, 1014, 330, true},
    {kSkinMapWindow,              620, 336, 1014, 570, true},
    {kSkinPlayTimePanel,          192, 578,  412, 646, true},
    {kSkinImgInfoPanel,           192, 650,  412, 756, true},
    {kSkinGSensorWindow,          420, 600, 1014, 756, true},
    // play row: 36 x 28 every 40 pixels, then the two views
    {kSkinButtonBackFast,         262, 540,  298, 568, true},
    {kSkinButtonPrevious,         302, 540,  338, 568, true},
    {kSkinButtonBackPlay,         342, 540,  378, 568, true},
    {kSkinButtonPause,            382, 540,  418, 568, true},
    {kSkinButtonPlay,             422, 540,  458, 568, true},
    {kSkinButtonNext,             462, 540,  498, 568, true},
    {kSkinButtonPlayFast,         502, 540,  538, 568, true},
    {kSkinButtonSingleView,       552, 540,  580, 568, true},
    {kSkinButtonThumbView,        584, 540,  612, 568, true},
    // graph buttons
    {kSkinButtonZoomIn,           420, 574,  448, 596, true},
    {kSkinButtonZoomOut,          452, 574,  480, 596, true},
    {kSkinButtonDefaultGraph,     484, 574,  512, 596, true},
    // read-outs
    {kSkinDateTimeDisplay,         12, 542,  236, 564, true},
    {kSkinSpeedDisplay,            40, 581,  104, 608, true},
    {kSkinSpeedCaption,           121, 576,  163, 588, true},
    {kSkinSpeedIndicator,         168, 580,  179, 591, true},
    {kSkinCarSignal,               14, 618,  180, 650, false},
    {kSkinGpsDisplay,              12, 706,  186, 746, true},
    // search window (on the search window, 394 x 266). Check All and
    // UnCheck All share a place: exactly one of them shows. The tabs are a
    // little narrower than the row allows so the event-marker button finds
    // a place of its own beside them; four share the row.
    {kSkinTabEvent,                 4,   4,   58,  26, true},
    {kSkinTabNormal,               60,   4,  114,  26, true},
    {kSkinTabLog,                 116,   4,  170,  26, true},
    {kSkinTabTrip,                172,   4,  226,  26, true},
    {kSkinButtonEventMarker,      228,   4,  250,  26, false},
    {kSkinButtonLoad,             254,   4,  294,  26, true},
    {kSkinButtonClose,            298,   4,  338,  26, false},
    {kSkinButtonCheckAll,         342,   4,  390,  26, true},
    {kSkinButtonUnCheckAll,       342,   4,  390,  26, false},
    // the log search pane's search button (one cell's size)
    {kSkinButtonSearchLog,          0,   0,  120,  22, true},
    // lamps, on the car-signal display (166 x 32): left half less 10,
    // and from 10 right of the middle
    {kSkinLampLeft,                 0,   0,   73,  32, true},
    {kSkinLampRight,               93,   0,  166,  32, true},
    // strips: one cell's size
    {kSkinDigitsSmall,              0,   0,    8,  12, true},
    {kSkinDigitsLarge,              0,   0,   11,  15, true},
    {kSkinDateSeparators,           0,   0,    6,  15, true},
    {kSkinWeekdays,                 0,   0,   27,  12, true},
    {kSkinDigitsSpeed,              0,   0,   18,  27, true},
    {kSkinDigitsG,                  0,   0,   12,  17, true},
    {kSkinDecimalPoint,             0,   0,    4,  17, true},
    {kSkinGpsSymbols,               0,   0,    7,  17, true},
    {kSkinHemispheres,              0,   0,   13,  16, true},
    {kSkinSlideTrack,               0,   0,  600,  20, true},
    {kSkinSlideThumb,               0,   0,   14,  20, true},
    {kSkinSlideTrack2,              0,   0,  600,  20, true},
    {kSkinEmptyPicture,             0,   0,  320, 240, true},
    {kSkinFallback,                 0,   0,  394, 234, true},
});
// clang-format on

}  // namespace

std::span<const LayoutRow> Layout() { return kLayout; }

QRect RectOf(int entry) {
  for (const LayoutRow& row : kLayout) {
    if (row.entry == entry) return QRect(row.left, row.top, row.right - row.left, row.bottom - row.top);
  }
  return QRect();
}

}  // namespace skin
