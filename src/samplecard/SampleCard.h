#pragma once
// Synthetic SD cards of the drive recorder, for the demo, the tests and the
// benchmarks: event and normal video recordings, logs and the recorder's
// settings files, all made from one seeded drive, so the same options give a
// byte-identical card. SampleCard tells what was written, value by value.
//
// The lower-level pieces are public too, for tests that need one exact file:
// MakeSampleVideo + WriteSampleVideo (SampleVideoWriter.h), MakeSampleLog +
// WriteSampleLog (SampleLogWriter.h), BuildSampleIndex (SampleIndexWriter.h),
// MakeSampleCommentBlock (SampleCommentBlock.h).

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/DateTime.h"
#include "samplecard/SampleTypes.h"

inline constexpr const char* kSampleDrid = "KX17A00042";
inline constexpr const char* kSampleSdid = "SD-7F3A-201";
inline constexpr const char* kSampleVersion = "KX-1.42.7";

// 2024-06-14 09:30:00, a Friday morning in summer time.
inline constexpr DateTime kSampleStart{2024, 6, 5, 14, 9, 30, 0, 0};

struct SampleCardOptions {
  uint64_t seed = 1;
  int events = 6;
  int normals = 3;
  int logs = 2;
  int minutes = 1;        // length of each normal recording and log
  int eventSeconds = 10;  // length of each event recording, the trigger in its middle
  int fps = 10;
  int width = 640;                // of the full-height pictures
  int height = 480;               // half-height recordings are width x height / 2
  DateTime start = kSampleStart;  // local time the drive begins
  int pulseType = 0;              // CARPULSETYPE, 0..5
  bool halfHeightSome = true;     // some recordings at half height
  bool app1Some = true;           // an APP1 segment in the pictures of some recordings
  // A hard brake from cruising speed, its event recording triggered by it:
  // a second before the middle event's trigger.
  bool hardBrake = false;
  std::string version = kSampleVersion;
};

struct SampleCard {
  std::filesystem::path root;
  int pulseType = 0;
  std::string version;
  std::vector<SampleVideo> videos;  // the event recordings, then the normal ones
  std::vector<SampleLog> logs;
  uint64_t totalBytes = 0;
};

// Writes a whole card into root, which must not exist yet or be an empty
// folder. On failure error says why, and what the call created is removed
// again: the folders it made, or the contents of the empty root.
bool WriteSampleCard(const std::filesystem::path& root, const SampleCardOptions& options, SampleCard* written,
                     std::string* error);

// A short human summary: counts, variants and sizes.
std::string DescribeSampleCard(const SampleCard& card);

// One video recording on a drive of its own, ready for WriteSampleVideo.
struct SampleVideoRecipe {
  uint64_t seed = 1;
  SampleVideoKind kind = SampleVideoKind::kEvent;
  int number = 1;
  DateTime start = kSampleStart;  // local time of the first frame
  int seconds = 3;
  int fps = 5;
  int width = 160;
  int height = 120;  // as stored; the scene is drawn at twice this for half height
  bool halfHeight = false;
  bool app1 = false;
  int triggerSecond = -1;  // event recordings: -1 puts the trigger in the middle
  uint8_t eventCode = 1;
  uint8_t extendedCode = 0;
  SampleIndexVariant variant = SampleIndexVariant::kTrailer92;
  uint8_t identityFlag = 1;
  uint32_t recordSize = 66;
  uint8_t recordFormat = 1;
  SampleIndexDamage damage = SampleIndexDamage::kNone;
  std::string dataSuffix;
  SampleCalibration calibration;
  std::string drid = kSampleDrid;
  std::string sdid = kSampleSdid;
  int pulseType = 0;
  int invalidFrom = -1;  // second of the recording where the GPS fix is lost; -1 for never
  int invalidSeconds = 0;
};

SampleVideo MakeSampleVideo(const SampleVideoRecipe& recipe);

// One log on a drive of its own, ready for WriteSampleLog.
struct SampleLogRecipe {
  uint64_t seed = 1;
  int number = 1;
  DateTime start = kSampleStart;  // local time of the first record
  int seconds = 60;               // one record a second
  bool byteOrderMark = false;
  int headerValue = 3;
  int valueA = 1;
  std::string drid = kSampleDrid;
  std::string sdid = kSampleSdid;
  SampleCalibration calibration;
  int pulseType = 0;
  int invalidFrom = -1;
  int invalidSeconds = 0;
};

SampleLog MakeSampleLog(const SampleLogRecipe& recipe);
