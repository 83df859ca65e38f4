// The KML export: the exact bytes of a small log against the templates, the
// point-mark and heading rules, the checks in their order, the overwrite
// question, and a cancel that leaves nothing behind.

#include <gtest/gtest.h>

#include <optional>
#include <regex>

#include "ExportTestSupport.h"
#include "base/MgrMultiLang.h"
#include "export/KmlColors.h"
#include "export/KmlExportJob.h"
#include "export/LogNameTime.h"
#include "platform/ScriptedPrompt.h"
#include "recording/LogTextBuilder.h"
#include "support/TempDir.h"
#include "support/ZoneGuard.h"

namespace {

constexpr const char* kIconServer = "https://icons.test/";

// 2026-03-10 12:00:00 (a Tuesday) in Berlin.
constexpr int64_t kNoonKey = 1773140400LL * 1000;

class KmlExportTest : public ::testing::Test {
 protected:
  void SetUp() override { SetLangFilePath(""); }

  KmlExportInputs Inputs() const {
    KmlExportInputs in;
    in.folder = dir_.path().string();
    in.fileName = " test ";
    in.iconServer = kIconServer;
    in.lineColor = 0x0000FF;
    return in;
  }

  CInfoLogFile& AddLog(const std::string& text, const std::string& name = "0001,20260310_120000.log") {
    logs_.push_back(std::make_unique<CInfoLogFile>());
    LoadLog(dir_.Write("logs/" + std::to_string(logs_.size()) + "/" + name, text), *logs_.back());
    return *logs_.back();
  }

  std::vector<const CInfoLogFile*> Logs() const {
    std::vector<const CInfoLogFile*> logs;
    for (const auto& log : logs_) logs.push_back(log.get());
    return logs;
  }

  // Runs the export to its end; the result.
  std::optional<ExportResult> Run(const KmlExportInputs& in, const GSensorGraphModel* graph = nullptr) {
    std::optional<ExportResult> result;
    const KmlStartResult start = job_.Start(in, Logs(), graph, prompt_, [&](ExportResult r) { result = r; });
    EXPECT_EQ(start.outcome, KmlStart::kStarted);
    if (start.outcome != KmlStart::kStarted) return std::nullopt;
    DrainUntilEnd(ui_, [&] { return job_.Running(); });
    return result;
  }

  std::string Written() const { return TempDir::Read(dir_ / "test.kml"); }

  ZoneGuard zone_;
  TempDir dir_;
  ManualUiQueue ui_;
  ScriptedPrompt prompt_;
  KmlExportJob job_{ui_};
  std::vector<std::unique_ptr<CInfoLogFile>> logs_;
};

// Three records: a fix heading west, a second without a fix, a fix twelve
// seconds after the first heading south.
std::string SmallLog() {
  LogTextBuilder b;
  b.Header("3,KX17A00042,SD-1,0,0,0,0");
  b.Rmc("A", "3530.0000", "N", "13915.0000", "E", "27.0", "270.0").DataAt(0);
  b.Rmc("V", "3530.3000", "N", "13915.3000", "E", "27.0", "270.0").DataAt(5);
  b.Rmc("A", "3530.6000", "N", "13915.6000", "E", "0.0", "180.0").DataAt(12);
  return b.Text();
}

// A log of `seconds` records, one a second, all with a fix; records in
// [gapFrom, gapFrom + gapLength) are left out.
std::string SteadyLog(int seconds, int gapFrom = -1, int gapLength = 0) {
  LogTextBuilder b;
  b.Header("3,KX17A00042,SD-1,0,0,0,0");
  for (int s = 0; s < seconds; ++s) {
    if (s >= gapFrom && s < gapFrom + gapLength) continue;
    b.Rmc("A", "3530.0000", "N", "13915.0000", "E", "10.0", "90.0").DataAt(s);
  }
  return b.Text();
}

std::vector<std::string> MarkNames(const std::string& kml) {
  static const std::regex name("<Placemark><name>([0-9:]+)</name>");
  std::vector<std::string> names;
  for (auto it = std::sregex_iterator(kml.begin(), kml.end(), name); it != std::sregex_iterator(); ++it)
    names.push_back((*it)[1]);
  return names;
}

TEST_F(KmlExportTest, SmallLogGivesTheTemplatesByteForByte) {
  AddLog(SmallLog());
  GSensorGraphModel graph;
  std::vector<GraphPoint> points(3);
  points[0].time = kNoonKey;
  points[1].time = kNoonKey + 5000;
  points[2].time = kNoonKey + 12500;  // the same whole second as the third record
  points[2].kind = kPointKindAfterEvent;
  graph.LoadPoints(kViewModeLog, points);

  ASSERT_EQ(Run(Inputs(), &graph), ExportResult::kDone);

  const std::string icon1 = "https://icons.test/icon/arrow_r_1.png";
  const std::string icon2 = "https://icons.test/icon/arrow_r_2.png";
  const std::string expected =
      "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?><kml xmlns=\"http://earth.google.com/kml/2.1\">\r\n"
      "<Document><name>2026Year 3Month 10Day (Tue)</name>\r\n"
      "<Style id=\"point_style\">\r\n"
      "<IconStyle><color>ff00ff00</color><scale>0.8</scale><Icon><href>" +
      icon1 +
      "</href></Icon></IconStyle></Style>\r\n"
      "<Style id=\"pointRec_style\">\r\n"
      "<IconStyle><color>ff00ff00</color><scale>0.8</scale><Icon><href>" +
      icon2 +
      "</href></Icon></IconStyle></Style>\r\n"
      "<Style id=\"line_style\">\r\n"
      "<LineStyle><color>640000FF</color><width>5</width></LineStyle></Style>\r\n"
      "<Folder><name>Pointer</name>\r\n"
      "<Placemark><name>12:00:00</name><Snippet/>\r\n"
      "<Style><IconStyle><color>ff00ff00</color><scale>0.8</scale><Icon><href>" +
      icon1 +
      "</href></Icon><heading>-90</heading></IconStyle></Style>\r\n"
      "<Point><coordinates>139.250000,35.500000,0</coordinates></Point>\r\n"
      "<description><![CDATA[<table><tr><td>DATE</td><td>2026Year3Month10Day(Tue)</td></tr><tr><td>TIME</td>"
      "<td>12Hour0Minute0Second</td></tr><tr><td>Speed</td><td>50.0km/h</td></tr><tr><td>Heading</td>"
      "<td>270.0Degree</td></tr></table>]]></description>\r\n"
      "<LookAt><longitude>139.250000</longitude><latitude>35.500000</latitude><tilt>50</tilt><range>400</range>"
      "<heading>-90</heading></LookAt>\r\n"
      "</Placemark>\r\n"
      "<Placemark><name>12:00:12</name><Snippet/>\r\n"
      "<Style><IconStyle><color>ff00ff00</color><scale>0.8</scale><Icon><href>" +
      icon2 +
      "</href></Icon><heading>180</heading></IconStyle></Style>\r\n"
      "<Point><coordinates>139.260000,35.510000,0</coordinates></Point>\r\n"
      "<description><![CDATA[<table><tr><td>DATE</td><td>2026Year3Month10Day(Tue)</td></tr><tr><td>TIME</td>"
      "<td>12Hour0Minute12Second</td></tr><tr><td>Speed</td><td>0.0km/h</td></tr><tr><td>Heading</td>"
      "<td>180.0Degree</td></tr></table>]]></description>\r\n"
      "<LookAt><longitude>139.260000</longitude><latitude>35.510000</latitude><tilt>50</tilt><range>400</range>"
      "<heading>180</heading></LookAt>\r\n"
      "</Placemark>\r\n"
      "</Folder>\r\n"
      "<Folder><name>Route</name>\r\n"
      "<Placemark><name></name>\r\n"
      "<styleUrl>#line_style</styleUrl>\r\n"
      "<LineString id=\"CarRoute\"><tessellate>1</tessellate>\r\n"
      "<coordinates>139.250000,35.500000,0 139.260000,35.510000,0 </coordinates></LineString>\r\n"
      "</Placemark>\r\n"
      "</Folder>\r\n"
      "</Document>\r\n"
      "</kml>\r\n";
  EXPECT_EQ(Written(), expected);
  EXPECT_EQ(job_.MarkCount(), 2);
  EXPECT_EQ(job_.RoutePositionCount(), 2);
  EXPECT_TRUE(TemporaryLeftovers(dir_.path()).empty());
}

TEST_F(KmlExportTest, MarksFollowTheIntervalRestartInEveryLogAndCatchUpAfterAGap) {
  AddLog(SteadyLog(60, 32, 25));  // records 0..31 and 57..59
  AddLog(SteadyLog(3));
  KmlExportInputs in = Inputs();
  in.pointerInterval = 10;
  ASSERT_EQ(Run(in), ExportResult::kDone);
  EXPECT_EQ(MarkNames(Written()),
            (std::vector<std::string>{"12:00:00", "12:00:10", "12:00:20", "12:00:30", "12:00:57", "12:00:00"}));
  EXPECT_EQ(job_.RoutePositionCount(), 35 + 3);
}

TEST_F(KmlExportTest, WithoutPointMarksOnlyTheRouteFolderIsWritten) {
  AddLog(SmallLog());
  KmlExportInputs in = Inputs();
  in.pointer = false;
  in.pointerInterval = 99;  // not checked while point marks are off
  ASSERT_EQ(Run(in), ExportResult::kDone);
  const std::string kml = Written();
  EXPECT_EQ(kml.find("<name>Pointer</name>"), std::string::npos);
  EXPECT_EQ(kml.find("<Placemark><name>12"), std::string::npos);
  EXPECT_NE(kml.find("<Folder><name>Route</name>"), std::string::npos);
}

TEST_F(KmlExportTest, WithoutAnyFixTheDocumentIsNamedAfterTheFirstLogsFileName) {
  LogTextBuilder b;
  b.Header("3,KX17A00042,SD-1,0,0,0,0").Rmc("V", "", "", "", "").DataAt(0);
  AddLog(b.Text(), "0007,20251231_235958.log");
  ASSERT_EQ(Run(Inputs()), ExportResult::kDone);
  EXPECT_NE(Written().find("<Document><name>2025Year 12Month 31Day (Wed)</name>"), std::string::npos);
  EXPECT_NE(Written().find("<coordinates></coordinates>"), std::string::npos);
  EXPECT_EQ(KmlProposedFileName(*logs_.front()), "KX_20251231_235958");
}

TEST(KmlDocument, HeadingColourAndIconAddressRules) {
  EXPECT_EQ(KmlHeading(270.0f), -90);
  EXPECT_EQ(KmlHeading(180.0f), 180);
  EXPECT_EQ(KmlHeading(180.5f), -180);
  EXPECT_EQ(KmlHeading(360.0f), 0);
  EXPECT_EQ(KmlHeading(359.9f), -1);
  EXPECT_EQ(KmlColorText(100, 0x0000FF), "640000FF");
  EXPECT_EQ(KmlColorText(255, 0xC08040), "FFC08040");
  EXPECT_EQ(KmlLineColorOrFirst(0x123456), 0);
  EXPECT_EQ(KmlLineColorOrFirst(0xFFFF00), 0xFFFF00);
  EXPECT_EQ(KmlIconAddress("http://a.b//", true), "http://a.b/icon/arrow_r_2.png");
}

TEST_F(KmlExportTest, TheDialogOpensWithTheSettingsAndTheIconServerTheFileNames) {
  AppSettingFolders folders;
  folders.settingsBase = dir_ / "config";
  folders.documents = dir_ / "Documents";
  dir_.Write("config/Halvorn/Nemora/kelbrin.ini",
             "[KML]\r\nPointer=0\r\nPointerInterval=7\r\nRoute=1\r\nLineWidth=3\r\nLineOpacity=200\r\n"
             "LineColor=12345\r\nIconServer=http://maps.local/kx\r\n");
  CAppSetting setting(folders);
  setting.LoadSetting();
  const KmlExportInputs in = KmlInputsFromSettings(setting.Kml(), "/f");
  EXPECT_FALSE(in.pointer);
  EXPECT_EQ(in.pointerInterval, 7);
  EXPECT_EQ(in.lineWidth, 3);
  EXPECT_EQ(in.lineOpacity, 200);
  EXPECT_EQ(in.lineColor, 0) << "a colour the list does not hold selects its first entry";
  EXPECT_EQ(in.iconServer, "http://maps.local/kx");

  dir_.Write("config/Halvorn/Nemora/kelbrin.ini", "[KML]\r\nLineColor=16776960\r\n");
  setting.LoadSetting();
  EXPECT_EQ(KmlInputsFromSettings(setting.Kml(), "/f").iconServer, kDefaultKmlIconServer);
  EXPECT_EQ(KmlInputsFromSettings(setting.Kml(), "/f").lineColor, 0xFFFF00);
}

TEST_F(KmlExportTest, ChecksRunInTheDialogsOrderAndNameTheField) {
  const auto check = [](const KmlExportInputs& in) { return CheckKmlInputs(in); };
  KmlExportInputs in = Inputs();
  in.pointerInterval = 0;
  in.lineWidth = 11;
  in.folder = (dir_ / "missing").string();
  ASSERT_TRUE(check(in));
  EXPECT_EQ(check(in)->field, KmlField::kInterval);
  in.pointerInterval = 30;
  EXPECT_EQ(check(in)->field, KmlField::kLineWidth);
  in.lineWidth = 10;
  in.lineOpacity = 256;
  EXPECT_EQ(check(in)->field, KmlField::kLineOpacity);
  in.lineOpacity = 0;
  in.lineColor = 0x010203;
  EXPECT_EQ(check(in)->field, KmlField::kLineColor);
  EXPECT_EQ(check(in)->message, kMsgInvalidInputdata);
  in.route = false;  // width, opacity and colour are not looked at then
  EXPECT_EQ(check(in)->message, kMsgFolderNotExist);
  in.folder = "/proc";
  EXPECT_EQ(check(in)->message, kMsgFolderNotAuthority);
  in.folder = dir_.path().string();
  in.fileName = " \t ";
  EXPECT_EQ(check(in)->message, kMsgEnterFileName);
  EXPECT_EQ(check(in)->field, KmlField::kFileName);
  in.fileName = "x";
  EXPECT_FALSE(check(in));
  in.pointer = false;
  EXPECT_EQ(check(in)->message, kMsgInvalidInputdata) << "neither marks nor route: nothing to write";
}

TEST_F(KmlExportTest, AnExistingFileIsReplacedOnlyAfterYes) {
  AddLog(SmallLog());
  const auto target = dir_.Write("test.kml", "keep me");
  prompt_.QueueAnswer(PromptAnswer::No);
  std::optional<ExportResult> result;
  EXPECT_EQ(job_.Start(Inputs(), Logs(), nullptr, prompt_, [&](ExportResult r) { result = r; }).outcome,
            KmlStart::kDeclined);
  EXPECT_EQ(TempDir::Read(target), "keep me");
  ASSERT_EQ(prompt_.ShownBoxes().size(), 1u);
  EXPECT_EQ(prompt_.ShownBoxes()[0].text, "Same file exists, Overwrite this file ?");
  EXPECT_EQ(prompt_.ShownBoxes()[0].caption, "Save to NMEA Log File");
  EXPECT_EQ(prompt_.ShownBoxes()[0].buttons, PromptButtons::YesNo);

  prompt_.QueueAnswer(PromptAnswer::Yes);
  EXPECT_EQ(Run(Inputs()), ExportResult::kDone);
  EXPECT_EQ(Written().rfind("\xEF\xBB\xBF<?xml", 0), 0u);
}

TEST_F(KmlExportTest, ACancelledExportLeavesNoFileAndTheOldOneStands) {
  const std::string hour = SteadyLog(3600);
  for (int i = 0; i < 24; ++i) AddLog(hour);
  dir_.Write("test.kml", "the old export");
  prompt_.QueueAnswer(PromptAnswer::Yes);
  std::optional<ExportResult> result;
  ASSERT_EQ(job_.Start(Inputs(), Logs(), nullptr, prompt_, [&](ExportResult r) { result = r; }).outcome,
            KmlStart::kStarted);
  job_.Cancel();
  DrainUntilEnd(ui_, [&] { return job_.Running(); });
  EXPECT_EQ(result, ExportResult::kCancelled);
  EXPECT_EQ(Written(), "the old export");
  EXPECT_TRUE(TemporaryLeftovers(dir_.path()).empty());
}

TEST_F(KmlExportTest, AFolderThatWillNotTakeTheFileFailsBeforeAnyWorker) {
  AddLog(SmallLog());
  KmlExportInputs in = Inputs();
  in.fileName = std::string(300, 'k');  // longer than a file name may be
  const KmlStartResult start = job_.Start(in, Logs(), nullptr, prompt_, [](ExportResult) {});
  EXPECT_EQ(start.outcome, KmlStart::kFailed);
  ASSERT_TRUE(start.failure);
  EXPECT_EQ(start.failure->message, kMsgSaveLogFileFail);
  EXPECT_FALSE(job_.Running());
}

}  // namespace
