#pragma once
// The numbered entries of the skin package (korvane.dsc / korvane.chk) and
// the shape of each picture. The back panel builds its buttons and panel
// images from these numbers; the skin builder writes them. Rectangles are on
// the back panel (1024 x 768) unless a comment says otherwise.

// ---- backgrounds -----------------------------------------------------------
// The backgrounds' entry value is the skin colour (0xRRGGBB) that panels
// which fill themselves should use, so they match the wells drawn around them.
inline constexpr int kSkinBackground = 51;         // every model but 9
inline constexpr int kSkinBackgroundMxH = 0;       // the MX-H (car-signal layout)
inline constexpr int kSkinBottomStrip = 47;        // small screen, desktop >= 1024 wide
inline constexpr int kSkinBottomStripMxH = 52;     // the same for the MX-H
inline constexpr int kSkinBottomStripNarrow = 48;  // small screen, desktop < 1024 wide
// The back panel's picture for the ordinary or the MX-H layout.
constexpr int BackgroundEntryFor(bool mxhLayout) { return mxhLayout ? kSkinBackgroundMxH : kSkinBackground; }

// ---- windows created at their entry's rectangle ---------------------------
inline constexpr int kSkinPanePanel = 1;
inline constexpr int kSkinGSensorWindow = 2;
inline constexpr int kSkinMapWindow = 3;
inline constexpr int kSkinSearchWindow = 4;
inline constexpr int kSkinPlayTimePanel = 5;
inline constexpr int kSkinImgInfoPanel = 6;
// The pane container's own image: the empty-picture bitmap, drawn in a pane
// that holds no frame (rectangle unused).
inline constexpr int kSkinEmptyPicture = 42;

// ---- push buttons: four cells side by side (normal, pressed, hover or
// latched, disabled), each cell the rectangle's size ------------------------
inline constexpr int kSkinButtonAbout = 8;         // 1003
inline constexpr int kSkinButtonMinimize = 9;      // 1001
inline constexpr int kSkinButtonExit = 10;         // 1002
inline constexpr int kSkinButtonOpen = 11;         // 1004
inline constexpr int kSkinButtonSaveImage = 12;    // 1005
inline constexpr int kSkinButtonPrintImage = 13;   // 1006
inline constexpr int kSkinButtonSaveAvi = 14;      // 1007
inline constexpr int kSkinButtonBackup = 15;       // 1008
inline constexpr int kSkinButtonGoogleEarth = 45;  // 1135
inline constexpr int kSkinButtonSetup = 16;        // 1009
inline constexpr int kSkinButtonHomepage = 46;     // 1137
inline constexpr int kSkinButtonBackFast = 17;     // 1010 .. 25: 1018
inline constexpr int kSkinButtonPrevious = 18;
inline constexpr int kSkinButtonBackPlay = 19;
inline constexpr int kSkinButtonPause = 20;
inline constexpr int kSkinButtonPlay = 21;
inline constexpr int kSkinButtonNext = 22;
inline constexpr int kSkinButtonPlayFast = 23;
inline constexpr int kSkinButtonZoomIn = 24;
inline constexpr int kSkinButtonZoomOut = 25;
inline constexpr int kSkinButtonMenuFile = 33;  // 1106 .. 38: 1111
inline constexpr int kSkinButtonMenuEdit = 34;
inline constexpr int kSkinButtonMenuView = 35;
inline constexpr int kSkinButtonMenuPlay = 36;
inline constexpr int kSkinButtonMenuTool = 37;
inline constexpr int kSkinButtonMenuHelp = 38;
inline constexpr int kSkinButtonSingleView = 40;    // 1113
inline constexpr int kSkinButtonThumbView = 41;     // 1114
inline constexpr int kSkinButtonDefaultGraph = 43;  // 1125
// The event-marker button of the search window; its rectangle is on the
// search window.
inline constexpr int kSkinButtonEventMarker = 50;  // 1162

// ---- pictures and rectangles beyond the fixed table -------------------------
// The search window's own buttons (rectangles on the search window), four
// cells each like the push buttons; the tabs are check buttons (cells:
// unlit, unlit hover, lit, lit hover).
inline constexpr int kSkinButtonLoad = 53;        // 1019
inline constexpr int kSkinButtonClose = 54;       // 1020
inline constexpr int kSkinButtonCheckAll = 55;    // 1021
inline constexpr int kSkinButtonUnCheckAll = 56;  // 1112
inline constexpr int kSkinTabEvent = 57;          // 1022
inline constexpr int kSkinTabNormal = 58;         // 1155
inline constexpr int kSkinTabLog = 59;            // 1023
inline constexpr int kSkinTabTrip = 77;           // 1171
// The log search pane's search button (rectangle unused; cells as above).
inline constexpr int kSkinButtonSearchLog = 39;

// Digit strips: cells of equal width side by side; cell d shows digit d and
// cell 10 is the dash (blank where a display says so).
inline constexpr int kSkinDigitsSmall = 60;     // 11 cells of 8 x 12 (date-time)
inline constexpr int kSkinDigitsLarge = 61;     // 11 cells of 11 x 15 (date-time)
inline constexpr int kSkinDateSeparators = 62;  // 2 cells of 6 x 15: 0 '.', 1 ':'
inline constexpr int kSkinWeekdays = 63;        // 7 cells of 27 x 12: 0 Sunday .. 6 Saturday
inline constexpr int kSkinDigitsSpeed = 64;     // 11 cells of 18 x 27
inline constexpr int kSkinDigitsG = 65;         // 11 cells of 12 x 17 (10: minus / dash)
inline constexpr int kSkinDecimalPoint = 66;    // 1 cell of 4 x 17
inline constexpr int kSkinGpsSymbols = 67;      // 3 cells of 7 x 17: 0 degree, 1 minute, 2 second
inline constexpr int kSkinHemispheres = 68;     // 4 cells of 13 x 16: 0 N, 1 S, 2 E, 3 W
inline constexpr int kSkinLampLeft = 69;        // 4 cells (car-signal table), each the lamp's size
inline constexpr int kSkinLampRight = 70;       // 4 cells
inline constexpr int kSkinSpeedCaption = 71;    // 2 cells of 42 x 12: 0 pulse, 1 GPS; drawn at (121, 576)
inline constexpr int kSkinSpeedIndicator = 72;  // 2 cells of 11 x 11: 0 pulse, 1 GPS; drawn at (168, 580)

// Rectangles of the digit displays and the slide bar (the G-value displays
// and the speed read-out have fixed places in the back panel).
inline constexpr int kSkinDateTimeDisplay = 73;  // rectangle of the date-time display
inline constexpr int kSkinSpeedDisplay = 74;     // rectangle of the speed digits
inline constexpr int kSkinCarSignal = 75;        // rectangle of the car-signal display (the MX-H)
inline constexpr int kSkinGpsDisplay = 76;       // rectangle of the position display
inline constexpr int kSkinSlideBar = 7;          // rectangle of the play-position slide bar

// Slide-bar pictures: track, thumb, second track.
inline constexpr int kSkinSlideTrack = 180;
inline constexpr int kSkinSlideThumb = 181;
inline constexpr int kSkinSlideTrack2 = 182;

// Shown in place of any picture a package lacks, so a control is never blank.
inline constexpr int kSkinFallback = 49;
