#include "samplecard/SampleLogWriter.h"

#include <cmath>
#include <cstdio>

#include "platform/TimeKey.h"
#include "samplecard/SampleFiles.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr int kSatellitesPerGsv = 4;

std::string Format(const char* format, auto... args) {
  char text[256];
  const int length = std::snprintf(text, sizeof text, format, args...);
  return std::string(text, length < 0 ? 0 : static_cast<size_t>(length));
}

// A value with a fixed number of decimals, printed from its integer count of
// the last decimal so the text reads back as exactly the value recorded.
std::string Fixed(double value, int decimals) {
  const long long scale = decimals == 1 ? 10 : 100;
  const long long count = std::llround(std::fabs(value) * static_cast<double>(scale));
  const char* sign = value < 0 && count != 0 ? "-" : "";
  return Format(decimals == 1 ? "%s%lld.%01lld" : "%s%lld.%02lld", sign, count / scale, count % scale);
}

// ddmm.mmmm (or dddmm.mmmm) of the absolute value, as the receiver writes it.
std::string Coordinate(double ddmm, int degreeDigits) {
  const long long grid = std::llround(std::fabs(ddmm) * 10000.0);
  const long long degrees = grid / 1000000;
  const long long minutes = (grid / 10000) % 100;
  const long long fraction = grid % 10000;
  return Format(degreeDigits == 2 ? "%02lld%02lld.%04lld" : "%03lld%02lld.%04lld", degrees, minutes, fraction);
}

std::string UtcTime(const DateTime& t) {
  return Format("%02d%02d%02d.%03d", t.hour, t.minute, t.second, t.milliseconds);
}
std::string UtcDate(const DateTime& t) { return Format("%02d%02d%02d", t.day, t.month, t.year % 100); }

std::string Rmc(const SampleLogRecord& r) {
  if (!r.gpsValid) return "GPRMC," + UtcTime(r.utc) + ",V,,,,,,," + UtcDate(r.utc) + ",,,N";
  return "GPRMC," + UtcTime(r.utc) + ",A," + Coordinate(r.latitudeDdmm, 2) + (r.latitudeDdmm < 0 ? ",S," : ",N,") +
         Coordinate(r.longitudeDdmm, 3) + (r.longitudeDdmm < 0 ? ",W," : ",E,") + Fixed(r.speedKnots, 2) + "," +
         Fixed(r.course, 2) + "," + UtcDate(r.utc) + ",,,A";
}

std::string Gga(const SampleLogRecord& r) {
  const std::string sats = Format("%02d", r.satsUsed);
  if (!r.gpsValid) return "GPGGA," + UtcTime(r.utc) + ",,,,,0," + sats + ",,,M,,M,,";
  return "GPGGA," + UtcTime(r.utc) + "," + Coordinate(r.latitudeDdmm, 2) + (r.latitudeDdmm < 0 ? ",S," : ",N,") +
         Coordinate(r.longitudeDdmm, 3) + (r.longitudeDdmm < 0 ? ",W," : ",E,") + "1," + sats + "," + Fixed(r.hdop, 1) +
         "," + Fixed(r.altitude, 1) + ",M,47.0,M,,";
}

// All the $GPGSV messages of the second; the satellites' places in the sky
// follow from their number, so the same sky gives the same lines.
std::string Gsv(const SampleLogRecord& r) {
  const int inView = r.satsInView;
  const int messages = inView == 0 ? 1 : (inView + kSatellitesPerGsv - 1) / kSatellitesPerGsv;
  std::string lines;
  for (int m = 0; m < messages; ++m) {
    std::string body = Format("GPGSV,%d,%d,%02d", messages, m + 1, inView);
    for (int k = m * kSatellitesPerGsv; k < std::min(inView, (m + 1) * kSatellitesPerGsv); ++k) {
      const int prn = 1 + (k * 7 + 3) % 32;
      const int elevation = 10 + (k * 23) % 75;
      const int azimuth = (k * 47 + 15) % 360;
      const int snr = r.gpsValid && k < r.satsUsed ? 30 + (k * 11) % 18 : 12 + (k * 5) % 10;
      body += Format(",%02d,%02d,%03d,%02d", prn, elevation, azimuth, snr);
    }
    lines += SampleNmeaLine(body);
  }
  return lines;
}

std::string Data(const SampleLogRecord& r) {
  const DateTime local = TimeKeyToDateTime(r.localSeconds * 1000);
  return Format("KXDRL,%d,%d,%d,%d,%d,%02d%02d%02d%03d,%02d%02d%02d,%d,%d", r.sequence, r.valueA, r.gX, r.gY, r.gZ,
                local.hour, local.minute, local.second, local.milliseconds, local.day, local.month, local.year % 100,
                r.signal, r.pulse);
}

}  // namespace

std::string SampleNmeaLine(std::string_view body) {
  unsigned checksum = 0;
  for (char c : body) checksum ^= static_cast<unsigned char>(c);
  // Appended rather than "$" + string: GCC 12 reports a false -Wrestrict
  // overlap for a literal prepended to a temporary string.
  return std::string("$").append(body).append(Format("*%02X\r\n", checksum));
}

std::string BuildSampleLogText(const SampleLog& log) {
  std::string text;
  if (log.byteOrderMark) text += kByteOrderMark;
  text += SampleNmeaLine(Format("KXDRL3,%d,", log.headerValue) + log.drid + "," + log.sdid +
                         Format(",%d,%d,%d,%d", log.calibration.angle, log.calibration.offsetX, log.calibration.offsetY,
                                log.calibration.offsetZ));
  for (const SampleLogRecord& record : log.records) {
    text += SampleNmeaLine(Rmc(record));
    text += SampleNmeaLine(Gga(record));
    text += Gsv(record);
    text += SampleNmeaLine(Data(record));
  }
  return text;
}

bool WriteSampleLog(const std::filesystem::path& folder, SampleLog* log, std::string* error) {
  if (log->records.empty()) {
    if (error) *error = "a log needs at least one record";
    return false;
  }
  const DateTime first = TimeKeyToDateTime(log->records.front().localSeconds * 1000);
  log->path = folder / (SampleFileStem(log->number, first) + ".log");
  const std::string text = BuildSampleLogText(*log);
  log->bytes = text.size();
  return WriteSampleFile(log->path, text, error);
}
