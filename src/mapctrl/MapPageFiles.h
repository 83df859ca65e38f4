#pragma once
// Where the map page and its own files lie in the program's data folder, and
// the page as the server sends it.

#include <cstdint>
#include <filesystem>
#include <string>

#include "mapctrl/MapPageAnswer.h"

class CAppSetting;

inline constexpr const char* kMapFilesFolder = "map";
inline constexpr const char* kMapPageFile = "index.html";
// The most the page or one of its library files may hold (Leaflet's script,
// the largest, is about 150 KiB); anything longer is not ours.
inline constexpr uint64_t kMaxMapFileBytes = 16 * 1024 * 1024;

std::filesystem::path MapFilesFolder(const std::filesystem::path& dataFolder);

// The tile settings of section MAP, the OpenStreetMap tiles when none are set.
MapTiles MapTilesFrom(const CAppSetting& setting);

// The page file of `folder` with the tiles written in; empty when it cannot
// be read.
std::string ReadMapPage(const std::filesystem::path& folder, const MapTiles& tiles);
