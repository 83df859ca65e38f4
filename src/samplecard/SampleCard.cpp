#include "samplecard/SampleCard.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <system_error>

#include "platform/ProfileFile.h"
#include "platform/TimeKey.h"
#include "samplecard/SampleLogWriter.h"
#include "samplecard/SampleRecordings.h"
#include "samplecard/SampleVideoWriter.h"

namespace {

using Variant = SampleIndexVariant;
using Damage = SampleIndexDamage;

// The recorder's mountings: level and uncalibrated, level with offsets, and
// tilted by 8 degrees (its offsets are the tilted sensor's reading at rest).
constexpr SampleCalibration kCalibrations[] = {{0, 0, 0, 0}, {0, 12, -8, 1003}, {8, 151, -8, 993}};

struct VideoPlan {
  uint8_t eventCode;
  uint8_t extendedCode;
  Variant variant;
  uint8_t identityFlag;
  uint32_t recordSize;
  uint8_t recordFormat;
  Damage damage;
  bool suffix;
  bool app1;
  bool halfHeight;
  int calibration;  // into kCalibrations
};

// The first six events give every event code and, with the normals below,
// every index variant; further events go on through the extended codes and
// then start over.
constexpr VideoPlan kEventPlans[] = {
    {1, 0, Variant::kTrailer92, 1, 69, 1, Damage::kNone, false, false, false, 2},
    {2, 0, Variant::kTrailer92, 0, 66, 1, Damage::kNone, false, true, false, 0},
    {4, 0, Variant::kTrailer26, 1, 66, 1, Damage::kNone, false, false, true, 1},
    {8, 0, Variant::kNoTrailer, 0, 69, 2, Damage::kNone, false, false, false, 0},
    {16, 0, Variant::kTrailer92, 1, 69, 2, Damage::kMonth13, false, true, false, 0},
    {32, 1, Variant::kTrailer92, 1, 66, 1, Damage::kNone, true, false, false, 1},
    {32, 2, Variant::kTrailer92, 1, 69, 1, Damage::kNone, false, false, false, 2},
    {32, 3, Variant::kTrailer92, 1, 66, 2, Damage::kNone, false, true, false, 1},
    {32, 4, Variant::kTrailer92, 1, 69, 1, Damage::kNone, false, false, true, 2},
};

constexpr VideoPlan kNormalPlans[] = {
    {0, 0, Variant::kTrailer92, 1, 69, 1, Damage::kNone, false, false, false, 1},
    {0, 0, Variant::kTrailer92, 1, 66, 2, Damage::kBadMagic, false, false, true, 0},
    {0, 0, Variant::kNoIndex, 0, 66, 1, Damage::kNone, false, true, false, 0},
};

constexpr int kMaxRecordings = 999;
constexpr int kMaxMinutes = 60;
constexpr int kMaxEventSeconds = 300;
constexpr int kMaxSide = 2048;
constexpr int kMinSide = 16;

constexpr const char* kEventFolder = "event";
constexpr const char* kNormalFolder = "normal";
constexpr const char* kChannelFolder = "ch1";
constexpr const char* kLogFolder = "log";
constexpr const char* kConfigFolder = "config";
constexpr const char* kSettingsFile = "set.ini";
constexpr const char* kVersionFile = "version.ini";
constexpr const char* kSettingsSection = "SET";
constexpr const char* kPulseTypeKey = "CARPULSETYPE";
constexpr const char* kVersionSection = "INFO";
constexpr const char* kVersionKey = "VERSION";

bool Fail(std::string* error, const std::string& why) {
  if (error) *error = why;
  return false;
}

bool Validate(const SampleCardOptions& o, std::string* error) {
  auto inRange = [](int v, int low, int high) { return v >= low && v <= high; };
  if (!inRange(o.events, 0, kMaxRecordings) || !inRange(o.normals, 0, kMaxRecordings) ||
      !inRange(o.logs, 0, kMaxRecordings)) {
    return Fail(error, "events, normals and logs must be 0 to 999");
  }
  if (!inRange(o.minutes, 1, kMaxMinutes)) return Fail(error, "minutes must be 1 to 60");
  if (!inRange(o.eventSeconds, 1, kMaxEventSeconds)) return Fail(error, "event seconds must be 1 to 300");
  if (!inRange(o.fps, 1, 30)) return Fail(error, "fps must be 1 to 30");
  if (!inRange(o.width, kMinSide, kMaxSide) || !inRange(o.height, kMinSide, kMaxSide)) {
    return Fail(error, "width and height must be 16 to 2048");
  }
  if (!inRange(o.pulseType, 0, 5)) return Fail(error, "the pulse type must be 0 to 5");
  const DateTime& s = o.start;
  if (!inRange(s.year, 2001, 2099) || !inRange(s.month, 1, 12) || !inRange(s.day, 1, 31) || !inRange(s.hour, 0, 23) ||
      !inRange(s.minute, 0, 59) || !inRange(s.second, 0, 59)) {
    return Fail(error, "the start time must be a date in 2001 to 2099");
  }
  return true;
}

// What a card that fails half way must take back.
struct MadeFolders {
  std::filesystem::path highest;  // the highest folder the card created
  bool rootWasThere = false;      // an empty root given: only its contents are the card's
};

bool IsMissing(const std::filesystem::path& path) {
  struct stat st {};
  return lstat(path.c_str(), &st) != 0 && errno == ENOENT;
}

// Refuses a root that already holds something, so no card is ever written
// over files it did not make.
bool PrepareRoot(const std::filesystem::path& root, MadeFolders* made, std::string* error) {
  std::error_code ec;
  if (!IsMissing(root)) {
    if (!std::filesystem::is_directory(root, ec)) return Fail(error, root.string() + " is not a folder");
    if (!std::filesystem::is_empty(root, ec)) return Fail(error, root.string() + " is not empty");
    made->rootWasThere = true;
  } else {
    std::filesystem::path highest = std::filesystem::absolute(root, ec);
    if (ec) return Fail(error, "cannot find " + root.string() + ": " + ec.message());
    while (highest.has_relative_path() && IsMissing(highest.parent_path())) highest = highest.parent_path();
    made->highest = highest;
  }
  for (const std::filesystem::path& folder :
       {root / kChannelFolder / kEventFolder, root / kChannelFolder / kNormalFolder, root / kLogFolder,
        root / kConfigFolder}) {
    std::filesystem::create_directories(folder, ec);
    if (ec) return Fail(error, "cannot create " + folder.string());
  }
  return true;
}

void RemoveCard(const std::filesystem::path& root, const MadeFolders& made) {
  std::error_code ec;
  if (!made.rootWasThere) {
    if (!made.highest.empty()) std::filesystem::remove_all(made.highest, ec);
    return;
  }
  for (const auto& entry : std::filesystem::directory_iterator(root, ec)) std::filesystem::remove_all(entry.path(), ec);
}

// Where each recording lies on the drive.
struct Timeline {
  int span = 0;  // seconds covered by the normal recordings and logs
  std::vector<int> eventStarts;
  int eventTrigger = 0;  // seconds into each event recording
  int routeSeconds = 0;
  int invalidFrom = 0;
  int invalidSeconds = 0;
  int hardBrake = -1;  // the second it starts, -1 for none
};

// The brake sets off the middle event, so that event is where it lies;
// without events it lies in the middle of the drive.
int HardBrakeSecond(const Timeline& t) {
  const int trigger = t.eventStarts.empty() ? t.span / 2 : t.eventStarts[t.eventStarts.size() / 2] + t.eventTrigger;
  const int second = trigger - 1;
  if (second < kSampleHardBrakeRunUp || second + kSampleHardBrakeSeconds > t.span) return -1;
  return second;
}

Timeline PlanTimeline(const SampleCardOptions& o) {
  Timeline t;
  const int recordingSeconds = o.minutes * 60;
  t.span = std::max(o.normals, o.logs) * recordingSeconds;
  if (t.span == 0) t.span = std::max(1, o.events * o.eventSeconds);
  t.eventTrigger = o.eventSeconds / 2;
  int end = t.span;
  for (int k = 0; k < o.events; ++k) {
    // Events spread evenly over the drive, the trigger on a whole second.
    const int trigger = static_cast<int>(static_cast<int64_t>(t.span) * (2 * k + 1) / (2 * o.events));
    const int start = std::max(0, trigger - t.eventTrigger);
    t.eventStarts.push_back(start);
    end = std::max(end, start + o.eventSeconds);
  }
  t.routeSeconds = end + 1;
  // One stretch without a fix, as in a tunnel, half way through the drive.
  t.invalidFrom = t.span / 2;
  t.invalidSeconds = std::clamp(t.span / 10, 1, 30);
  if (o.hardBrake) t.hardBrake = HardBrakeSecond(t);
  // The brake's kind is read from the GPS speed, so the tunnel keeps out of
  // its way: it moves to a quarter of the drive.
  const bool brakeInTunnel = t.hardBrake >= 0 && t.hardBrake + kSampleHardBrakeSeconds >= t.invalidFrom &&
                             t.hardBrake <= t.invalidFrom + t.invalidSeconds;
  if (brakeInTunnel) t.invalidFrom = std::max(0, t.span / 4 - t.invalidSeconds);
  return t;
}

SampleVideoRecipe RecipeOf(const VideoPlan& plan, const SampleCardOptions& o) {
  SampleVideoRecipe recipe;
  recipe.fps = o.fps;
  recipe.width = o.width;
  recipe.halfHeight = o.halfHeightSome && plan.halfHeight;
  recipe.height = recipe.halfHeight ? o.height / 2 : o.height;
  recipe.app1 = o.app1Some && plan.app1;
  recipe.eventCode = plan.eventCode;
  recipe.extendedCode = plan.extendedCode;
  recipe.variant = plan.variant;
  recipe.identityFlag = plan.identityFlag;
  recipe.recordSize = plan.recordSize;
  recipe.recordFormat = plan.recordFormat;
  recipe.damage = plan.damage;
  recipe.calibration = kCalibrations[plan.calibration];
  recipe.pulseType = o.pulseType;
  return recipe;
}

std::string EventSuffix(int number) {
  char suffix[16];
  std::snprintf(suffix, sizeof suffix, "_EVT%04d", number % 10000);
  return suffix;
}

bool WriteSettings(const std::filesystem::path& root, const SampleCardOptions& o, std::string* error) {
  const std::filesystem::path config = root / kConfigFolder;
  if (!WriteProfileInt(config / kSettingsFile, kSettingsSection, kPulseTypeKey, o.pulseType)) {
    return Fail(error, "cannot write " + (config / kSettingsFile).string());
  }
  if (!WriteProfileString(config / kVersionFile, kVersionSection, kVersionKey, o.version)) {
    return Fail(error, "cannot write " + (config / kVersionFile).string());
  }
  return true;
}

bool WriteCardFiles(const std::filesystem::path& root, const SampleCardOptions& options, SampleCard* written,
                    std::string* error) {
  SampleCard card;
  card.root = root;
  card.pulseType = options.pulseType;
  card.version = options.version;

  const Timeline timeline = PlanTimeline(options);
  SampleRouteOptions routeOptions;
  routeOptions.seed = options.seed;
  routeOptions.seconds = timeline.routeSeconds;
  routeOptions.invalidFrom = timeline.invalidFrom;
  routeOptions.invalidSeconds = timeline.invalidSeconds;
  for (int start : timeline.eventStarts) routeOptions.shockMs.push_back((start + timeline.eventTrigger) * 1000LL);
  if (timeline.hardBrake >= 0) routeOptions.hardBrakeSeconds.push_back(timeline.hardBrake);
  const SampleRoute route(routeOptions);
  const DateTime& s = options.start;
  const int64_t startEpoch = LocalToEpochSeconds(s.year, s.month, s.day, s.hour, s.minute, s.second);

  const std::filesystem::path eventFolder = root / kChannelFolder / kEventFolder;
  for (int k = 0; k < options.events; ++k) {
    const VideoPlan& plan = kEventPlans[static_cast<size_t>(k) % std::size(kEventPlans)];
    SampleVideoRecipe recipe = RecipeOf(plan, options);
    recipe.kind = SampleVideoKind::kEvent;
    recipe.number = k + 1;
    recipe.seconds = options.eventSeconds;
    recipe.triggerSecond = timeline.eventTrigger;
    if (plan.suffix) recipe.dataSuffix = EventSuffix(recipe.number);
    SampleVideo video = MakeSampleVideoOnRoute(route, startEpoch, timeline.eventStarts[static_cast<size_t>(k)], recipe);
    if (!WriteSampleVideo(eventFolder, &video, error)) return false;
    card.videos.push_back(std::move(video));
  }

  const int recordingSeconds = options.minutes * 60;
  const std::filesystem::path normalFolder = root / kChannelFolder / kNormalFolder;
  for (int k = 0; k < options.normals; ++k) {
    const VideoPlan& plan = kNormalPlans[static_cast<size_t>(k) % std::size(kNormalPlans)];
    SampleVideoRecipe recipe = RecipeOf(plan, options);
    recipe.kind = SampleVideoKind::kNormal;
    recipe.number = k + 1;
    recipe.seconds = recordingSeconds;
    SampleVideo video = MakeSampleVideoOnRoute(route, startEpoch, k * recordingSeconds, recipe);
    if (!WriteSampleVideo(normalFolder, &video, error)) return false;
    card.videos.push_back(std::move(video));
  }

  for (int k = 0; k < options.logs; ++k) {
    SampleLogRecipe recipe;
    recipe.number = k + 1;
    recipe.seconds = recordingSeconds;
    recipe.byteOrderMark = k % 2 == 1;
    recipe.calibration = kCalibrations[1 + k % 2];
    recipe.pulseType = options.pulseType;
    SampleLog log = MakeSampleLogOnRoute(route, startEpoch, k * recordingSeconds, recipe);
    if (!WriteSampleLog(root / kLogFolder, &log, error)) return false;
    card.logs.push_back(std::move(log));
  }

  if (!WriteSettings(root, options, error)) return false;
  for (const SampleVideo& video : card.videos) card.totalBytes += video.dataBytes + video.indexBytes;
  for (const SampleLog& log : card.logs) card.totalBytes += log.bytes;
  if (written) *written = std::move(card);
  return true;
}

}  // namespace

bool WriteSampleCard(const std::filesystem::path& root, const SampleCardOptions& options, SampleCard* written,
                     std::string* error) {
  if (!Validate(options, error)) return false;
  MadeFolders made;
  if (!PrepareRoot(root, &made, error) || !WriteCardFiles(root, options, written, error)) {
    RemoveCard(root, made);
    return false;
  }
  return true;
}
