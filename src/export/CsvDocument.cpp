#include "export/CsvDocument.h"

#include "export/NumberText.h"

namespace {

constexpr int kCoordinateDecimals = 7;
constexpr int kValueDecimals = 2;
constexpr int kGDecimals = 3;

}  // namespace

void AppendCsvRow(std::string& out, const TrackPoint& p) {
  if (p.hasTime) out += IsoLocalTime(p.timeKey);
  out += ',';
  if (p.fix) {
    AppendFixed(out, p.latitude, kCoordinateDecimals);
    out += ',';
    AppendFixed(out, p.longitude, kCoordinateDecimals);
    out += ',';
    AppendFixed(out, p.gpsSpeed, kValueDecimals);
    out += ',';
    AppendFixed(out, p.course, kValueDecimals);
  } else {
    out += ",,,";
  }
  out += ',';
  AppendFixed(out, p.gX, kGDecimals);
  out += ',';
  AppendFixed(out, p.gY, kGDecimals);
  out += ',';
  AppendFixed(out, p.gZ, kGDecimals);
  out += ',';
  AppendInt(out, p.lamps);
  out += ',';
  if (p.pulseSpeed) AppendInt(out, *p.pulseSpeed);
  out += '\n';
}
