// korvane-cli frames FILE.vdd [--json|--csv]: a video recording, frame by frame.

#include <cstdio>

#include "cli/CliCommon.h"
#include "cli/CliLoad.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "cli/PrintableText.h"
#include "cli/RecordingCommand.h"
#include "platform/TimeKey.h"
#include "recording/EventCodes.h"

namespace {

std::string Hemisphere(char letter) { return letter ? std::string(1, letter) : std::string(); }

Json GpsJson(const GpsBlock& gps) {
  return Json{{"valid", gps.valid},
              {"lat_hemi", Hemisphere(gps.latHemi)},
              {"lat_deg", gps.latDeg},
              {"lat_min", gps.latMin},
              {"lat_sec", JsonFloat(gps.latSec)},
              {"lon_hemi", Hemisphere(gps.lonHemi)},
              {"lon_deg", gps.lonDeg},
              {"lon_min", gps.lonMin},
              {"lon_sec", JsonFloat(gps.lonSec)},
              {"speed", gps.speed},
              {"altitude", gps.altitude},
              {"course", gps.course},
              {"lat", static_cast<double>(gps.LatitudeDegrees())},
              {"lon", static_cast<double>(gps.LongitudeDegrees())}};
}

Json FrameJson(int index, const FRAMEINFOVIDEO& f) {
  return Json{{"index", index},
              {"offset", f.dataOffset},
              {"size", f.dataSize},
              {"time", DateTimeJson(f.time)},
              {"time_key", MakeTimeKey(f.time)},
              {"kind", f.frameKind},
              {"g", Json::array({JsonFloat(f.gX), JsonFloat(f.gY), JsonFloat(f.gZ)})},
              {"gps", GpsJson(f.gps)},
              {"signal", f.signal},
              {"pulse", f.pulse},
              {"event", f.eventBits}};
}

Json RecordingJson(const std::string& path, LoadStatus status, const CInfoEventFile& r) {
  Json frames = Json::array();
  for (int i = 0; i < r.FrameCount(); ++i) frames.push_back(FrameJson(i, r.Frame(i)));
  return Json{{"path", path},
              {"status", static_cast<int>(status)},
              {"source", FrameSourceName(r.Source())},
              {"frames_from_data_file", r.FramesFromDataFile()},
              {"identity_flag", r.IdentityFlag()},
              {"attr_a", r.AttributeA()},
              {"event_code", r.EventCode()},
              {"record_format", r.RecordFormat()},
              {"attr_b", r.AttributeB()},
              {"angle", r.InstallAngle()},
              {"drid", r.Drid()},
              {"sdid", r.Sdid()},
              {"ext_event_code", r.ExtendedEventCode()},
              {"attr_c", r.AttributeC()},
              {"attr_d", r.AttributeD()},
              {"offsets", Json::array({JsonFloat(r.OffsetX()), JsonFloat(r.OffsetY()), JsonFloat(r.OffsetZ())})},
              {"event_name", EventName(r.EventCode(), r.ExtendedEventCode())},
              {"duration_text", r.GetDurationText()},
              {"frames", std::move(frames)}};
}

constexpr const char* kCsvHeader =
    "index,offset,size,date_time,time_key,kind,g_x,g_y,g_z,gps_valid,lat,lon,speed,altitude,course,signal,pulse,"
    "event";

void PrintCsv(const CInfoEventFile& r) {
  std::cout << kCsvHeader << "\n";
  for (int i = 0; i < r.FrameCount(); ++i) {
    const FRAMEINFOVIDEO& f = r.Frame(i);
    std::cout << i << ',' << f.dataOffset << ',' << f.dataSize << ',' << FormatDateTime(f.time) << ','
              << MakeTimeKey(f.time) << ',' << int(f.frameKind) << ',' << FormatNumber(JsonFloat(f.gX)) << ','
              << FormatNumber(JsonFloat(f.gY)) << ',' << FormatNumber(JsonFloat(f.gZ)) << ',' << int(f.gps.valid) << ','
              << FormatNumber(f.gps.LatitudeDegrees()) << ',' << FormatNumber(f.gps.LongitudeDegrees()) << ','
              << f.gps.speed << ',' << f.gps.altitude << ',' << f.gps.course << ',' << int(f.signal) << ',' << f.pulse
              << ',' << int(f.eventBits) << "\n";
  }
}

void PrintText(const std::string& path, const CInfoEventFile& r, SpeedUnit unit) {
  std::printf("%s\n", Printable(path).c_str());
  std::printf("  frames from %s, %d frames, %s\n", FrameSourceName(r.Source()), r.FrameCount(),
              Printable(r.GetDurationText()).c_str());
  if (r.FramesFromDataFile() > 0)
    std::printf("  the index ends before the data file: %d frames read from the data file\n", r.FramesFromDataFile());
  const std::string name = EventName(r.EventCode(), r.ExtendedEventCode());
  std::printf("  event code %d (%s), extended code %d\n", r.EventCode(), Printable(name).c_str(),
              r.ExtendedEventCode());
  std::printf("  recorder %s, card %s, install angle %d, offsets %.3f %.3f %.3f g\n", OrDash(r.Drid()).c_str(),
              OrDash(r.Sdid()).c_str(), r.InstallAngle(), r.OffsetX(), r.OffsetY(), r.OffsetZ());
  std::printf("  %6s  %-23s %4s %8s %8s %8s  %-23s %5s %4s %4s\n", "frame", "time", "kind", "g x", "g y", "g z",
              "position", std::string(SpeedUnitLabel(unit)).c_str(), "sig", "evt");
  for (int i = 0; i < r.FrameCount(); ++i) {
    const FRAMEINFOVIDEO& f = r.Frame(i);
    char position[32] = "no fix";
    if (f.gps.valid) {
      std::snprintf(position, sizeof position, "%.6f,%.6f", f.gps.LatitudeDegrees(), f.gps.LongitudeDegrees());
    }
    std::printf("  %6d  %-23s %4d %8.3f %8.3f %8.3f  %-23s %5d %4d %4d\n", i, FormatDateTime(f.time).c_str(),
                f.frameKind, f.gX, f.gY, f.gZ, position, WholeSpeed(unit, f.gps.speed), f.signal, f.eventBits);
  }
}

}  // namespace

void AddFramesCommand(CLI::App& app, int& exitStatus) {
  AddRecordingCommand<CInfoEventFile>(app, exitStatus,
                                      {"frames", "Load a video recording (.vdd) and print its frames",
                                       "the recording's data file (.vdd)", "print CSV, one row per frame"},
                                      {LoadVideoForCli, RecordingJson, PrintCsv, PrintText});
}
