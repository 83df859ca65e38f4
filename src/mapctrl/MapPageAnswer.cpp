#include "mapctrl/MapPageAnswer.h"

#include "mapctrl/JsonString.h"
#include "mapctrl/MapRequest.h"

std::string MapPageWithTiles(std::string page, const MapTiles& tiles) {
  const std::size_t at = page.find(kTileSlotMark);
  if (at == std::string::npos || page.size() - at < kTileSlotSize) return page;
  if (page.find_first_not_of(' ', at + kTileSlotMark.size()) < at + kTileSlotSize) return page;
  std::string json = "{\"url\":" + JsonString(tiles.url) + ",\"attribution\":" + JsonString(tiles.attribution) + "}";
  if (json.size() > kTileSlotSize) return page;
  json.resize(kTileSlotSize, ' ');
  page.replace(at, kTileSlotSize, json);
  return page;
}

std::string MapPageAnswer(std::string_view page) {
  std::string answer(kMapPageHeader);
  if (answer.size() + page.size() <= kMapRequestLimit) answer += page;
  return answer;
}

std::string MapLibAnswerHeader(std::string_view contentType, std::size_t length) {
  std::string header = "HTTP/1.0 200 OK\r\nContent-Type: ";
  header += contentType;
  header += "\r\nContent-Length: " + std::to_string(length) + "\r\nCache-Control: no-cache\r\n\r\n";
  return header;
}
