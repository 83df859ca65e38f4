#include "mapctrl/MapPageFiles.h"

#include <fstream>
#include <iterator>

#include "base/AppSetting.h"

std::filesystem::path MapFilesFolder(const std::filesystem::path& dataFolder) { return dataFolder / kMapFilesFolder; }

MapTiles MapTilesFrom(const CAppSetting& setting) {
  MapTiles tiles;
  if (!setting.TileUrl().empty()) tiles.url = setting.TileUrl();
  tiles.attribution = setting.TileAttribution();
  return tiles;
}

std::string ReadMapPage(const std::filesystem::path& folder, const MapTiles& tiles) {
  std::ifstream in(folder / kMapPageFile, std::ios::binary);
  if (!in) return {};
  return MapPageWithTiles(std::string(std::istreambuf_iterator<char>(in), {}), tiles);
}
