#include "mapctrl/MapPageFiles.h"

#include <optional>

#include "base/AppSetting.h"
#include "platform/RegularFile.h"

std::filesystem::path MapFilesFolder(const std::filesystem::path& dataFolder) { return dataFolder / kMapFilesFolder; }

MapTiles MapTilesFrom(const CAppSetting& setting) {
  MapTiles tiles;
  if (!setting.TileUrl().empty()) tiles.url = setting.TileUrl();
  tiles.attribution = setting.TileAttribution();
  return tiles;
}

std::string ReadMapPage(const std::filesystem::path& folder, const MapTiles& tiles) {
  const std::optional<std::string> page = ReadRegularFile(folder / kMapPageFile, kMaxMapFileBytes).content;
  if (!page) return {};
  return MapPageWithTiles(*page, tiles);
}
