#include "export/GpxDocument.h"

#include "export/NumberText.h"
#include "platform/XmlText.h"

namespace {

constexpr int kCoordinateDecimals = 7;
constexpr int kValueDecimals = 2;
constexpr int kGDecimals = 3;
constexpr double kKmhPerMetrePerSecond = 3.6;

void Element(std::string& out, std::string_view name, double value, int decimals) {
  out += '<';
  out += name;
  out += '>';
  AppendFixed(out, value, decimals);
  out += "</";
  out += name;
  out += '>';
}

void Element(std::string& out, std::string_view name, int value) {
  out += '<';
  out += name;
  out += '>';
  AppendInt(out, value);
  out += "</";
  out += name;
  out += '>';
}

}  // namespace

void AppendGpxStart(std::string& out) {
  out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  out += "<gpx version=\"1.1\" creator=\"Korvane " KORVANE_VERSION "\" xmlns=\"";
  out += kGpx11Namespace;
  out += "\" xmlns:gpxtpx=\"";
  out += kGarminTrackPointNamespace;
  out += "\" xmlns:korvane=\"";
  out += kKorvaneGpxNamespace;
  out += "\">\n";
}

void AppendGpxTrackStart(std::string& out, std::string_view name) {
  out += "<trk><name>" + XmlText(name) + "</name><trkseg>\n";
}

void AppendGpxPoint(std::string& out, const TrackPoint& p) {
  if (!p.fix) return;
  out += "<trkpt lat=\"";
  AppendFixed(out, p.latitude, kCoordinateDecimals);
  out += "\" lon=\"";
  AppendFixed(out, p.longitude, kCoordinateDecimals);
  out += "\">";
  if (p.hasTime) out += "<time>" + IsoLocalTime(p.timeKey) + "</time>";
  out += "<extensions><gpxtpx:TrackPointExtension>";
  Element(out, "gpxtpx:speed", p.gpsSpeed / kKmhPerMetrePerSecond, kValueDecimals + 1);
  Element(out, "gpxtpx:course", p.course, kValueDecimals);
  out += "</gpxtpx:TrackPointExtension>";
  Element(out, "korvane:gpsSpeed", p.gpsSpeed, kValueDecimals);
  Element(out, "korvane:course", p.course, kValueDecimals);
  Element(out, "korvane:gX", p.gX, kGDecimals);
  Element(out, "korvane:gY", p.gY, kGDecimals);
  Element(out, "korvane:gZ", p.gZ, kGDecimals);
  Element(out, "korvane:lamps", p.lamps);
  if (p.pulseSpeed) Element(out, "korvane:pulseSpeed", *p.pulseSpeed);
  out += "</extensions></trkpt>\n";
}

void AppendGpxTrackEnd(std::string& out) { out += "</trkseg></trk>\n"; }

void AppendGpxEnd(std::string& out) { out += "</gpx>\n"; }
