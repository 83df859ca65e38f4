// korvane-cli log FILE.log [--json|--csv]: a log recording, record by record.

#include <cstdio>

#include "cli/CliCommon.h"
#include "cli/CliLoad.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "cli/PrintableText.h"
#include "cli/RecordingCommand.h"
#include "platform/TimeKey.h"

namespace {

Json RecordJson(int index, const FRAMEINFOLOG& r) {
  return Json{{"index", index},
              {"time_ms", r.time},
              {"gps_valid", r.gpsValid},
              {"lat", r.lat},
              {"lon", r.lon},
              {"altitude", JsonFloat(r.altitude)},
              {"speed", JsonFloat(r.speed)},
              {"course", JsonFloat(r.course)},
              {"sats_used", r.satsUsed},
              {"dop", JsonFloat(r.dop)},
              {"sats_view", r.satsInView},
              {"gps_time", DateTimeJson(r.gpsTime)},
              {"value_a", r.valueA},
              {"g", Json::array({JsonFloat(r.gX), JsonFloat(r.gY), JsonFloat(r.gZ)})},
              {"signal", r.signal},
              {"pulse", r.pulse}};
}

Json LogJson(const std::string& path, LoadStatus status, const CInfoLogFile& log) {
  Json records = Json::array();
  for (int i = 0; i < log.RecordCount(); ++i) records.push_back(RecordJson(i, *log.Record(i)));
  return Json{{"path", path},
              {"status", static_cast<int>(status)},
              {"header_value", log.HeaderValue()},
              {"drid", log.Drid()},
              {"sdid", log.Sdid()},
              {"angle", log.Angle()},
              {"offsets", Json::array({JsonFloat(log.OffsetX()), JsonFloat(log.OffsetY()), JsonFloat(log.OffsetZ())})},
              {"records", std::move(records)}};
}

constexpr const char* kCsvHeader =
    "index,time_ms,date_time,gps_valid,lat,lon,altitude,speed,course,sats_used,dop,sats_view,value_a,g_x,g_y,g_z,"
    "signal,pulse";

void PrintCsv(const CInfoLogFile& log) {
  std::cout << kCsvHeader << "\n";
  for (int i = 0; i < log.RecordCount(); ++i) {
    const FRAMEINFOLOG& r = *log.Record(i);
    std::cout << i << ',' << r.time << ',' << FormatDateTime(TimeKeyToDateTime(r.time)) << ',' << int(r.gpsValid) << ','
              << FormatNumber(r.lat) << ',' << FormatNumber(r.lon) << ',' << FormatNumber(JsonFloat(r.altitude)) << ','
              << FormatNumber(JsonFloat(r.speed)) << ',' << FormatNumber(JsonFloat(r.course)) << ',' << int(r.satsUsed)
              << ',' << FormatNumber(JsonFloat(r.dop)) << ',' << int(r.satsInView) << ',' << int(r.valueA) << ','
              << FormatNumber(JsonFloat(r.gX)) << ',' << FormatNumber(JsonFloat(r.gY)) << ','
              << FormatNumber(JsonFloat(r.gZ)) << ',' << int(r.signal) << ',' << r.pulse << "\n";
  }
}

void PrintText(const std::string& path, const CInfoLogFile& log, SpeedUnit unit) {
  std::printf("%s\n", Printable(path).c_str());
  std::printf("  %d records, header value %d\n", log.RecordCount(), log.HeaderValue());
  std::printf("  recorder %s, card %s, install angle %d, offsets %.3f %.3f %.3f g\n", OrDash(log.Drid()).c_str(),
              OrDash(log.Sdid()).c_str(), log.Angle(), log.OffsetX(), log.OffsetY(), log.OffsetZ());
  std::printf("  %6s  %-23s %-23s %6s %6s %8s %8s %8s %4s\n", "record", "time", "position",
              std::string(SpeedUnitLabel(unit)).c_str(), "course", "g x", "g y", "g z", "sig");
  for (int i = 0; i < log.RecordCount(); ++i) {
    const FRAMEINFOLOG& r = *log.Record(i);
    char position[32] = "no fix";
    if (r.gpsValid) std::snprintf(position, sizeof position, "%.6f,%.6f", r.lat, r.lon);
    // km/h is printed as the log holds it; SpeedIn would round it first.
    const double speed = unit == SpeedUnit::kKmh ? r.speed : SpeedIn(unit, r.speed, 1);
    std::printf("  %6d  %-23s %-23s %6.1f %6.1f %8.3f %8.3f %8.3f %4d\n", i,
                FormatDateTime(TimeKeyToDateTime(r.time)).c_str(), position, speed, r.course, r.gX, r.gY, r.gZ,
                r.signal);
  }
}

}  // namespace

void AddLogCommand(CLI::App& app, int& exitStatus) {
  AddRecordingCommand<CInfoLogFile>(app, exitStatus,
                                    {"log", "Load a log recording (.log) and print its records", "the log file (.log)",
                                     "print CSV, one row per record"},
                                    {LoadLogForCli, LogJson, PrintCsv, PrintText});
}
