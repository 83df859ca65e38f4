#pragma once
// The answers of the map page's local server, built from the page and the
// settings before any connection arrives.

#include <cstddef>
#include <string>
#include <string_view>

// Status and header lines of the page answer; lines end with a bare line feed.
inline constexpr std::string_view kMapPageHeader = "HTTP/1.0 200\nContent-type: text/html\n\n";

// The page holds this slot for the tile settings; it is overwritten in place,
// so the page keeps its length.
inline constexpr std::size_t kTileSlotSize = 512;
inline constexpr std::string_view kTileSlotMark = "{\"korvane\":\"tiles\"}";

// The OpenStreetMap standard tiles, used when the settings name no others.
inline constexpr std::string_view kDefaultTileUrl = "https://tile.openstreetmap.org/{z}/{x}/{y}.png";

struct MapTiles {
  std::string url{kDefaultTileUrl};
  std::string attribution;  // plain text; the page credits OpenStreetMap itself
};

// The page with the tile settings written into its slot. A page without the
// slot, or settings too long for it, stays as it is (the page then falls
// back to the OpenStreetMap tiles).
std::string MapPageWithTiles(std::string page, const MapTiles& tiles);

// The header and the page; only the header when both do not fit into the
// server's 16384-byte answer.
std::string MapPageAnswer(std::string_view page);

// The header of one of the page's own files.
std::string MapLibAnswerHeader(std::string_view contentType, std::size_t length);
