// The AVI caption's texts and places: date and time, the speed line with
// its source and model rules, the compass word, "No GPS signal", the
// position with its marks, the vehicle ID, and the narrow-picture layout.

#include <gtest/gtest.h>

#include "base/DisplaySpeed.h"
#include "base/MgrMultiLang.h"
#include "export/AviCaption.h"

namespace {

constexpr int kWide = 640;
constexpr int kNarrow = 320;
constexpr int kHeight = 480;
constexpr int kHLayoutModel = 9;

FRAMEINFOVIDEO Frame(bool fix) {
  FRAMEINFOVIDEO f;
  f.time = DateTime{2012, 5, 0, 3, 9, 5, 7, 250};
  f.pulse = 1000;
  f.gps.valid = fix ? 1 : 0;
  f.gps.speed = 88;
  f.gps.course = 50;
  f.gps.latHemi = 'N';
  f.gps.latDeg = 37;
  f.gps.latMin = 5;
  f.gps.latSec = 7.256f;
  f.gps.lonHemi = 'E';
  f.gps.lonDeg = 127;
  f.gps.lonMin = 0;
  f.gps.lonSec = 59.5f;
  return f;
}

AviCaptionContext Context(bool dateTime, bool speed, bool vehicleId, bool position) {
  SetLangFilePath("");
  AviCaptionContext c;
  c.items = {dateTime, speed, vehicleId, position};
  c.recordingHasGps = true;
  c.pulseType = 0;
  c.vehicleId = "KX17A00042";
  c.texts = LoadAviCaptionTexts();
  return c;
}

std::vector<std::string> Texts(const std::vector<CaptionLine>& caption) {
  std::vector<std::string> texts;
  for (const CaptionLine& t : caption) texts.push_back(t.text);
  return texts;
}

TEST(AviCaption, DateTimeStandsBottomLeftAndTheIdTopLeft) {
  const auto caption = LayOutAviCaption(Context(true, false, true, false), Frame(true), kWide, kHeight);
  ASSERT_EQ(caption.size(), 2u);
  EXPECT_EQ(caption[0].text, "2012.05.03 09:05:07");
  EXPECT_EQ(caption[0].align, CaptionAlign::kLeft);
  EXPECT_EQ(caption[0].x, 4);
  EXPECT_EQ(caption[0].bottom, kHeight - 1);
  EXPECT_EQ(caption[1].text, "KX17A00042");
  EXPECT_EQ(caption[1].x, 4);
  EXPECT_EQ(caption[1].top, 0);
  EXPECT_TRUE(LayOutAviCaption(Context(false, false, false, false), Frame(true), kWide, kHeight).empty());
}

TEST(AviCaption, TheSpeedLineFollowsItsSourceAndTheModel) {
  AviCaptionContext c = Context(false, true, false, false);
  EXPECT_EQ(Texts(LayOutAviCaption(c, Frame(true), kWide, kHeight)), std::vector<std::string>{"88 km/h, [NE]"});

  c.speedSource.displaySpeed = kDisplaySpeedPulse;
  EXPECT_EQ(Texts(LayOutAviCaption(c, Frame(true), kWide, kHeight)), std::vector<std::string>{"88 km/h (T), [NE]"})
      << "the pulse speed only on the model with the input";
  c.speedSource.currentModel = kHLayoutModel;
  // 1000 pulses of pulse type 0: 1000 x 3600 / (637 x 2) km/h.
  EXPECT_EQ(Texts(LayOutAviCaption(c, Frame(true), kWide, kHeight)), std::vector<std::string>{"2825 km/h (T), [NE]"});

  EXPECT_EQ(Texts(LayOutAviCaption(c, Frame(false), kWide, kHeight)), std::vector<std::string>{"No GPS signal"});

  c.recordingHasGps = false;
  EXPECT_EQ(Texts(LayOutAviCaption(c, Frame(false), kWide, kHeight)), std::vector<std::string>{"2825 km/h (T)"})
      << "without any GPS data: the pulse speed alone, no compass";
  c.speedSource.displaySpeed = kDisplaySpeedGps;
  EXPECT_TRUE(LayOutAviCaption(c, Frame(false), kWide, kHeight).empty()) << "and nothing from the GPS source";
}

TEST(AviCaption, CompassWordsSplitTheCircleInEightSectors) {
  AviCaptionContext c = Context(false, true, false, false);
  FRAMEINFOVIDEO f = Frame(true);
  const std::pair<int, const char*> cases[] = {{0, "N"},   {22, "N"},   {23, "NE"}, {90, "E"}, {200, "S"},
                                               {270, "W"}, {337, "NW"}, {338, "N"}, {359, "N"}};
  for (const auto& [course, word] : cases) {
    f.gps.course = static_cast<uint16_t>(course);
    EXPECT_EQ(Texts(LayOutAviCaption(c, f, kWide, kHeight))[0], std::string("88 km/h, [") + word + "]") << course;
  }
}

TEST(AviCaption, PositionsCarryTheirMarksRightAligned) {
  const auto caption = LayOutAviCaption(Context(false, false, false, true), Frame(true), kWide, kHeight);
  ASSERT_EQ(caption.size(), 2u);
  EXPECT_EQ(caption[0].text, "127\xCB\x9A 00\xE2\x80\x99 59.50\xE2\x80\x9D E");
  EXPECT_EQ(caption[0].align, CaptionAlign::kRight);
  EXPECT_EQ(caption[0].x, kWide - 4);
  EXPECT_EQ(caption[0].bottom, kHeight - 1);
  EXPECT_EQ(caption[1].text, "37\xCB\x9A 05\xE2\x80\x99 07.26\xE2\x80\x9D N");
  EXPECT_EQ(caption[1].bottom, kHeight - 1 - 18);

  const auto lost = LayOutAviCaption(Context(false, false, false, true), Frame(false), kWide, kHeight);
  ASSERT_EQ(lost.size(), 1u);
  EXPECT_EQ(lost[0].text, "No GPS signal");
  EXPECT_EQ(lost[0].bottom, kHeight - 1) << "in the longitude's place";
}

TEST(AviCaption, NarrowPicturesMoveTheSpeedAboveThePosition) {
  const AviCaptionContext c = Context(true, true, false, false);
  const auto wide = LayOutAviCaption(c, Frame(true), kNarrow + 1, kHeight);
  ASSERT_EQ(wide.size(), 2u);
  EXPECT_EQ(wide[1].align, CaptionAlign::kCenter);
  EXPECT_EQ(wide[1].x, (kNarrow + 1) / 2);
  EXPECT_EQ(wide[1].bottom, kHeight - 1);

  const auto narrow = LayOutAviCaption(c, Frame(true), kNarrow, 240);
  ASSERT_EQ(narrow.size(), 2u);
  EXPECT_EQ(narrow[1].align, CaptionAlign::kRight);
  EXPECT_EQ(narrow[1].x, kNarrow - 4);
  EXPECT_EQ(narrow[1].bottom, 240 - 1 - 35);
}

TEST(AviCaption, TextsComeFromTheLanguageFile) {
  AviCaptionTexts defaults;
  EXPECT_EQ(defaults.noGpsSignal, "No GPS signal");
  SetLangFilePath(std::string(KORVANE_SOURCE_DIR) + "/resources/lang/kelbrinlang_de.ini");
  const AviCaptionTexts german = LoadAviCaptionTexts();
  SetLangFilePath("");
  EXPECT_EQ(german.noGpsSignal, "Kein GPS-Signal");
}

}  // namespace
