// What the map page's server makes of the bytes a connection sends: which
// requests are answered, what a click carries, and what is refused because it
// is malformed, too long, or could come from a page elsewhere.
#include <gtest/gtest.h>

#include <string>

#include "mapctrl/MapRequest.h"

namespace {

constexpr int kPort = 9867;

std::string Get(const std::string& target, const std::string& extraHeaders = "") {
  return "GET " + target + " HTTP/1.1\r\nHost: localhost:9867\r\n" + extraHeaders + "\r\n";
}

MapRequestKind KindOf(const std::string& bytes) { return ParseMapRequest(bytes, kPort).kind; }

TEST(MapRequest, RootIsThePageWhateverTheProtocolVersion) {
  EXPECT_EQ(KindOf(Get("/")), MapRequestKind::kPage);
  EXPECT_EQ(KindOf("GET / HTTP/1.0\nHost: 127.0.0.1:9867\n\n"), MapRequestKind::kPage);
  EXPECT_EQ(KindOf(Get("//")), MapRequestKind::kPage);
}

TEST(MapRequest, OtherPathsAndMethodsGetNoAnswer) {
  EXPECT_EQ(KindOf(Get("/index.html")), MapRequestKind::kNone);
  EXPECT_EQ(KindOf("POST / HTTP/1.1\r\nHost: localhost:9867\r\n\r\n"), MapRequestKind::kNone);
  EXPECT_EQ(KindOf("GETX / HTTP/1.1\r\nHost: localhost:9867\r\n\r\n"), MapRequestKind::kNone);
  EXPECT_EQ(KindOf(Get("/?x=1")), MapRequestKind::kNone);
  EXPECT_EQ(KindOf(Get("http://localhost:9867/")), MapRequestKind::kNone);
}

TEST(MapRequest, ClickCarriesRecordingAndFrameEvenBehindADoubledSlash) {
  const MapRequest click = ParseMapRequest(Get("//POSITION/35.1/136.9/2/57/"), kPort);
  ASSERT_EQ(click.kind, MapRequestKind::kPosition);
  EXPECT_EQ(click.recording, 2);
  EXPECT_EQ(click.frame, 57);
  EXPECT_EQ(click.latitude, "35.1");
  EXPECT_EQ(click.longitude, "136.9");

  const MapRequest south = ParseMapRequest(Get("/POSITION/-33.868800/-151.209300/0/0/"), kPort);
  ASSERT_EQ(south.kind, MapRequestKind::kPosition);
  EXPECT_EQ(south.latitude, "-33.868800");
}

TEST(MapRequest, MalformedClicksAreIgnored) {
  EXPECT_EQ(KindOf(Get("/POSITION/35.1/136.9/2/")), MapRequestKind::kNone);
  EXPECT_EQ(KindOf(Get("/POSITION/35.1/136.9/2/57/8/")), MapRequestKind::kNone);
  EXPECT_EQ(KindOf(Get("/POSITION/35.1/136.9/two/57/")), MapRequestKind::kNone);
  EXPECT_EQ(KindOf(Get("/POSITION/35.1/136.9/-1/57/")), MapRequestKind::kNone);
  EXPECT_EQ(KindOf(Get("/POSITION/35.1/136.9/2/99999999999/")), MapRequestKind::kNone);
  EXPECT_EQ(KindOf(Get("/POSITION/north/136.9/2/57/")), MapRequestKind::kNone);
}

TEST(MapRequest, LeadingEmptyLinesAreSkipped) {
  EXPECT_EQ(KindOf("\n\r\n" + Get("/")), MapRequestKind::kPage);
  EXPECT_EQ(KindOf("\n" + Get("/POSITION/1.0/2.0/3/4/")), MapRequestKind::kPosition);
}

TEST(MapRequest, ARequestSplitOverReadsIsWaitedForUntilItsHeadersEnd) {
  const std::string whole = Get("/POSITION/35.1/136.9/2/57/");
  EXPECT_EQ(KindOf(""), MapRequestKind::kIncomplete);
  EXPECT_EQ(KindOf(whole.substr(0, 9)), MapRequestKind::kIncomplete);
  EXPECT_EQ(KindOf(whole.substr(0, 40)), MapRequestKind::kIncomplete);
  EXPECT_EQ(KindOf(whole.substr(0, whole.size() - 2)), MapRequestKind::kIncomplete);
  EXPECT_EQ(KindOf(whole), MapRequestKind::kPosition);
}

TEST(MapRequest, NothingBeyondTheLimitIsAnswered) {
  const std::string noLineFeed(kMapRequestLimit, 'A');
  EXPECT_EQ(KindOf(noLineFeed.substr(0, kMapRequestLimit - 1)), MapRequestKind::kIncomplete);
  EXPECT_EQ(KindOf(noLineFeed), MapRequestKind::kNone);

  // Headers that end just past the limit, even when they all arrived at once.
  const std::string head = "GET / HTTP/1.1\r\nHost: localhost:9867\r\nX-Pad: ";
  const std::string atLimit = head + std::string(kMapRequestLimit - head.size() - 4, 'p') + "\r\n\r\n";
  ASSERT_EQ(atLimit.size(), kMapRequestLimit);
  EXPECT_EQ(KindOf(atLimit), MapRequestKind::kPage);
  const std::string pastLimit = head + std::string(kMapRequestLimit - head.size() - 3, 'p') + "\r\n\r\n";
  EXPECT_EQ(KindOf(pastLimit), MapRequestKind::kNone);
}

TEST(MapRequest, OnlyTheLoopbackNamesWithOurPortAreOurHost) {
  EXPECT_EQ(KindOf("GET / HTTP/1.1\r\nHost: LOCALHOST:9867\r\n\r\n"), MapRequestKind::kPage);
  EXPECT_EQ(KindOf("GET / HTTP/1.1\r\n\r\n"), MapRequestKind::kNone);
  EXPECT_EQ(KindOf("GET / HTTP/1.1\r\nHost: evil.example:9867\r\n\r\n"), MapRequestKind::kNone);
  EXPECT_EQ(KindOf("GET / HTTP/1.1\r\nHost: localhost:9868\r\n\r\n"), MapRequestKind::kNone);
  EXPECT_EQ(KindOf("GET / HTTP/1.1\r\nHost: localhost\r\n\r\n"), MapRequestKind::kNone);
  EXPECT_EQ(KindOf("GET / HTTP/1.1\r\nHost: localhost.evil.example:9867\r\n\r\n"), MapRequestKind::kNone);
  EXPECT_EQ(KindOf("GET / HTTP/1.1\r\nHost: localhost:9867\r\nHost: evil.example:9867\r\n\r\n"), MapRequestKind::kNone);
}

TEST(MapRequest, ClicksFromAnotherOriginAreIgnored) {
  const std::string click = "/POSITION/35.1/136.9/2/57/";
  EXPECT_EQ(KindOf(Get(click, "Referer: http://localhost:9867/\r\n")), MapRequestKind::kPosition);
  EXPECT_EQ(KindOf(Get(click, "Origin: http://127.0.0.1:9867\r\n")), MapRequestKind::kPosition);
  EXPECT_EQ(KindOf(Get(click, "Origin: http://evil.example\r\n")), MapRequestKind::kNone);
  EXPECT_EQ(KindOf(Get(click, "Origin: null\r\n")), MapRequestKind::kNone);
  EXPECT_EQ(KindOf(Get(click, "Origin: https://localhost:9867\r\n")), MapRequestKind::kNone);
  EXPECT_EQ(KindOf(Get(click, "Referer: http://evil.example/page\r\n")), MapRequestKind::kNone);
  EXPECT_EQ(KindOf(Get(click, "Referer: http://localhost:9868/\r\n")), MapRequestKind::kNone);
  EXPECT_EQ(KindOf(Get(click, "referer: http://localhost:9867.evil.example/\r\n")), MapRequestKind::kNone);
}

// A click is taken only when the browser says our own page (or the user)
// started it, and only with coordinates a map can hold.
TEST(MapRequest, AClickComesFromThePageWithFiniteCoordinates) {
  struct Case {
    std::string target;
    std::string headers;
    MapRequestKind kind;
  };
  const std::string click = "/POSITION/35.1/136.9/2/57/";
  const Case cases[] = {
      {click, "Sec-Fetch-Site: same-origin\r\n", MapRequestKind::kPosition},
      {click, "Sec-Fetch-Site: none\r\n", MapRequestKind::kPosition},
      {click, "Sec-Fetch-Site: cross-site\r\n", MapRequestKind::kNone},
      {click, "Sec-Fetch-Site: same-site\r\nReferer: http://localhost:9867/\r\n", MapRequestKind::kNone},
      {click, "sec-fetch-site: Cross-Site\r\n", MapRequestKind::kNone},
      {"/POSITION/-90/180/0/0/", "", MapRequestKind::kPosition},
      {"/POSITION/nan/136.9/2/57/", "", MapRequestKind::kNone},
      {"/POSITION/35.1/-inf/2/57/", "", MapRequestKind::kNone},
      {"/POSITION/infinity/136.9/2/57/", "", MapRequestKind::kNone},
      {"/POSITION/1e308/136.9/2/57/", "", MapRequestKind::kNone},
      {"/POSITION/" + std::string(309, '9') + "/136.9/2/57/", "", MapRequestKind::kNone},
      {"/POSITION/90.5/136.9/2/57/", "", MapRequestKind::kNone},
      {"/POSITION/35.1/180.01/2/57/", "", MapRequestKind::kNone},
  };
  for (const Case& c : cases) EXPECT_EQ(KindOf(Get(c.target, c.headers)), c.kind) << c.target << " " << c.headers;
  // The page itself may be opened from anywhere; only clicks are guarded.
  EXPECT_EQ(KindOf(Get("/", "Sec-Fetch-Site: cross-site\r\n")), MapRequestKind::kPage);
}

TEST(MapRequest, OnlyThePagesOwnFilesAreServedFromLib) {
  for (const auto name : kMapLibFiles) {
    const MapRequest request = ParseMapRequest(Get("/lib/" + std::string(name)), kPort);
    EXPECT_EQ(request.kind, MapRequestKind::kLibFile) << name;
    EXPECT_EQ(request.libFile, name);
  }
  EXPECT_EQ(KindOf(Get("/lib/../kelbrin.ini")), MapRequestKind::kNone);
  EXPECT_EQ(KindOf(Get("/lib/..")), MapRequestKind::kNone);
  EXPECT_EQ(KindOf(Get("/lib/images/../leaflet.js")), MapRequestKind::kNone);
  EXPECT_EQ(KindOf(Get("/lib/%2e%2e/leaflet.js")), MapRequestKind::kNone);
  EXPECT_EQ(KindOf(Get("/lib/korvane.dsc")), MapRequestKind::kNone);
  EXPECT_EQ(KindOf(Get("/lib/")), MapRequestKind::kNone);
  EXPECT_EQ(MapLibContentType("leaflet.js"), "application/javascript");
  EXPECT_EQ(MapLibContentType("leaflet.css"), "text/css");
  EXPECT_EQ(MapLibContentType("node.png"), "image/png");
}

}  // namespace
