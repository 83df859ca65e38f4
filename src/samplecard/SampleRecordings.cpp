#include "samplecard/SampleRecordings.h"

#include <algorithm>

#include "platform/TimeKey.h"
#include "samplecard/SampleIndexWriter.h"
#include "samplecard/SampleTelemetry.h"

namespace {

constexpr uint8_t kAttributeA = 1;
constexpr uint8_t kAttributeBFormatA1 = 1;
constexpr uint8_t kAttributeBFormatA2 = 101;  // what the recorder pairs with record format 2

bool HasTrailer(SampleIndexVariant variant) {
  return variant == SampleIndexVariant::kTrailer92 || variant == SampleIndexVariant::kTrailer26;
}

// Whether a reader takes the angle and offsets from this index, so that the
// raw values must be made for them; otherwise raw values are plain g x 1000.
bool IndexCalibrates(const SampleVideoSpec& spec) {
  return HasTrailer(spec.variant) && spec.identityFlag != 0 && spec.damage == SampleIndexDamage::kNone;
}

// The second of an event recording that its trigger falls in.
int TriggerSecond(const SampleVideoSpec& spec, int seconds) {
  return spec.triggerSecond < 0 ? seconds / 2 : std::min(spec.triggerSecond, seconds - 1);
}

int64_t EpochOf(const DateTime& t) { return LocalToEpochSeconds(t.year, t.month, t.day, t.hour, t.minute, t.second); }

}  // namespace

SampleVideo MakeSampleVideoOnRoute(const SampleRoute& route, int64_t startEpochSeconds, int driveStartSecond,
                                   const SampleVideoSpec& spec) {
  SampleVideo video;
  video.kind = spec.kind;
  video.number = spec.number;
  video.dataSuffix = spec.dataSuffix;
  video.variant = spec.variant;
  video.damage = spec.damage;
  video.recordSize = spec.recordSize >= kSampleLongRecord ? kSampleLongRecord : kSampleShortRecord;
  video.recordFormat = spec.recordFormat == kSampleRecordFormatA2 ? kSampleRecordFormatA2 : 1;
  video.attributeB = video.recordFormat == kSampleRecordFormatA2 ? kAttributeBFormatA2 : kAttributeBFormatA1;
  video.eventCode = spec.kind == SampleVideoKind::kNormal ? 0 : spec.eventCode;
  video.width = spec.width;
  video.height = spec.height;
  video.halfHeight = spec.halfHeight;
  video.app1 = spec.app1;
  video.fps = std::clamp(spec.fps, 1, 30);

  // Record only what the index actually carries.
  const bool trailer = HasTrailer(spec.variant);
  if (trailer) {
    video.identityFlag = spec.identityFlag;
    video.attributeA = kAttributeA;
  } else {
    video.identityFlag = 0;
    video.attributeA = 0;
  }
  if (trailer && spec.identityFlag != 0) video.calibration = spec.calibration;
  if (spec.variant == SampleIndexVariant::kTrailer92 && spec.identityFlag != 0) {
    video.drid = spec.drid;
    video.sdid = spec.sdid;
    video.extendedCode = spec.extendedCode;
    video.attributeC = static_cast<uint8_t>(video.fps);
  }

  const int seconds = std::max(1, spec.seconds);
  if (spec.kind == SampleVideoKind::kEvent) {
    video.triggerFrame = TriggerSecond(spec, seconds) * video.fps;
  }
  SampleFramePlan plan;
  plan.startEpochSeconds = startEpochSeconds;
  plan.driveStartMs = static_cast<int64_t>(driveStartSecond) * 1000;
  plan.frameCount = seconds * video.fps;
  plan.fps = video.fps;
  plan.triggerFrame = video.triggerFrame;
  plan.eventCode = video.eventCode;
  if (IndexCalibrates(spec)) plan.calibration = spec.calibration;
  plan.pulseType = spec.pulseType;
  video.frames = MakeSampleFrames(route, plan);
  if (spec.damage != SampleIndexDamage::kNone) video.damagedRecord = static_cast<int>(video.frames.size() / 2);
  return video;
}

SampleLog MakeSampleLogOnRoute(const SampleRoute& route, int64_t startEpochSeconds, int driveStartSecond,
                               const SampleLogSpec& spec) {
  SampleLog log;
  log.number = spec.number;
  log.byteOrderMark = spec.byteOrderMark;
  log.headerValue = spec.headerValue;
  log.drid = spec.drid;
  log.sdid = spec.sdid;
  log.calibration = spec.calibration;
  SampleLogPlan plan;
  plan.startEpochSeconds = startEpochSeconds;
  plan.driveStartSecond = driveStartSecond;
  plan.recordCount = std::max(1, spec.seconds);
  plan.valueA = spec.valueA;
  plan.calibration = spec.calibration;
  plan.pulseType = spec.pulseType;
  log.records = MakeSampleLogRecords(route, plan);
  return log;
}

SampleVideo MakeSampleVideo(const SampleVideoSpec& spec) {
  const int seconds = std::max(1, spec.seconds);
  SampleRouteOptions options;
  options.seed = spec.seed;
  options.seconds = seconds + 1;
  options.invalidFrom = spec.invalidFrom;
  options.invalidSeconds = spec.invalidSeconds;
  if (spec.kind == SampleVideoKind::kEvent) {
    options.shockMs.push_back(static_cast<int64_t>(TriggerSecond(spec, seconds)) * 1000);
  }
  const SampleRoute route(options);
  return MakeSampleVideoOnRoute(route, EpochOf(spec.start), 0, spec);
}

SampleLog MakeSampleLog(const SampleLogSpec& spec) {
  SampleRouteOptions options;
  options.seed = spec.seed;
  options.seconds = std::max(1, spec.seconds) + 1;
  options.invalidFrom = spec.invalidFrom;
  options.invalidSeconds = spec.invalidSeconds;
  const SampleRoute route(options);
  return MakeSampleLogOnRoute(route, EpochOf(spec.start), 0, spec);
}
