#pragma once
// The ids of the window's commands: skin buttons, pull-down menu items and
// keyboard accelerators. Several ids lead to the same command; each
// command's row names the ids that reach it.

// Skin buttons of the back panel.
inline constexpr int kIdMinimize = 1001;
inline constexpr int kIdExit = 1002;
inline constexpr int kIdAbout = 1003;
inline constexpr int kIdOpen = 1004;
inline constexpr int kIdSaveImage = 1005;
inline constexpr int kIdPrintImage = 1006;
inline constexpr int kIdSaveAvi = 1007;
inline constexpr int kIdBackup = 1008;
inline constexpr int kIdSetup = 1009;
inline constexpr int kIdBackFast = 1010;
inline constexpr int kIdPrevious = 1011;
inline constexpr int kIdBackPlay = 1012;
inline constexpr int kIdPause = 1013;
inline constexpr int kIdPlay = 1014;
inline constexpr int kIdNext = 1015;
inline constexpr int kIdPlayFast = 1016;
inline constexpr int kIdZoomIn = 1017;
inline constexpr int kIdZoomOut = 1018;
inline constexpr int kIdMenuFile = 1106;
inline constexpr int kIdMenuHelp = 1111;
inline constexpr int kIdSingleView = 1113;
inline constexpr int kIdThumbView = 1114;
inline constexpr int kIdDefaultGraph = 1125;
inline constexpr int kIdGoogleEarth = 1135;
inline constexpr int kIdHomepage = 1137;
inline constexpr int kIdPlayPositionBar = 1200;

// Pull-down menu items.
inline constexpr int kIdFileSelectFolder = 32775;
inline constexpr int kIdFileLoadEvent = 32777;
inline constexpr int kIdFileLoadLog = 32778;
inline constexpr int kIdFilePrint = 32779;
inline constexpr int kIdFileExit = 32780;
inline constexpr int kIdEditSelectAll = 32781;
inline constexpr int kIdEditUnselectAll = 32782;
inline constexpr int kIdViewScale1 = 32786;
inline constexpr int kIdViewScale2 = 32787;
inline constexpr int kIdViewScale3 = 32788;
inline constexpr int kIdViewLayoutSingle = 32789;
inline constexpr int kIdViewLayoutThumb = 32790;
inline constexpr int kIdPlayPlay = 32791;
inline constexpr int kIdPlayFastPlay = 32792;
inline constexpr int kIdPlayNextFrame = 32793;
inline constexpr int kIdPlayReversePlay = 32794;
inline constexpr int kIdPlayPreviousFrame = 32795;
inline constexpr int kIdPlayFastReverse = 32796;
inline constexpr int kIdPlayStop = 32797;
inline constexpr int kIdToolSetting = 32798;
inline constexpr int kIdToolSaveAvi = 32799;
inline constexpr int kIdToolSaveJpg = 32800;
inline constexpr int kIdToolBackup = 32801;
inline constexpr int kIdHelpHelp = 32802;
inline constexpr int kIdHelpVersion = 32803;
inline constexpr int kIdHelpHomepage = 32804;
inline constexpr int kIdViewScale4 = 32805;
inline constexpr int kIdToolSdInit = 32834;
inline constexpr int kIdFileList = 32836;
inline constexpr int kIdToolConvertKml = 32838;
inline constexpr int kIdFileLoadNormal = 32841;
inline constexpr int kIdToolModelFirst = 32855;  // MX-A .. MX-G: 32855 .. 32861
inline constexpr int kIdToolModelMxH = 32864;
inline constexpr int kIdSpeedMenuGps = 32865;
inline constexpr int kIdSpeedMenuPulse = 32866;
inline constexpr int kIdToolSpeedGps = 32870;
inline constexpr int kIdToolSpeedPulse = 32871;
// Ours, beyond the recorder's program: the GPX and CSV track exports.
inline constexpr int kIdToolExportGpx = 33001;
inline constexpr int kIdToolExportCsv = 33002;
// Ours as well: the disk check from the Tool menu.
inline constexpr int kIdToolCheckDisk = 33003;
// Ours: continuous play and the steps between events of the loaded run.
inline constexpr int kIdPlayContinuous = 33004;
inline constexpr int kIdPlayNextEvent = 33005;
inline constexpr int kIdPlayPreviousEvent = 33006;
inline constexpr int kIdAccelNextEvent = 33007;
inline constexpr int kIdAccelPreviousEvent = 33008;
// Ours: the View menu's speed unit.
inline constexpr int kIdViewSpeedKmh = 33020;
inline constexpr int kIdViewSpeedMph = 33021;
// Ours as well: the MP4 film export.
inline constexpr int kIdToolSaveMp4 = 33030;

// Keyboard accelerators.
inline constexpr int kIdAccelSpace = 32771;
inline constexpr int kIdAccelLeft = 32772;
inline constexpr int kIdAccelRight = 32773;
inline constexpr int kIdAccelOpen = 32806;
inline constexpr int kIdAccelLoadLog = 32807;
inline constexpr int kIdAccelPrint = 32808;
inline constexpr int kIdAccelExit = 32809;
inline constexpr int kIdAccelSelectAll = 32810;
inline constexpr int kIdAccelUnselectAll = 32811;
inline constexpr int kIdAccelCtrlD = 32812;
inline constexpr int kIdAccelCtrlG = 32813;
inline constexpr int kIdAccelFastPlay = 32814;
inline constexpr int kIdAccelNextFrame = 32815;
inline constexpr int kIdAccelReversePlay = 32816;
inline constexpr int kIdAccelPreviousFrame = 32817;
inline constexpr int kIdAccelFastReverse = 32818;
inline constexpr int kIdAccelStop = 32819;
inline constexpr int kIdAccelHelp = 32820;
inline constexpr int kIdAccelLoadEvent = 32822;
inline constexpr int kIdAccelMenuFile = 32827;
inline constexpr int kIdAccelMenuEdit = 32829;
inline constexpr int kIdAccelMenuView = 32830;
inline constexpr int kIdAccelMenuPlay = 32831;
inline constexpr int kIdAccelMenuTool = 32832;
inline constexpr int kIdAccelMenuHelp = 32833;
inline constexpr int kIdAccelPlay = 32839;
