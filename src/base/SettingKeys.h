#pragma once
// Sections and keys of the settings file kelbrin.ini, named once for the
// settings object and for the tools that show the file.

#include <string_view>

inline constexpr std::string_view kSectionGui = "GUI";
inline constexpr std::string_view kSectionMap = "MAP";
inline constexpr std::string_view kSectionRunParam = "RunParam";
inline constexpr std::string_view kSectionKml = "KML";
inline constexpr std::string_view kSectionPlay = "PLAY";
inline constexpr std::string_view kSectionTrip = "TRIP";
inline constexpr std::string_view kSectionDisplay = "DISPLAY";

inline constexpr std::string_view kKeyVender = "Vender";
inline constexpr std::string_view kKeyDateDesc = "DateDesc";
inline constexpr std::string_view kKeyModelName = "ModelName";
inline constexpr std::string_view kKeyMapType = "MapType";
inline constexpr std::string_view kKeyTileUrl = "TileUrl";
inline constexpr std::string_view kKeyTileAttribution = "TileAttribution";

inline constexpr std::string_view kKeyCurrentModel = "CurrentModel";
inline constexpr std::string_view kKeyDisplaySpeed = "DisplaySpeed";
inline constexpr std::string_view kKeySaveJpgFolder = "SaveJpgFolder";
inline constexpr std::string_view kKeySaveAviFolder = "SaveAviFolder";
inline constexpr std::string_view kKeyBackupFolder = "BackupFolder";
inline constexpr std::string_view kKeySaveLogFolder = "SaveLogFolder";
inline constexpr std::string_view kKeySaveTrackFolder = "SaveTrackFolder";
inline constexpr std::string_view kKeyAviCaption = "AviCaption";
inline constexpr std::string_view kKeySaveJpgGeotag = "SaveJpgGeotag";

inline constexpr std::string_view kKeySpeedUnit = "SpeedUnit";
inline constexpr std::string_view kKeySaveMp4Folder = "SaveMp4Folder";
inline constexpr std::string_view kKeyMp4Overlays = "Mp4Overlays";
inline constexpr std::string_view kKeyMp4Quality = "Mp4Quality";
inline constexpr std::string_view kKeyMp4Units = "Mp4Units";
inline constexpr std::string_view kKeyMp4Gpx = "Mp4Gpx";

inline constexpr std::string_view kKeyPointer = "Pointer";
inline constexpr std::string_view kKeyRoute = "Route";
inline constexpr std::string_view kKeyRunGoogleEarth = "RunGoogleEarth";
inline constexpr std::string_view kKeyPointerInterval = "PointerInterval";
inline constexpr std::string_view kKeyLineWidth = "LineWidth";
inline constexpr std::string_view kKeyLineOpacity = "LineOpacity";
inline constexpr std::string_view kKeyLineColor = "LineColor";
inline constexpr std::string_view kKeyIconServer = "IconServer";

inline constexpr std::string_view kKeyContinuous = "Continuous";
inline constexpr std::string_view kKeyHardG = "HardG";
