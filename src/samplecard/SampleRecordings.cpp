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
bool IndexCalibrates(const SampleVideoRecipe& recipe) {
  return HasTrailer(recipe.variant) && recipe.identityFlag != 0 && recipe.damage == SampleIndexDamage::kNone;
}

// The second of an event recording that its trigger falls in.
int TriggerSecond(const SampleVideoRecipe& recipe, int seconds) {
  return recipe.triggerSecond < 0 ? seconds / 2 : std::min(recipe.triggerSecond, seconds - 1);
}

int64_t EpochOf(const DateTime& t) { return LocalToEpochSeconds(t.year, t.month, t.day, t.hour, t.minute, t.second); }

}  // namespace

SampleVideo MakeSampleVideoOnRoute(const SampleRoute& route, int64_t startEpochSeconds, int driveStartSecond,
                                   const SampleVideoRecipe& recipe) {
  SampleVideo video;
  video.kind = recipe.kind;
  video.number = recipe.number;
  video.dataSuffix = recipe.dataSuffix;
  video.variant = recipe.variant;
  video.damage = recipe.damage;
  video.recordSize = recipe.recordSize >= kSampleLongRecord ? kSampleLongRecord : kSampleShortRecord;
  video.recordFormat = recipe.recordFormat == kSampleRecordFormatA2 ? kSampleRecordFormatA2 : 1;
  video.attributeB = video.recordFormat == kSampleRecordFormatA2 ? kAttributeBFormatA2 : kAttributeBFormatA1;
  video.eventCode = recipe.kind == SampleVideoKind::kNormal ? 0 : recipe.eventCode;
  video.width = recipe.width;
  video.height = recipe.height;
  video.halfHeight = recipe.halfHeight;
  video.app1 = recipe.app1;
  video.fps = std::clamp(recipe.fps, 1, 30);

  // Record only what the index actually carries.
  const bool trailer = HasTrailer(recipe.variant);
  if (trailer) {
    video.identityFlag = recipe.identityFlag;
    video.attributeA = kAttributeA;
  } else {
    video.identityFlag = 0;
    video.attributeA = 0;
  }
  if (trailer && recipe.identityFlag != 0) video.calibration = recipe.calibration;
  if (recipe.variant == SampleIndexVariant::kTrailer92 && recipe.identityFlag != 0) {
    video.drid = recipe.drid;
    video.sdid = recipe.sdid;
    video.extendedCode = recipe.extendedCode;
    video.attributeC = static_cast<uint8_t>(video.fps);
  }

  const int seconds = std::max(1, recipe.seconds);
  if (recipe.kind == SampleVideoKind::kEvent) {
    video.triggerFrame = TriggerSecond(recipe, seconds) * video.fps;
  }
  SampleFramePlan plan;
  plan.startEpochSeconds = startEpochSeconds;
  plan.driveStartMs = static_cast<int64_t>(driveStartSecond) * 1000;
  plan.frameCount = seconds * video.fps;
  plan.fps = video.fps;
  plan.triggerFrame = video.triggerFrame;
  plan.eventCode = video.eventCode;
  if (IndexCalibrates(recipe)) plan.calibration = recipe.calibration;
  plan.pulseType = recipe.pulseType;
  video.frames = MakeSampleFrames(route, plan);
  if (recipe.damage != SampleIndexDamage::kNone) video.damagedRecord = static_cast<int>(video.frames.size() / 2);
  return video;
}

SampleLog MakeSampleLogOnRoute(const SampleRoute& route, int64_t startEpochSeconds, int driveStartSecond,
                               const SampleLogRecipe& recipe) {
  SampleLog log;
  log.number = recipe.number;
  log.byteOrderMark = recipe.byteOrderMark;
  log.headerValue = recipe.headerValue;
  log.drid = recipe.drid;
  log.sdid = recipe.sdid;
  log.calibration = recipe.calibration;
  SampleLogPlan plan;
  plan.startEpochSeconds = startEpochSeconds;
  plan.driveStartSecond = driveStartSecond;
  plan.recordCount = std::max(1, recipe.seconds);
  plan.valueA = recipe.valueA;
  plan.calibration = recipe.calibration;
  plan.pulseType = recipe.pulseType;
  log.records = MakeSampleLogRecords(route, plan);
  return log;
}

SampleVideo MakeSampleVideo(const SampleVideoRecipe& recipe) {
  const int seconds = std::max(1, recipe.seconds);
  SampleRouteOptions options;
  options.seed = recipe.seed;
  options.seconds = seconds + 1;
  options.invalidFrom = recipe.invalidFrom;
  options.invalidSeconds = recipe.invalidSeconds;
  if (recipe.kind == SampleVideoKind::kEvent) {
    options.shockMs.push_back(static_cast<int64_t>(TriggerSecond(recipe, seconds)) * 1000);
  }
  const SampleRoute route(options);
  return MakeSampleVideoOnRoute(route, EpochOf(recipe.start), 0, recipe);
}

SampleLog MakeSampleLog(const SampleLogRecipe& recipe) {
  SampleRouteOptions options;
  options.seed = recipe.seed;
  options.seconds = std::max(1, recipe.seconds) + 1;
  options.invalidFrom = recipe.invalidFrom;
  options.invalidSeconds = recipe.invalidSeconds;
  const SampleRoute route(options);
  return MakeSampleLogOnRoute(route, EpochOf(recipe.start), 0, recipe);
}
