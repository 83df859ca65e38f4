// GPX and CSV exports: one row per frame or record, a GPX point only where
// there is a fix, times with the offset in force, and the pulse speed only
// where the card's pulse type is known.

#include <gtest/gtest.h>

#include <optional>
#include <regex>
#include <sstream>

#include "ExportTestSupport.h"
#include "base/MgrMultiLang.h"
#include "export/TrackExportJob.h"
#include "export/TrackPoints.h"
#include "platform/ScriptedPrompt.h"
#include "platform/TimeKey.h"
#include "recording/MgrDBSearch.h"
#include "samplecard/SampleCard.h"
#include "samplecard/SampleLogWriter.h"
#include "samplecard/SampleVideoWriter.h"
#include "support/TempDir.h"
#include "support/ZoneGuard.h"

namespace {

constexpr int kPulseType = 1;

class TrackExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetLangFilePath("");
    SampleLogRecipe logRecipe;
    logRecipe.seconds = 20;
    logRecipe.invalidFrom = 5;
    logRecipe.invalidSeconds = 4;
    sampleLog_ = MakeSampleLog(logRecipe);
    std::string error;
    std::filesystem::create_directories(dir_ / "log");
    std::filesystem::create_directories(dir_ / "video");
    ASSERT_TRUE(WriteSampleLog(dir_ / "log", &sampleLog_, &error)) << error;
    LoadLog(sampleLog_.path, log_);

    SampleVideoRecipe videoRecipe;
    videoRecipe.seconds = 2;
    videoRecipe.fps = 5;
    videoRecipe.invalidFrom = 1;
    videoRecipe.invalidSeconds = 5;
    sampleVideo_ = MakeSampleVideo(videoRecipe);
    ASSERT_TRUE(WriteSampleVideo(dir_ / "video", &sampleVideo_, &error)) << error;
    LoadVideo(sampleVideo_.dataPath, video_);
  }

  std::optional<ExportResult> Run(TrackFormat format, const std::string& output, int pulseType = kPulseType) {
    std::optional<ExportResult> result;
    const TrackStartResult start =
        job_.Start(format, output, {{"clip.vdd", &video_, nullptr}, {"drive <1>.log", nullptr, &log_}}, pulseType,
                   prompt_, [&](ExportResult r) { result = r; });
    EXPECT_EQ(start.outcome, TrackStart::kStarted);
    if (start.outcome != TrackStart::kStarted) return std::nullopt;
    DrainUntilEnd(ui_, [&] { return job_.Running(); });
    return result;
  }

  int FixCount() const {
    int fixes = 0;
    for (const auto& r : sampleLog_.records) fixes += r.gpsValid ? 1 : 0;
    for (const auto& f : sampleVideo_.frames) fixes += f.gpsValid ? 1 : 0;
    return fixes;
  }

  ZoneGuard zone_;
  TempDir dir_;
  SampleLog sampleLog_;
  SampleVideo sampleVideo_;
  CInfoLogFile log_;
  CInfoEventFile video_;
  ManualUiQueue ui_;
  ScriptedPrompt prompt_;
  TrackExportJob job_{ui_};
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST_F(TrackExportTest, CsvHasARowPerFrameAndRecordWithEmptyPositionsWithoutAFix) {
  const auto out = dir_ / "track.csv";
  ASSERT_EQ(Run(TrackFormat::kCsv, out.string()), ExportResult::kDone);
  const std::vector<std::string> lines = Lines(TempDir::Read(out));
  ASSERT_EQ(lines.size(), 1 + sampleVideo_.frames.size() + sampleLog_.records.size());
  EXPECT_EQ(lines[0], "time,latitude,longitude,gps_speed_kmh,course,g_x,g_y,g_z,lamps,pulse_speed_kmh");
  EXPECT_EQ(job_.Written(), static_cast<int>(lines.size()) - 1);

  const size_t firstLogRow = 1 + sampleVideo_.frames.size();
  for (size_t i = 0; i < sampleLog_.records.size(); ++i) {
    const SampleLogRecord& r = sampleLog_.records[i];
    const FRAMEINFOLOG& loaded = *log_.Record(static_cast<int>(i));
    const std::string& row = lines[firstLogRow + i];
    EXPECT_EQ(row.rfind(IsoLocalTime(loaded.time) + ",", 0), 0u) << row;
    if (r.gpsValid) {
      EXPECT_NE(row.find(',' + std::to_string(r.latitude).substr(0, 6)), std::string::npos) << row;
    } else {
      EXPECT_NE(row.find(",,,,,"), std::string::npos) << "no position, speed or course: " << row;
    }
    const int pulseSpeed = CMgrDBSearch::PulseToKmhFor(kPulseType, r.pulse);
    EXPECT_TRUE(row.ends_with("," + std::to_string(r.signal) + "," + std::to_string(pulseSpeed))) << row;
  }
}

TEST_F(TrackExportTest, GpxHoldsOnlyFixesWithTheirTelemetry) {
  const auto out = dir_ / "track.gpx";
  ASSERT_EQ(Run(TrackFormat::kGpx, out.string(), -1), ExportResult::kDone);
  const std::string gpx = TempDir::Read(out);
  const std::regex point("<trkpt lat=");
  const auto points = std::distance(std::sregex_iterator(gpx.begin(), gpx.end(), point), std::sregex_iterator());
  EXPECT_EQ(points, FixCount());
  EXPECT_EQ(job_.Written(), FixCount());
  EXPECT_NE(gpx.find("<trk><name>drive &lt;1&gt;.log</name>"), std::string::npos);
  EXPECT_NE(gpx.find("<korvane:gX>"), std::string::npos);
  EXPECT_EQ(gpx.find("pulseSpeed"), std::string::npos) << "unknown pulse type: no pulse speed";
  EXPECT_TRUE(gpx.ends_with("</gpx>\n"));
}

// A format of its own: a line per source, a mark per point, fix or not.
class TraceWriter final : public TrackWriter {
 public:
  void Begin(std::string& out) override { out += "begin\n"; }
  void BeginSource(std::string& out, const TrackSource& source) override { out += source.name + ':'; }
  void Point(std::string& out, const TrackPoint& point) override {
    out += point.fix ? '+' : '-';
    ++written_;
  }
  void EndSource(std::string& out) override { out += '\n'; }
  void End(std::string& out) override { out += "end\n"; }
  int Written() const override { return written_; }

 private:
  int written_ = 0;
};

TEST_F(TrackExportTest, AnyWriterIsHandedEverySourceAndPointInOrderAndItsTextIsTheFile) {
  const auto out = dir_ / "trace.txt";
  std::optional<ExportResult> result;
  const TrackStartResult start = job_.Start(std::make_unique<TraceWriter>(), TrackTarget{out.string()},
                                            {{"clip", &video_, nullptr}, {"drive", nullptr, &log_}}, kPulseType,
                                            prompt_, [&](ExportResult r) { result = r; });
  ASSERT_EQ(start.outcome, TrackStart::kStarted);
  DrainUntilEnd(ui_, [&] { return job_.Running(); });
  ASSERT_EQ(result, ExportResult::kDone);

  std::string expected = "begin\nclip:";
  for (const auto& f : sampleVideo_.frames) expected += f.gpsValid ? '+' : '-';
  expected += "\ndrive:";
  for (const auto& r : sampleLog_.records) expected += r.gpsValid ? '+' : '-';
  expected += "\nend\n";
  EXPECT_EQ(TempDir::Read(out), expected);
  EXPECT_EQ(job_.Written(), static_cast<int>(sampleVideo_.frames.size() + sampleLog_.records.size()));
  EXPECT_EQ(job_.OutputPath(), out.string());
}

TEST(TrackPoints, IsoTimesCarryTheOffsetInForceThen) {
  ZoneGuard zone;
  const DateTime summer{2024, 6, 0, 14, 9, 30, 5, 250};
  const DateTime winter{2024, 1, 0, 2, 23, 59, 59, 0};
  EXPECT_EQ(IsoLocalTime(MakeTimeKey(summer)), "2024-06-14T09:30:05.250+02:00");
  EXPECT_EQ(IsoLocalTime(MakeTimeKey(winter)), "2024-01-02T23:59:59.000+01:00");
  ZoneGuard west("America/St_Johns");
  EXPECT_EQ(IsoLocalTime(MakeTimeKey(winter)), "2024-01-02T23:59:59.000-03:30");
}

TEST_F(TrackExportTest, OutputChecksAndTheOverwriteQuestion) {
  EXPECT_EQ(CheckTrackOutput((dir_ / "missing/x.gpx").string()), kMsgFolderNotExist);
  EXPECT_EQ(CheckTrackOutput("/proc/x.gpx"), kMsgFolderNotAuthority);
  EXPECT_EQ(CheckTrackOutput((dir_.path() / " ").string()), kMsgEnterFileName);
  EXPECT_FALSE(CheckTrackOutput((dir_ / "x.gpx").string()));

  const auto existing = dir_.Write("old.csv", "keep");
  prompt_.QueueAnswer(PromptAnswer::No);
  EXPECT_EQ(
      job_.Start(TrackFormat::kCsv, existing.string(), {{"clip", &video_, nullptr}}, -1, prompt_, [](ExportResult) {})
          .outcome,
      TrackStart::kDeclined);
  EXPECT_EQ(TempDir::Read(existing), "keep");
}

}  // namespace
