#include "samplecard/SampleTelemetry.h"

#include <algorithm>
#include <cmath>
#include <ctime>

#include "platform/TimeKey.h"
#include "samplecard/SampleCommentBlock.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kKnotsPerKmh = 1.0 / 1.852;
// k of the speed-pulse types 0..5.
constexpr double kPulseFactor[] = {0.5, 0.25, 0.125, 0.0625, 1.0 / 20.0, 1.0 / 25.0};
constexpr int kFrameNumbersPerSecond = 30;

int16_t ClampS16(double v) { return static_cast<int16_t>(std::clamp(std::lround(v), -32768L, 32767L)); }

// Ten-thousandths of a minute of a coordinate's absolute value.
int64_t TenThousandthsOfMinute(double degrees) { return std::llround(std::fabs(degrees) * 60.0 * 10000.0); }

// The coordinate as the log's fixed-width ddmm.mmmm field reads back.
double LogDegrees(double degrees) {
  const int64_t total = TenThousandthsOfMinute(degrees);
  const int64_t whole = total / 600000;
  const int64_t minutes = (total % 600000) / 10000;
  const int64_t fraction = total % 10000;
  const double seconds = static_cast<double>(fraction) * 60.0 / 10000.0;
  const double value = (seconds / 60.0 + static_cast<double>(minutes)) / 60.0 + static_cast<double>(whole);
  return degrees < 0 ? -value : value;
}

DateTime UtcOf(int64_t epochSeconds) {
  const auto when = static_cast<std::time_t>(epochSeconds);
  std::tm t{};
  gmtime_r(&when, &t);
  return NormalizeUtc(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec, 0);
}

double Hundredths(double v) { return static_cast<double>(std::llround(v * 100.0)) / 100.0; }
double Tenths(double v) { return static_cast<double>(std::llround(v * 10.0)) / 10.0; }

}  // namespace

uint16_t SamplePulsesForSpeed(double kmh, int pulseType) {
  if (pulseType < 0 || pulseType > 5 || kmh <= 0) return 0;
  const double pulses = kmh * 637.0 / (3600.0 * kPulseFactor[pulseType]);
  return static_cast<uint16_t>(std::min(65535L, std::lround(pulses)));
}

std::array<int16_t, 3> SampleRawG(double gX, double gY, double gZ, const SampleCalibration& calibration) {
  const double theta = calibration.angle * kPi / 180.0;
  const double c = std::cos(theta);
  const double s = std::sin(theta);
  const bool hasOffsets = calibration.offsetX != 0 || calibration.offsetY != 0 || calibration.offsetZ != 0;
  // The reader turns a raw vector r into (r.x c - r.z s, r.y, r.z c + r.x s);
  // the sensor therefore sees the true vector turned the other way. With
  // offsets, the reader subtracts the turned offsets and adds back 1 g, so
  // the sensor's reading at rest is the offsets themselves.
  const double z = hasOffsets ? gZ - 1.0 : gZ;
  double rx = (gX * c + z * s) * 1000.0;
  double ry = gY * 1000.0;
  double rz = (-gX * s + z * c) * 1000.0;
  if (hasOffsets) {
    rx += calibration.offsetX;
    ry += calibration.offsetY;
    rz += calibration.offsetZ;
  }
  return {ClampS16(rx), ClampS16(ry), ClampS16(rz)};
}

double SampleDegreesToDdmm(double degrees) {
  const int64_t total = TenThousandthsOfMinute(degrees);
  const int64_t grid = (total / 600000) * 1000000 + total % 600000;
  const double value = static_cast<double>(grid) / 10000.0;
  return degrees < 0 ? -value : value;
}

std::vector<SampleFrame> MakeSampleFrames(const SampleRoute& route, const SampleFramePlan& plan) {
  std::vector<SampleFrame> frames;
  if (plan.frameCount <= 0 || plan.fps <= 0) return frames;
  frames.reserve(static_cast<size_t>(plan.frameCount));
  for (int i = 0; i < plan.frameCount; ++i) {
    const int second = i / plan.fps;
    const int frameNumber = (i % plan.fps) * kFrameNumbersPerSecond / plan.fps;
    const int milliseconds = frameNumber * 1000 / kFrameNumbersPerSecond;
    const int64_t driveMs = plan.driveStartMs + static_cast<int64_t>(second) * 1000 + milliseconds;
    const SampleDriveState state = route.At(driveMs);

    SampleFrame frame;
    frame.time = TimeKeyToDateTime(plan.startEpochSeconds * 1000 + driveMs);
    frame.frameNumber = static_cast<uint8_t>(frameNumber);
    frame.frameRate = static_cast<uint16_t>(plan.fps);
    if (plan.triggerFrame < 0)
      frame.kind = 1;
    else
      frame.kind = i >= plan.triggerFrame ? 3 : 2;
    const std::array<int16_t, 3> raw = SampleRawG(state.gX, state.gY, state.gZ, plan.calibration);
    frame.gX = raw[0];
    frame.gY = raw[1];
    frame.gZ = raw[2];
    frame.gpsValid = state.gpsValid;
    if (state.gpsValid) {
      frame.latitude = SampleDegreesToDdmm(state.latitude);
      frame.longitude = SampleDegreesToDdmm(state.longitude);
      frame.speed = static_cast<uint16_t>(std::min(255L, std::lround(state.speed)));
      frame.altitude = static_cast<uint16_t>(std::max(0L, std::lround(state.altitude)));
      frame.course = static_cast<uint16_t>(std::lround(state.course) % 360);
    }
    frame.signal = state.signal;
    frame.pulse = SamplePulsesForSpeed(state.speed, plan.pulseType);
    frame.eventBits = plan.eventCode;
    frame.sceneDistance = state.distance;
    frame.sceneHeading = state.heading;
    frame.sceneCurvature = state.curvature;
    frame.sceneSpeed = state.speed;
    AvoidEndMarkerInBlock(&frame);
    frames.push_back(frame);
  }
  return frames;
}

std::vector<SampleLogRecord> MakeSampleLogRecords(const SampleRoute& route, const SampleLogPlan& plan) {
  std::vector<SampleLogRecord> records;
  if (plan.recordCount <= 0) return records;
  records.reserve(static_cast<size_t>(plan.recordCount));
  for (int i = 0; i < plan.recordCount; ++i) {
    const int second = plan.driveStartSecond + i;
    const SampleDriveState state = route.At(static_cast<int64_t>(second) * 1000);
    SampleLogRecord record;
    record.localSeconds = plan.startEpochSeconds + second;
    record.utc = UtcOf(record.localSeconds);
    record.sequence = i + 1;
    record.valueA = plan.valueA;
    const std::array<int16_t, 3> raw = SampleRawG(state.gX, state.gY, state.gZ, plan.calibration);
    record.gX = raw[0];
    record.gY = raw[1];
    record.gZ = raw[2];
    record.gpsValid = state.gpsValid;
    if (state.gpsValid) {
      record.latitudeDdmm = SampleDegreesToDdmm(state.latitude);
      record.longitudeDdmm = SampleDegreesToDdmm(state.longitude);
      record.latitude = LogDegrees(state.latitude);
      record.longitude = LogDegrees(state.longitude);
      record.speedKnots = Hundredths(state.speed * kKnotsPerKmh);
      const double course = Hundredths(state.course);
      record.course = course >= 360.0 ? 0.0 : course;
      record.altitude = Tenths(state.altitude);
      record.hdop = Tenths(state.hdop);
    }
    record.satsUsed = state.satsUsed;
    record.satsInView = state.satsInView;
    record.signal = state.signal;
    record.pulse = SamplePulsesForSpeed(state.speed, plan.pulseType);
    records.push_back(record);
  }
  return records;
}
