// The page as the server sends it: read from the data folder with the tile
// settings of the settings file written in.
#include <gtest/gtest.h>

#include "base/AppSetting.h"
#include "mapctrl/MapPageFiles.h"
#include "support/TempDir.h"

namespace {

AppSettingFolders FoldersIn(const TempDir& dir) {
  AppSettingFolders folders;
  folders.settingsBase = dir / "config";
  folders.documents = dir / "Documents";
  folders.dataFolder = dir / "data";
  folders.startFolder = dir / "start";
  return folders;
}

TEST(MapPageFiles, TileSettingsComeFromTheMapSectionElseOpenStreetMap) {
  TempDir dir;
  CAppSetting plain(FoldersIn(dir));
  plain.LoadSetting();
  EXPECT_EQ(MapTilesFrom(plain).url, kDefaultTileUrl);
  EXPECT_EQ(MapTilesFrom(plain).attribution, "");

  dir.Write(CAppSetting(FoldersIn(dir)).GetIniPath().lexically_relative(dir.path()).string(),
            "[MAP]\nTileUrl=https://tiles.example/{z}/{x}/{y}.png\nTileAttribution=Example \"maps\"\n");
  CAppSetting custom(FoldersIn(dir));
  custom.LoadSetting();
  const MapTiles tiles = MapTilesFrom(custom);
  EXPECT_EQ(tiles.url, "https://tiles.example/{z}/{x}/{y}.png");
  EXPECT_EQ(tiles.attribution, "Example \"maps\"");
}

TEST(MapPageFiles, ThePageIsReadFromTheMapFolderWithItsTiles) {
  TempDir dir;
  const std::string slot = std::string(kTileSlotMark) + std::string(kTileSlotSize - kTileSlotMark.size(), ' ');
  dir.Write("map/index.html", "<script>" + slot + "</script>");
  MapTiles tiles;
  tiles.url = "https://tiles.example/{z}/{x}/{y}.png";
  const std::string page = ReadMapPage(MapFilesFolder(dir.path()), tiles);
  EXPECT_EQ(page.size(), 17 + kTileSlotSize);
  EXPECT_NE(page.find("\"url\":\"https://tiles.example/{z}/{x}/{y}.png\""), std::string::npos);
  EXPECT_EQ(ReadMapPage(dir / "nowhere", tiles), "");
}

}  // namespace
