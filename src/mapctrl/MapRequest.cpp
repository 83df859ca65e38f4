#include "mapctrl/MapRequest.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <vector>

namespace {

constexpr std::string_view kPositionSegment = "POSITION";
constexpr std::string_view kLibSegment = "lib";
constexpr double kMostLatitude = 90;
constexpr double kMostLongitude = 180;

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

// The request's lines from its first non-empty one up to the empty line that
// ends the headers; the returned length is where that empty line ends, npos
// while it has not arrived.
std::size_t SplitHeaderBlock(std::string_view received, std::vector<std::string_view>& lines) {
  std::size_t offset = received.find_first_not_of("\r\n");
  if (offset == std::string_view::npos) return offset;
  while (true) {
    const auto end = received.find('\n', offset);
    if (end == std::string_view::npos) return end;
    std::string_view line = received.substr(offset, end - offset);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    offset = end + 1;
    if (line.empty()) return offset;
    lines.push_back(line);
  }
}

struct Headers {
  std::string_view host;
  std::string_view origin;
  std::string_view referer;
  std::string_view fetchSite;
  bool duplicateHost = false;
};

Headers ReadHeaders(const std::vector<std::string_view>& lines) {
  Headers headers;
  bool sawHost = false;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const auto colon = lines[i].find(':');
    if (colon == std::string_view::npos) continue;
    const std::string_view name = Trim(lines[i].substr(0, colon));
    const std::string_view value = Trim(lines[i].substr(colon + 1));
    if (EqualsNoCase(name, "Host")) {
      headers.duplicateHost = sawHost;
      sawHost = true;
      headers.host = value;
    } else if (EqualsNoCase(name, "Origin")) {
      headers.origin = value;
    } else if (EqualsNoCase(name, "Referer")) {
      headers.referer = value;
    } else if (EqualsNoCase(name, "Sec-Fetch-Site")) {
      headers.fetchSite = value;
    }
  }
  return headers;
}

// A name by which the page's own server is reached; any other name means the
// browser was pointed here by someone else's page (DNS rebinding).
bool IsOwnHost(std::string_view host, int port) {
  const std::string suffix = ":" + std::to_string(port);
  if (host.size() <= suffix.size() || host.substr(host.size() - suffix.size()) != suffix) return false;
  const std::string_view name = host.substr(0, host.size() - suffix.size());
  return EqualsNoCase(name, "localhost") || name == "127.0.0.1";
}

bool IsOwnOrigin(std::string_view origin, int port) {
  constexpr std::string_view scheme = "http://";
  if (origin.size() <= scheme.size() || !EqualsNoCase(origin.substr(0, scheme.size()), scheme)) return false;
  return IsOwnHost(origin.substr(scheme.size()), port);
}

bool IsOwnReferer(std::string_view referer, int port) {
  constexpr std::string_view scheme = "http://";
  if (referer.size() <= scheme.size()) return false;
  const auto pathStart = referer.find('/', scheme.size());
  return IsOwnOrigin(referer.substr(0, pathStart), port);
}

// The path's segments; runs of "/" count as one separator.
std::vector<std::string_view> Segments(std::string_view path) {
  std::vector<std::string_view> segments;
  while (!path.empty()) {
    const auto start = path.find_first_not_of('/');
    if (start == std::string_view::npos) break;
    path.remove_prefix(start);
    const auto end = path.find('/');
    segments.push_back(path.substr(0, end));
    if (end == std::string_view::npos) break;
    path.remove_prefix(end);
  }
  return segments;
}

bool ReadIndex(std::string_view text, int& value) {
  const char* last = text.data() + text.size();
  const auto [end, error] = std::from_chars(text.data(), last, value);
  return error == std::errc() && end == last && value >= 0;
}

// The browser says where a request was started: "same-origin" from our own
// page, "none" when the user typed the address. Any other ("same-site",
// "cross-site") is another page driving the viewer, even one that sent no
// Origin or Referer.
bool IsOwnFetchSite(std::string_view site) {
  return site.empty() || EqualsNoCase(site, "same-origin") || EqualsNoCase(site, "none");
}

// A coordinate as the page writes one: a decimal number without exponent
// within limit degrees of zero; "nan", "inf" and overlong digits are not.
bool IsCoordinate(std::string_view text, double limit) {
  double value = 0;
  const char* last = text.data() + text.size();
  const auto [end, error] = std::from_chars(text.data(), last, value, std::chars_format::fixed);
  return !text.empty() && error == std::errc() && end == last && std::isfinite(value) && std::fabs(value) <= limit;
}

MapRequest Position(const std::vector<std::string_view>& segments) {
  MapRequest request;
  if (segments.size() != 5) return request;
  if (!IsCoordinate(segments[1], kMostLatitude) || !IsCoordinate(segments[2], kMostLongitude)) return request;
  if (!ReadIndex(segments[3], request.recording) || !ReadIndex(segments[4], request.frame)) return {};
  request.kind = MapRequestKind::kPosition;
  request.latitude = segments[1];
  request.longitude = segments[2];
  return request;
}

MapRequest LibFile(const std::vector<std::string_view>& segments) {
  MapRequest request;
  if (segments.size() != 2) return request;
  if (std::find(kMapLibFiles.begin(), kMapLibFiles.end(), segments[1]) == kMapLibFiles.end()) return request;
  request.kind = MapRequestKind::kLibFile;
  request.libFile = segments[1];
  return request;
}

}  // namespace

MapRequest ParseMapRequest(std::string_view received, int port) {
  MapRequest request;
  std::vector<std::string_view> lines;
  const std::size_t blockEnd = SplitHeaderBlock(received, lines);
  if (blockEnd == std::string_view::npos) {
    if (received.size() < kMapRequestLimit) request.kind = MapRequestKind::kIncomplete;
    return request;
  }
  // The whole header block must lie within the limit, even when more
  // arrived in the same read.
  if (blockEnd > kMapRequestLimit) return request;

  const std::string_view line = lines.front();
  const auto methodEnd = line.find(' ');
  if (methodEnd == std::string_view::npos || line.substr(0, methodEnd) != "GET") return request;
  std::string_view target = line.substr(methodEnd + 1);
  target = target.substr(0, target.find(' '));
  if (target.empty() || target.front() != '/' || target.find('?') != std::string_view::npos) return request;

  const Headers headers = ReadHeaders(lines);
  if (headers.duplicateHost || !IsOwnHost(headers.host, port)) return request;

  const std::vector<std::string_view> segments = Segments(target);
  if (segments.empty()) {
    request.kind = MapRequestKind::kPage;
    return request;
  }
  if (segments.front() == kLibSegment) return LibFile(segments);
  if (segments.front() != kPositionSegment) return request;
  // A click may come only from our own page, never from a page elsewhere.
  if (!headers.origin.empty() && !IsOwnOrigin(headers.origin, port)) return request;
  if (!headers.referer.empty() && !IsOwnReferer(headers.referer, port)) return request;
  if (!IsOwnFetchSite(headers.fetchSite)) return request;
  return Position(segments);
}

std::string_view MapLibContentType(std::string_view file) {
  if (file.ends_with(".js")) return "application/javascript";
  if (file.ends_with(".css")) return "text/css";
  if (file.ends_with(".png")) return "image/png";
  return "application/octet-stream";
}
