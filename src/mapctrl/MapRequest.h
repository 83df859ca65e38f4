#pragma once
// What the map page's local server makes of the bytes a connection has sent
// so far. Only the page itself, the page's own files and the page's marker
// clicks are answered; anything else, and anything that could come from
// another site, is closed without an answer.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

// A request, its line and headers included, must end within this many bytes.
inline constexpr std::size_t kMapRequestLimit = 16384;

// The files the page loads from the server besides itself.
inline constexpr std::array<std::string_view, 5> kMapLibFiles = {"leaflet.js", "leaflet.css", "arrow.png", "camera.png",
                                                                 "node.png"};

enum class MapRequestKind {
  kIncomplete,  // the header block has not ended yet: read on
  kNone,        // close without an answer
  kPage,        // "GET /": the page
  kLibFile,     // "GET /lib/NAME": one of kMapLibFiles
  kPosition,    // "GET /POSITION/lat/lng/rec/frame/": a marker click, zero bytes
};

struct MapRequest {
  MapRequestKind kind = MapRequestKind::kNone;
  std::string libFile;  // kLibFile: the file's name
  // kPosition: the click as the page sent it; the coordinates stay text
  // because only the recording and frame are used.
  std::string latitude;
  std::string longitude;
  int recording = -1;
  int frame = -1;
};

// Parses what a connection to the server on `port` has sent so far.
MapRequest ParseMapRequest(std::string_view received, int port);

// The content type the server sends with a file of kMapLibFiles.
std::string_view MapLibContentType(std::string_view file);
