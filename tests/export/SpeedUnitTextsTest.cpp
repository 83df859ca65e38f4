// Every speed a person reads follows the unit setting: the speed display,
// the image info panel, the log info pane, the AVI caption, the printed block and the KML
// mark's table. With km/h each keeps its text as it always was.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/MgrMultiLang.h"
#include "export/AviCaption.h"
#include "export/KmlDocument.h"
#include "export/PrintBlock.h"
#include "playback/InfoPanelText.h"
#include "playback/LogRecordView.h"
#include "telemetry/DigitCells.h"

namespace {

constexpr int kKmh = 100;  // 62.137 mph

FRAMEINFOVIDEO Frame() {
  FRAMEINFOVIDEO frame;
  frame.time = {2012, 5, 4, 3, 10, 15, 30, 0};
  frame.gps.valid = 1;
  frame.gps.latHemi = 'N';
  frame.gps.lonHemi = 'E';
  frame.gps.speed = kKmh;
  return frame;
}

std::vector<int> Digits(SpeedUnit unit) {
  std::vector<int> digits;
  for (const DigitCell& cell : SpeedCellsOf(0, 1, kKmh, true, SpeedSource{0, kDisplaySpeedGps, unit}).digits)
    digits.push_back(cell.cell);
  return digits;
}

std::string Caption(SpeedUnit unit) {
  AviCaptionContext context;
  context.items.speed = true;
  context.speedSource.unit = unit;
  context.recordingHasGps = true;
  const std::vector<CaptionLine> lines = LayOutAviCaption(context, Frame(), 640, 480);
  return lines.empty() ? std::string() : lines.front().text;
}

std::string Printed(SpeedUnit unit) {
  PrintTexts texts;
  PrintBlockSource source;
  source.speedUnit = unit;
  for (const PrintLine& line : MakePrintBlock(texts, source, Frame(), 0).lines)
    if (line.label == texts.speed) return line.value;
  return {};
}

std::string LogPane(SpeedUnit unit) {
  FRAMEINFOLOG record;
  record.gpsValid = 1;
  record.speed = 100.0f;
  return MakeLogInfoTexts("a.log", &record, unit).speed.value;
}

std::string KmlRow(SpeedUnit unit) {
  KmlTexts texts;
  texts.speed = "Speed";
  texts.speedUnit = unit;
  KmlMark mark;
  mark.speed = 100.0f;
  std::string out;
  AppendKmlPointMark(out, texts, "", mark);
  const size_t at = out.find("Speed</td><td>");
  return at == std::string::npos ? std::string() : out.substr(at + 14, out.find("</td>", at + 14) - at - 14);
}

TEST(SpeedUnitTexts, EveryReaderFacingSpeedFollowsTheUnit) {
  SetLangFilePath("");
  const struct {
    SpeedUnit unit;
    std::vector<int> digits;
    const char* info;
    const char* logPane;
    const char* caption;
    const char* printed;
    const char* kml;
  } cases[] = {
      {SpeedUnit::kKmh, {1, 0, 0}, "Speed : 100 km/h", "100 km/h", "100 km/h, [N]", ": 100 km/h", "100.0km/h"},
      {SpeedUnit::kMph, {6, 2}, "Speed : 62 mph", "62 mph", "62 mph, [N]", ": 62 mph", "62.1mph"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(SpeedUnitKey(c.unit));
    EXPECT_EQ(Digits(c.unit), c.digits);
    EXPECT_EQ(MakeImageInfoText(Frame().gps, c.unit).speed, c.info);
    EXPECT_EQ(LogPane(c.unit), c.logPane);
    EXPECT_EQ(Caption(c.unit), c.caption);
    EXPECT_EQ(Printed(c.unit), c.printed);
    EXPECT_EQ(KmlRow(c.unit), c.kml);
  }
}

}  // namespace
