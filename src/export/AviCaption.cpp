#include "export/AviCaption.h"

#include <cstdio>
#include <iterator>

#include "base/DisplaySpeed.h"
#include "base/MgrMultiLang.h"
#include "recording/MgrDBSearch.h"

namespace {

constexpr int kMarginX = 4;
// Pictures up to this width have no room for the speed beside the date:
// it goes to the right, above the position.
constexpr int kNarrowPicture = 320;
constexpr int kNarrowSpeedRaise = 35;
constexpr int kLatitudeRaise = 18;

constexpr const char* kCourseKeys[] = {"CourseN", "CourseNE", "CourseE", "CourseSE",
                                       "CourseS", "CourseSW", "CourseW", "CourseNW"};
constexpr int kCourseSectors = static_cast<int>(std::size(kCourseKeys));
constexpr double kSectorWidth = 45.0;
constexpr double kHalfSector = 22.5;
constexpr int kFullCircle = 360;

// U+02DA, U+2019, U+201D in UTF-8.
constexpr const char* kDegreeMark = "\xCB\x9A";
constexpr const char* kMinuteMark = "\xE2\x80\x99";
constexpr const char* kSecondMark = "\xE2\x80\x9D";

template <typename... Args>
std::string Format(const char* format, Args... args) {
  char text[128];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

const std::string& CourseWord(const AviCaptionTexts& texts, int course) {
  static const std::string kOutside = "X";
  if (course < 0 || course >= kFullCircle) return kOutside;
  const int sector = static_cast<int>((course + kHalfSector) / kSectorWidth) % kCourseSectors;
  return texts.courses[sector];
}

std::string DateTimeText(const DateTime& t) {
  return Format("%d.%.2d.%.2d %.2d:%.2d:%.2d", t.year, t.month, t.day, t.hour, t.minute, t.second);
}

// The speed line's text; empty when the frame has none.
std::string SpeedText(const AviCaptionContext& context, const FRAMEINFOVIDEO& frame) {
  const bool pulseSource = context.speedSource.displaySpeed == kDisplaySpeedPulse;
  const int kmh =
      context.speedSource.UsesPulse() ? CMgrDBSearch::PulseToKmhFor(context.pulseType, frame.pulse) : frame.gps.speed;
  const std::string speed = WholeSpeedText(context.speedSource.unit, kmh);
  if (!context.recordingHasGps) return pulseSource ? speed + " (T)" : std::string();
  if (frame.gps.valid == 0) return context.texts.noGpsSignal;
  const std::string& course = CourseWord(context.texts, frame.gps.course);
  return speed + (pulseSource ? " (T), [" : ", [") + course + "]";
}

std::string PositionText(const char* degreesFormat, int degrees, int minutes, float seconds, char hemisphere) {
  const std::string format = std::string(degreesFormat) + "%s %.2d%s %05.2f%s %c";
  return Format(format.c_str(), degrees, kDegreeMark, minutes, kMinuteMark, static_cast<double>(seconds), kSecondMark,
                hemisphere);
}

}  // namespace

AviCaptionTexts LoadAviCaptionTexts() {
  AviCaptionTexts texts;
  texts.noGpsSignal = GetLangText("GUI", "GpsSignalInvalid", texts.noGpsSignal);
  for (int i = 0; i < kCourseSectors; ++i) texts.courses[i] = GetLangText("GUI", kCourseKeys[i], texts.courses[i]);
  return texts;
}

std::vector<CaptionLine> LayOutAviCaption(const AviCaptionContext& context, const FRAMEINFOVIDEO& frame, int width,
                                          int height) {
  std::vector<CaptionLine> texts;
  const int lastLine = height - 1;
  const int right = width - kMarginX;
  if (context.items.dateTime) {
    texts.push_back({DateTimeText(frame.time), CaptionAlign::kLeft, kMarginX, lastLine, -1});
  }
  if (context.items.speed) {
    std::string speed = SpeedText(context, frame);
    if (!speed.empty()) {
      if (width > kNarrowPicture) {
        texts.push_back({std::move(speed), CaptionAlign::kCenter, width / 2, lastLine, -1});
      } else {
        texts.push_back({std::move(speed), CaptionAlign::kRight, right, lastLine - kNarrowSpeedRaise, -1});
      }
    }
  }
  if (context.items.vehicleId && !context.vehicleId.empty()) {
    texts.push_back({context.vehicleId, CaptionAlign::kLeft, kMarginX, -1, 0});
  }
  if (context.items.position) {
    const GpsBlock& gps = frame.gps;
    if (gps.valid == 0) {
      texts.push_back({context.texts.noGpsSignal, CaptionAlign::kRight, right, lastLine, -1});
    } else {
      texts.push_back({PositionText("%.3d", gps.lonDeg, gps.lonMin, gps.lonSec, gps.lonHemi), CaptionAlign::kRight,
                       right, lastLine, -1});
      texts.push_back({PositionText("%.2d", gps.latDeg, gps.latMin, gps.latSec, gps.latHemi), CaptionAlign::kRight,
                       right, lastLine - kLatitudeRaise, -1});
    }
  }
  return texts;
}
