#include "export/PrintBlock.h"

#include <cstdio>
#include <iterator>

#include "base/MgrMultiLang.h"
#include "base/ModelTable.h"
#include "export/NumberText.h"
#include "recording/MgrDBSearch.h"
#include "telemetry/DigitCells.h"

namespace {

constexpr std::string_view kGui = "GUI";
constexpr const char* kDegree = "\xC2\xB0";  // U+00B0
constexpr const char* kNoClock = ": ----.--.--(-) --:--:--";
constexpr uint8_t kBrakeBit = 0x01;
constexpr uint8_t kEmergencyBit = 0x02;
constexpr const char* kWeekdayKeys[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
constexpr int kWeekdays = static_cast<int>(std::size(kWeekdayKeys));

template <typename... Args>
std::string Format(const char* format, Args... args) {
  char text[256];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

void Load(std::string& text, const char* key) { text = GetLangText(kGui, key, text); }

char HemisphereOr(char hemisphere, char fallback) { return hemisphere == 0 ? fallback : hemisphere; }

// "%05.2f" whatever the process's locale.
std::string SecondsText(float seconds) {
  std::string text = FixedText(static_cast<double>(seconds), 2);
  if (text.size() < 5) text.insert(0, 5 - text.size(), '0');
  return text;
}

std::string AccelerationText(const FRAMEINFOVIDEO& frame) {
  return ": X " + FixedText(frame.gX, 2) + " , Y " + FixedText(frame.gY, 2) + " , Z " + FixedText(frame.gZ, 2);
}

}  // namespace

PrintTexts LoadPrintTexts() {
  PrintTexts t;
  Load(t.drid, "DRID");
  Load(t.sdid, "SDID");
  Load(t.fileName, "FileName");
  Load(t.frameNo, "FrameNo");
  Load(t.frameTime, "FrameTime");
  Load(t.recorderClock, "RecorderClock");
  Load(t.gpsTime, "GPSTime");
  Load(t.gpsClock, "GPSClock");
  Load(t.acceleration, "Acceleration");
  Load(t.gpsCoord, "GPSCoord");
  Load(t.datum, "DatumWGS84");
  Load(t.speed, "Speed");
  Load(t.carPulse, "CarPulse");
  Load(t.pulse, "Pulse");
  Load(t.second, "Second");
  Load(t.carSignal, "CarSignal");
  Load(t.brake, "Brake");
  Load(t.emergency, "Emergency");
  Load(t.turnLeft, "TurnLeft");
  Load(t.turnRight, "TurnRight");
  for (int i = 0; i < kWeekdays; ++i) Load(t.weekdays[i], kWeekdayKeys[i]);
  return t;
}

std::string PrintClockText(const PrintTexts& texts, const DateTime* time) {
  if (time == nullptr) return kNoClock;
  const DateTime& t = *time;
  const char* weekday = t.dayOfWeek < kWeekdays ? texts.weekdays[t.dayOfWeek].c_str() : "-";
  return Format(": %d.%.2d.%.2d(%s)  %.2d:%.2d:%.2d", t.year, t.month, t.day, weekday, t.hour, t.minute, t.second);
}

std::string PrintLatitudeText(const GpsBlock& gps) {
  if (gps.valid == 0) return Format(" --%s--' --.--\" N", kDegree);
  return Format(" %.2d%s%.2d' %s\" %c", gps.latDeg, kDegree, gps.latMin, SecondsText(gps.latSec).c_str(),
                HemisphereOr(gps.latHemi, 'N'));
}

std::string PrintLongitudeText(const GpsBlock& gps) {
  if (gps.valid == 0) return Format("---%s--' --.--\" E", kDegree);
  return Format("%.3d%s%.2d' %s\" %c", gps.lonDeg, kDegree, gps.lonMin, SecondsText(gps.lonSec).c_str(),
                HemisphereOr(gps.lonHemi, 'E'));
}

std::string PrintFooterText(int page, int pageCount) { return Format("- %d / %d -", page, pageCount); }

PrintBlock MakePrintBlock(const PrintTexts& texts, const PrintBlockSource& source, const FRAMEINFOVIDEO& frame,
                          int frameIndex, const DateTime* gpsTime) {
  PrintBlock block;
  block.frame = frameIndex;
  auto& lines = block.lines;
  const bool fix = frame.gps.valid != 0;
  lines.push_back({texts.drid, ": " + source.drid});
  lines.push_back({texts.sdid, ": " + source.sdid});
  lines.push_back({texts.fileName, ": " + source.fileName});
  lines.push_back({texts.frameNo, Format(": %d/%d", frameIndex + 1, source.frameCount)});
  lines.push_back({texts.frameTime, ""});
  lines.push_back({texts.recorderClock, PrintClockText(texts, &frame.time), true});
  lines.push_back({texts.gpsTime, ""});
  lines.push_back({texts.gpsClock, PrintClockText(texts, gpsTime), true});
  lines.push_back({texts.acceleration, AccelerationText(frame)});
  lines.push_back({texts.gpsCoord, ""});
  lines.push_back({texts.datum, ": WGS84", true});
  lines.push_back({"", PrintLatitudeText(frame.gps), true});
  lines.push_back({"", PrintLongitudeText(frame.gps), true});
  const std::string unit(SpeedUnitLabel(source.speedUnit));
  lines.push_back({texts.speed, fix ? ": " + WholeSpeedText(source.speedUnit, frame.gps.speed) : ": - " + unit});
  if (!IsMxHModel(source.model)) return block;
  const int pulseKmh = CMgrDBSearch::PulseToKmhFor(source.pulseType, frame.pulse);
  lines.push_back({texts.carPulse, ": " + WholeSpeedText(source.speedUnit, pulseKmh) +
                                       Format(" [%d %s/%s]", frame.pulse, texts.pulse.c_str(), texts.second.c_str())});
  lines.push_back({texts.carSignal, "", false, true});
  block.lamps = {{texts.brake, (frame.signal & kBrakeBit) != 0},
                 {texts.emergency, (frame.signal & kEmergencyBit) != 0},
                 {texts.turnLeft, (frame.signal & kLeftLampBit) != 0},
                 {texts.turnRight, (frame.signal & kRightLampBit) != 0}};
  return block;
}
