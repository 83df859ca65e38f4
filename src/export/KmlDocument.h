#pragma once
// The lines of the KML file the export writes, each ended by CR LF: the
// header with its three styles, the point marks in their folder, the route
// folder and the closing lines. Texts are UTF-8; numbers do not follow the
// locale.

#include <cstdint>
#include <string>
#include <string_view>

#include "export/KmlTexts.h"
#include "platform/DateTime.h"

inline constexpr std::string_view kKml21Namespace = "http://earth.google.com/kml/2.1";

// Our icon server; the settings file may name another (KML / IconServer).
inline constexpr std::string_view kDefaultKmlIconServer = "https://korvane.example";

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

struct KmlLineStyle {
  int color = 255;  // 0x00BBGGRR
  int opacity = 100;
  int width = 5;
};

// One point mark: a log record with a valid position.
struct KmlMark {
  int64_t time = 0;  // time key, milliseconds
  double latitude = 0;
  double longitude = 0;
  float speed = 0;   // km/h
  float course = 0;  // degrees
  bool event = false;
};

// "<server>/icon/arrow_r_1.png" (the plain mark) or ".../arrow_r_2.png" (a
// mark on an event point).
std::string KmlIconAddress(std::string_view server, bool event);

// The heading of the icon and the view: the course as a whole number,
// turned into -180..0 above 180 degrees.
int KmlHeading(float course);

// "2024Year 6Month 14Day (Fri)".
std::string KmlDocumentName(const KmlTexts& texts, const DateTime& local);

// The XML declaration and root, the document with its name and the three
// styles.
void AppendKmlHeader(std::string& out, const KmlTexts& texts, const DateTime& documentTime, std::string_view iconServer,
                     const KmlLineStyle& line);
// The folder of the point marks, opened with its name.
void AppendKmlPointFolderStart(std::string& out, const KmlTexts& texts);

// What every point mark of one export shares, put together once: with a
// mark a second over an hour of logs, the marks are the export's inner loop.
struct KmlMarkParts {
  KmlMarkParts(const KmlTexts& texts, std::string_view iconServer);

  KmlTexts texts;
  // "<Style>" and the icon style up to its heading's value, for a plain
  // mark and for one on an event point.
  std::string plainStyle;
  std::string eventStyle;
  // No table made of these texts ever needs its characters cleaned or its
  // CDATA end marker split: they are printable ASCII without a "]".
  bool plainTable = false;
};

void AppendKmlPointMark(std::string& out, const KmlMarkParts& parts, const KmlMark& mark);
// The same with the parts put together for this one mark.
void AppendKmlPointMark(std::string& out, const KmlTexts& texts, std::string_view iconServer, const KmlMark& mark);
void AppendKmlFolderEnd(std::string& out);
// One position of the route text: "lon,lat,0 ".
void AppendKmlRoutePosition(std::string& route, double latitude, double longitude);
// The route folder with the whole route text as one line string.
void AppendKmlRoute(std::string& out, const KmlTexts& texts, std::string_view routeText);
void AppendKmlEnd(std::string& out);
