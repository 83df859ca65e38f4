#include "export/KmlDocument.h"

#include "export/KmlColors.h"
#include "export/NumberText.h"
#include "platform/TimeKey.h"
#include "platform/XmlText.h"

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr int kCoordinateDecimals = 6;
constexpr int kValueDecimals = 1;
constexpr int kFullTurn = 360;
constexpr int kHalfTurn = 180;

// Text inside a CDATA section may hold anything but its end marker.
std::string CdataText(std::string_view text) {
  std::string safe;
  size_t from = 0;
  for (size_t at = text.find("]]>"); at != std::string_view::npos; at = text.find("]]>", from)) {
    safe.append(text.substr(from, at - from));
    safe += "]]]]><![CDATA[>";
    from = at + 3;
  }
  safe.append(text.substr(from));
  return safe;
}

void Line(std::string& out, std::string_view text) {
  out += text;
  out += kLineEnd;
}

void AppendIconStyle(std::string& out, std::string_view iconServer, bool event) {
  out += "<IconStyle><color>ff00ff00</color><scale>0.8</scale><Icon><href>";
  out += KmlIconAddress(iconServer, event);
  out += "</href></Icon>";
}

const std::string& WeekdayName(const KmlTexts& texts, const DateTime& local) {
  return texts.weekdays[local.dayOfWeek % texts.weekdays.size()];
}

// Whether text can go into a mark's table as it is, whatever stands
// around it there: the table's own markup holds no "]", so without one in
// the texts no CDATA end marker can form.
bool PlainTableText(std::string_view text) { return IsPlainXmlText(text) && text.find(']') == std::string_view::npos; }

bool PlainTableTexts(const KmlTexts& t) {
  for (const std::string_view text :
       {std::string_view(t.date), std::string_view(t.year), std::string_view(t.month), std::string_view(t.day),
        std::string_view(t.time), std::string_view(t.hour), std::string_view(t.minute), std::string_view(t.second),
        std::string_view(t.speed), SpeedUnitLabel(t.speedUnit), std::string_view(t.heading),
        std::string_view(t.degree)}) {
    if (!PlainTableText(text)) return false;
  }
  for (const std::string& weekday : t.weekdays) {
    if (!PlainTableText(weekday)) return false;
  }
  return true;
}

// The table of a mark's description, appended piece by piece.
void AppendDateTable(std::string& table, const KmlTexts& t, const DateTime& l, const KmlMark& mark) {
  table += "<table><tr><td>";
  table += t.date;
  table += "</td><td>";
  AppendInt(table, l.year);
  table += t.year;
  AppendInt(table, l.month);
  table += t.month;
  AppendInt(table, l.day);
  table += t.day;
  table += '(';
  table += WeekdayName(t, l);
  table += ")</td></tr><tr><td>";
  table += t.time;
  table += "</td><td>";
  AppendInt(table, l.hour);
  table += t.hour;
  AppendInt(table, l.minute);
  table += t.minute;
  AppendInt(table, l.second);
  table += t.second;
  table += "</td></tr><tr><td>";
  table += t.speed;
  table += "</td><td>";
  // km/h is written as the log holds it; SpeedIn would round it first.
  const bool kmh = t.speedUnit == SpeedUnit::kKmh;
  AppendFixed(table, kmh ? mark.speed : SpeedIn(t.speedUnit, mark.speed, kValueDecimals), kValueDecimals);
  table += SpeedUnitLabel(t.speedUnit);
  table += "</td></tr><tr><td>";
  table += t.heading;
  table += "</td><td>";
  AppendFixed(table, mark.course, kValueDecimals);
  table += t.degree;
  table += "</td></tr></table>";
}

// The table holds language texts, which may hold any bytes.
void AppendDescription(std::string& out, const KmlMarkParts& parts, const DateTime& local, const KmlMark& mark) {
  out += "<description><![CDATA[";
  // Digits and English texts, the usual table, need no cleaning copy.
  if (parts.plainTable) {
    AppendDateTable(out, parts.texts, local, mark);
    out += "]]></description>";
    return;
  }
  std::string table;
  AppendDateTable(table, parts.texts, local, mark);
  const std::string clean = XmlCharacters(table);
  if (clean.find("]]>") == std::string::npos)
    out += clean;
  else
    out += CdataText(clean);
  out += "]]></description>";
}

std::string MarkStyle(std::string_view iconServer, bool event) {
  std::string style = "<Style>";
  AppendIconStyle(style, iconServer, event);
  style += "<heading>";
  return style;
}

}  // namespace

std::string KmlIconAddress(std::string_view server, bool event) {
  while (!server.empty() && server.back() == '/') server.remove_suffix(1);
  return std::string(server) + (event ? "/icon/arrow_r_2.png" : "/icon/arrow_r_1.png");
}

int KmlHeading(float course) {
  int heading = static_cast<int>(course);
  if (course > kHalfTurn && course <= kFullTurn) heading -= kFullTurn;
  return heading;
}

std::string KmlDocumentName(const KmlTexts& t, const DateTime& local) {
  std::string name;
  AppendInt(name, local.year);
  name += t.year + " ";
  AppendInt(name, local.month);
  name += t.month + " ";
  AppendInt(name, local.day);
  name += t.day + " (" + WeekdayName(t, local) + ")";
  return name;
}

void AppendKmlHeader(std::string& out, const KmlTexts& texts, const DateTime& documentTime, std::string_view iconServer,
                     const KmlLineStyle& line) {
  Line(out,
       std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?><kml xmlns=\"") + std::string(kKml21Namespace) + "\">");
  Line(out, "<Document><name>" + XmlText(KmlDocumentName(texts, documentTime)) + "</name>");
  Line(out, "<Style id=\"point_style\">");
  AppendIconStyle(out, iconServer, false);
  Line(out, "</IconStyle></Style>");
  Line(out, "<Style id=\"pointRec_style\">");
  AppendIconStyle(out, iconServer, true);
  Line(out, "</IconStyle></Style>");
  Line(out, "<Style id=\"line_style\">");
  std::string lineStyle = "<LineStyle><color>" + KmlColorText(line.opacity, line.color) + "</color><width>";
  AppendInt(lineStyle, line.width);
  Line(out, lineStyle + "</width></LineStyle></Style>");
}

void AppendKmlPointFolderStart(std::string& out, const KmlTexts& texts) {
  Line(out, "<Folder><name>" + XmlText(texts.pointer) + "</name>");
}

KmlMarkParts::KmlMarkParts(const KmlTexts& t, std::string_view iconServer)
    : texts(t),
      plainStyle(MarkStyle(iconServer, false)),
      eventStyle(MarkStyle(iconServer, true)),
      plainTable(PlainTableTexts(t)) {}

void AppendKmlPointMark(std::string& out, const KmlMarkParts& parts, const KmlMark& mark) {
  const DateTime local = TimeKeyToDateTime(mark.time / 1000 * 1000);
  const int heading = KmlHeading(mark.course);

  out += "<Placemark><name>";
  AppendTwoDigits(out, local.hour);
  out += ':';
  AppendTwoDigits(out, local.minute);
  out += ':';
  AppendTwoDigits(out, local.second);
  Line(out, "</name><Snippet/>");

  out += mark.event ? parts.eventStyle : parts.plainStyle;
  AppendInt(out, heading);
  Line(out, "</heading></IconStyle></Style>");

  out += "<Point><coordinates>";
  AppendFixed(out, mark.longitude, kCoordinateDecimals);
  out += ',';
  AppendFixed(out, mark.latitude, kCoordinateDecimals);
  Line(out, ",0</coordinates></Point>");

  AppendDescription(out, parts, local, mark);
  out += kLineEnd;

  out += "<LookAt><longitude>";
  AppendFixed(out, mark.longitude, kCoordinateDecimals);
  out += "</longitude><latitude>";
  AppendFixed(out, mark.latitude, kCoordinateDecimals);
  out += "</latitude><tilt>50</tilt><range>400</range><heading>";
  AppendInt(out, heading);
  Line(out, "</heading></LookAt>");
  Line(out, "</Placemark>");
}

void AppendKmlPointMark(std::string& out, const KmlTexts& texts, std::string_view iconServer, const KmlMark& mark) {
  AppendKmlPointMark(out, KmlMarkParts(texts, iconServer), mark);
}

void AppendKmlFolderEnd(std::string& out) { Line(out, "</Folder>"); }

void AppendKmlRoutePosition(std::string& route, double latitude, double longitude) {
  AppendFixed(route, longitude, kCoordinateDecimals);
  route += ',';
  AppendFixed(route, latitude, kCoordinateDecimals);
  route += ",0 ";
}

void AppendKmlRoute(std::string& out, const KmlTexts& texts, std::string_view routeText) {
  Line(out, "<Folder><name>" + XmlText(texts.route) + "</name>");
  Line(out, "<Placemark><name></name>");
  Line(out, "<styleUrl>#line_style</styleUrl>");
  Line(out, "<LineString id=\"CarRoute\"><tessellate>1</tessellate>");
  out += "<coordinates>";
  out += routeText;
  Line(out, "</coordinates></LineString>");
  Line(out, "</Placemark>");
  Line(out, "</Folder>");
}

void AppendKmlEnd(std::string& out) {
  Line(out, "</Document>");
  Line(out, "</kml>");
}
