// The device-settings dialog's rules per model family, on values given as a
// card would hold them: the lists and their selection, the rebuilds after a
// change, the enabling, the card ID check and what a save would write.

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "tools/DeviceSettingModel.h"

namespace {

using Id = SettingListId;

const RecorderClock kNow{2025, 3, 9, 14, 5, 30};

// A clock as one comparable value, so a mismatch prints what it was.
std::string ClockKey(const RecorderClock& c) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", c.year, c.month, c.day, c.hour, c.minute, c.second);
  return text;
}

CDeviceSettingModel Load(SettingsFamily family, const DeviceSettings& values = {}) {
  SettingsCard card;
  card.values = values;
  return CDeviceSettingModel(family, card, kNow);
}

std::vector<int> Values(const SettingList& list) {
  std::vector<int> values;
  for (const SettingEntry& entry : list.entries) values.push_back(entry.value);
  return values;
}

std::vector<std::string> Texts(const SettingList& list) {
  std::vector<std::string> texts;
  for (const SettingEntry& entry : list.entries) texts.push_back(entry.text);
  return texts;
}

TEST(DeviceSettingModelTest, TheStoredMethodPicksItsEntryAndAnythingElseMeansNormalPlusEvent) {
  DeviceSettings values;
  for (const auto& [stored, selected] : {std::pair{1, 0}, {2, 1}, {3, 2}, {0, 2}, {7, 2}}) {
    values.recingMode = stored;
    const CDeviceSettingModel model = Load(SettingsFamily::kB, values);
    EXPECT_EQ(model.List(Id::kMethod).selected, selected) << "stored " << stored;
  }
  EXPECT_EQ(Texts(Load(SettingsFamily::kC).List(Id::kMethod)),
            (std::vector<std::string>{"Normal", "Event", "Normal+Event"}));
}

TEST(DeviceSettingModelTest, TheFrameRatesFollowTheMethodAndKeepTheRateWhereTheyCan) {
  DeviceSettings values;
  values.recingMode = 1;
  values.postRecInt = 5;
  CDeviceSettingModel model = Load(SettingsFamily::kD, values);
  EXPECT_EQ(Values(model.List(Id::kFrameRate)), (std::vector<int>{1, 5, 10, 15}));
  EXPECT_EQ(model.List(Id::kFrameRate).Value(), 5);

  // Event recording has no 5 fps: the first entry takes over.
  ASSERT_TRUE(model.Select(Id::kMethod, 2));
  EXPECT_EQ(Values(model.List(Id::kFrameRate)), (std::vector<int>{10, 15, 30}));
  EXPECT_EQ(model.List(Id::kFrameRate).Value(), 10);
  ASSERT_TRUE(model.Select(Id::kFrameRate, 15));
  ASSERT_TRUE(model.Select(Id::kMethod, 3));
  EXPECT_EQ(Values(model.List(Id::kFrameRate)), (std::vector<int>{10, 15}));
  EXPECT_EQ(model.List(Id::kFrameRate).Value(), 15);
  EXPECT_FALSE(model.Select(Id::kFrameRate, 30));
  EXPECT_EQ(model.List(Id::kFrameRate).Value(), 15);
}

TEST(DeviceSettingModelTest, ThirtyFramesASecondDropTheThirtySecondEventTimes) {
  DeviceSettings values;
  values.recingMode = 2;
  values.postRecInt = 15;
  values.preRecTime = 18;
  CDeviceSettingModel model = Load(SettingsFamily::kB, values);
  EXPECT_EQ(Texts(model.List(Id::kEventTime)),
            (std::vector<std::string>{"10,10 [20 sec]", "12,8 [20 sec]", "15,5 [20 sec]", "18,12 [30 sec]",
                                      "20,10 [30 sec]"}));
  EXPECT_EQ(model.List(Id::kEventTime).Value(), 18);
  EXPECT_EQ(model.ToSave(kNow).values.postRecTime, 12);

  ASSERT_TRUE(model.Select(Id::kFrameRate, 30));
  EXPECT_EQ(Values(model.List(Id::kEventTime)), (std::vector<int>{10, 12, 15}));
  EXPECT_EQ(model.List(Id::kEventTime).Value(), 10);
  const SettingsToSave save = model.ToSave(kNow);
  EXPECT_EQ(save.values.preRecTime, 10);
  EXPECT_EQ(save.values.postRecTime, 10);
}

TEST(DeviceSettingModelTest, AStoredEighteenAtThirtyFramesLoadsAsTenTen) {
  DeviceSettings values;
  values.recingMode = 2;
  values.postRecInt = 30;
  values.preRecTime = 18;
  const SettingsToSave save = Load(SettingsFamily::kD, values).ToSave(kNow);
  EXPECT_EQ(save.values.preRecTime, 10);
  EXPECT_EQ(save.values.postRecTime, 10);
  EXPECT_EQ(save.values.postRecInt, 30);
}

TEST(DeviceSettingModelTest, NormalRecordingDisablesTheEventTimeAndSetsTheRatio) {
  CDeviceSettingModel model = Load(SettingsFamily::kC);
  EXPECT_TRUE(model.List(Id::kEventTime).enabled);
  EXPECT_EQ(Texts(model.List(Id::kEventRatio)), std::vector<std::string>{"100 : 0"});

  ASSERT_TRUE(model.Select(Id::kMethod, 1));
  EXPECT_FALSE(model.List(Id::kEventTime).enabled);
  EXPECT_EQ(Texts(model.List(Id::kEventRatio)), std::vector<std::string>{"0 : 100"});
  EXPECT_EQ(model.ToSave(kNow).values.eventRecPer, 0);

  ASSERT_TRUE(model.Select(Id::kMethod, 3));
  EXPECT_TRUE(model.List(Id::kEventTime).enabled);
  EXPECT_EQ(model.ToSave(kNow).values.eventRecPer, 30);
  EXPECT_EQ(model.ToSave(kNow).values.recingMode, 3);
}

TEST(DeviceSettingModelTest, TheQualityValuesFollowTheResolutionKeepingLowOrHigh) {
  DeviceSettings values;
  values.postField = 2;
  values.postSize = 10;
  CDeviceSettingModel model = Load(SettingsFamily::kB, values);
  EXPECT_EQ(Values(model.List(Id::kQuality)), (std::vector<int>{10, 20}));
  EXPECT_EQ(model.List(Id::kQuality).Text(), "Low");

  ASSERT_TRUE(model.Select(Id::kResolution, 4));
  EXPECT_EQ(Values(model.List(Id::kQuality)), (std::vector<int>{32, 64}));
  EXPECT_EQ(model.List(Id::kQuality).Value(), 32);
  const SettingsToSave save = model.ToSave(kNow);
  EXPECT_EQ(save.values.postField, 4);
  EXPECT_EQ(save.values.postSize, 32);
}

TEST(DeviceSettingModelTest, OverwriteComesFirstAndOneTimeIsChosenByItsValue) {
  DeviceSettings values;
  values.recMod = 1;
  const CDeviceSettingModel model = Load(SettingsFamily::kA, values);
  EXPECT_EQ(Texts(model.List(Id::kRecMode)), (std::vector<std::string>{"Overwrite", "One Time"}));
  EXPECT_EQ(model.List(Id::kRecMode).selected, 1);
  EXPECT_EQ(model.ToSave(kNow).values.recMod, 1);
}

TEST(DeviceSettingModelTest, SimpleModeEnablesTheOneLevelAndDisablesTheAxes) {
  DeviceSettings values;
  values.accSen = 2 * 3 + 1;
  values.accSenX = 0;
  values.accSenY = 1;
  values.accSenZ = 4;
  CDeviceSettingModel model = Load(SettingsFamily::kC, values);
  EXPECT_TRUE(model.Checked(SettingCheck::kSimpleMode));
  EXPECT_EQ(model.List(Id::kLevel).Value(), 3);
  EXPECT_EQ(model.List(Id::kLevel).Text(), "4");
  EXPECT_TRUE(model.List(Id::kLevel).enabled);
  EXPECT_FALSE(model.List(Id::kAxisY).enabled);
  EXPECT_EQ(model.List(Id::kAxisZ).Value(), 4);

  model.SetChecked(SettingCheck::kSimpleMode, false);
  EXPECT_FALSE(model.List(Id::kLevel).enabled);
  EXPECT_TRUE(model.List(Id::kAxisX).enabled);
  ASSERT_TRUE(model.Select(Id::kLevel, 1));
  const SettingsToSave save = model.ToSave(kNow);
  EXPECT_EQ(save.values.accSen, 2);
  EXPECT_EQ(save.values.accSenX, 0);
  EXPECT_EQ(save.values.accSenY, 1);
}

TEST(DeviceSettingModelTest, LevelsOutsideTheScaleAreHeldToIt) {
  DeviceSettings values;
  values.accSen = 2 * 9;
  values.accSenX = -3;
  const CDeviceSettingModel model = Load(SettingsFamily::kA, values);
  EXPECT_EQ(model.List(Id::kLevel).Value(), 4);
  EXPECT_EQ(model.List(Id::kAxisX).Value(), 0);
}

TEST(DeviceSettingModelTest, FamilyDTakesItsAxisLevelsFromSen1AndAlwaysWritesItsFixedValues) {
  DeviceSettings values;
  values.sdFormat = 1;
  values.trgSet = 3;
  values.accSenX = 4;
  values.sen1x = "01,00,00,00,00";
  values.sen1y = "0d,00,00,00,00";  // the low three bits count: 5
  values.sen1z = "";
  values.carPulseType = 3;
  CDeviceSettingModel model = Load(SettingsFamily::kD, values);
  EXPECT_TRUE(model.LevelsAsSliders());
  EXPECT_EQ(model.List(Id::kAxisX).Value(), 0);
  EXPECT_EQ(model.List(Id::kAxisY).Value(), 4);
  EXPECT_EQ(model.List(Id::kAxisZ).Value(), 2);
  EXPECT_EQ(model.List(Id::kPulseType).Text(), "16 pulse");
  EXPECT_FALSE(model.Shows(SettingCheck::kSdFormat));

  ASSERT_TRUE(model.Select(Id::kAxisZ, 1));
  const SettingsToSave save = model.ToSave(kNow);
  EXPECT_EQ(save.values.sdFormat, 0);
  EXPECT_EQ(save.values.trgSet, 34);
  EXPECT_EQ(save.values.carPulseType, 3);
  EXPECT_EQ(save.values.accSenZ, 1);
  EXPECT_EQ(save.values.sen1z, "02,00,00,00,00");
  EXPECT_EQ(save.values.versionId, 3);
}

TEST(DeviceSettingModelTest, ThePulseListStartsWithResetAndAnUnknownTypeSelectsIt) {
  DeviceSettings values;
  values.carPulseType = 6;
  CDeviceSettingModel model = Load(SettingsFamily::kD, values);
  EXPECT_EQ(Texts(model.List(Id::kPulseType)),
            (std::vector<std::string>{"reset", "2 pulse", "4 pulse", "8 pulse", "16 pulse", "20 pulse", "25 pulse"}));
  EXPECT_EQ(model.List(Id::kPulseType).selected, 0);
  EXPECT_EQ(model.ToSave(kNow).values.carPulseType, -1);
  ASSERT_TRUE(model.SelectIndex(Id::kPulseType, 6));
  EXPECT_EQ(model.ToSave(kNow).values.carPulseType, 5);
  EXPECT_FALSE(model.SelectIndex(Id::kPulseType, 7));
}

TEST(DeviceSettingModelTest, FamilyAHasItsOwnListsAndFixedValues) {
  DeviceSettings values;
  values.recingMode = 3;
  values.postRecInt = 15;  // not among its rates: 30 is chosen
  values.preRecTime = 20;
  values.postRecTime = 10;
  SettingsCard card;
  card.values = values;
  card.selfAdjust = true;
  card.sdId = "CARD";
  CDeviceSettingModel model(SettingsFamily::kA, card, kNow);
  EXPECT_FALSE(model.Shows(Id::kMethod));
  EXPECT_FALSE(model.Shows(Id::kEventTime));
  EXPECT_FALSE(model.ShowsSdId());
  EXPECT_FALSE(model.LevelsAsSliders());
  EXPECT_EQ(Values(model.List(Id::kFrameRate)), (std::vector<int>{10, 30}));
  EXPECT_EQ(model.List(Id::kFrameRate).Value(), 30);
  EXPECT_FALSE(model.Select(Id::kMethod, 1));
  EXPECT_EQ(model.MethodToSave(), 2);

  const SettingsToSave save = model.ToSave(kNow);
  EXPECT_EQ(save.values.recingMode, 2);
  EXPECT_EQ(save.values.preRecTime, 15);
  EXPECT_EQ(save.values.postRecTime, 5);
  EXPECT_EQ(save.values.trgSet, 3);
  EXPECT_EQ(save.values.versionId, 0);
  EXPECT_FALSE(save.selfAdjust);
  EXPECT_EQ(save.sdId, "");

  values.postRecInt = 10;
  EXPECT_EQ(Load(SettingsFamily::kA, values).List(Id::kFrameRate).Value(), 10);
}

TEST(DeviceSettingModelTest, FamilyCKeepsTheAngleFileAsFoundAndTakesAxesFromTheirOwnKeys) {
  SettingsCard card;
  card.values.accSenX = 1;
  card.values.sen1x = "05,00,00,00,00";
  for (const bool found : {true, false}) {
    card.selfAdjust = found;
    const CDeviceSettingModel model(SettingsFamily::kC, card, kNow);
    EXPECT_FALSE(model.Shows(SettingCheck::kDetectAngle));
    EXPECT_FALSE(model.Checked(SettingCheck::kTriggerRadar));
    EXPECT_EQ(model.List(Id::kAxisX).Value(), 1);
    const SettingsToSave save = model.ToSave(kNow);
    EXPECT_EQ(save.selfAdjust, found);
    EXPECT_EQ(save.values.trgSet, 3);
    EXPECT_EQ(save.values.versionId, 2);
  }
}

TEST(DeviceSettingModelTest, TheCardIdMayHoldTenCharactersAfterItsLeadingSpaces) {
  CDeviceSettingModel model = Load(SettingsFamily::kB);
  model.SetSdId("  ABCDEFGHIJ");
  EXPECT_TRUE(model.SdIdValid());
  EXPECT_EQ(model.ToSave(kNow).sdId, "ABCDEFGHIJ");
  model.SetSdId("ABCDEFGHIJK");
  EXPECT_FALSE(model.SdIdValid());
  // Characters are counted, not bytes.
  model.SetSdId("\xC3\xA4\xC3\xB6\xC3\xBC\xC3\xA4\xC3\xB6\xC3\xBC\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F");
  EXPECT_TRUE(model.SdIdValid());
  model.SetSdId("   ");
  EXPECT_TRUE(model.SdIdValid());
  EXPECT_EQ(model.ToSave(kNow).sdId, "");
}

TEST(DeviceSettingModelTest, TheClockSavedIsTheMomentOfSavingUnlessTheUserSetIt) {
  const RecorderClock stored{2024, 1, 2, 3, 4, 5};
  const RecorderClock userSet{2026, 12, 24, 18, 30, 15};
  const RecorderClock atSave{2025, 3, 9, 14, 7, 2};
  struct Case {
    const char* name;
    bool clockFile;
    std::optional<RecorderClock> storedClock;
    std::optional<RecorderClock> set;
    bool tickedOff;
    std::optional<RecorderClock> saved;
  };
  const Case cases[] = {
      {"no file: the pickers are off and nothing is saved", false, std::nullopt, std::nullopt, false, std::nullopt},
      {"an empty file saves the moment of saving", true, std::nullopt, std::nullopt, false, atSave},
      {"a past save's value is not set again", true, stored, std::nullopt, false, atSave},
      {"the user's value is saved as set", true, stored, userSet, false, userSet},
      {"unticked, nothing is saved", true, stored, userSet, true, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SettingsCard card;
    card.clockFile = c.clockFile;
    card.clock = c.storedClock;
    CDeviceSettingModel model(SettingsFamily::kD, card, kNow);
    EXPECT_EQ(model.ClockEnabled(), c.clockFile);
    if (c.set) model.SetClock(*c.set);
    if (c.tickedOff) model.SetChecked(SettingCheck::kManualTime, false);
    // The pickers tick: they show each moment until the user sets them.
    EXPECT_EQ(ClockKey(model.ClockAt(atSave)), ClockKey(c.set.value_or(atSave)));
    const std::optional<RecorderClock> saved = model.ToSave(atSave).clock;
    ASSERT_EQ(saved.has_value(), c.saved.has_value());
    if (saved) {
      EXPECT_EQ(ClockKey(*saved), ClockKey(*c.saved));
    }
  }
}

TEST(DeviceSettingModelTest, TheTriggerBoxesAreTickedPerFamilyWhateverTheFileHeld) {
  DeviceSettings values;
  values.trgSet = 0;
  EXPECT_TRUE(Load(SettingsFamily::kC, values).Checked(SettingCheck::kTriggerGSensor));
  EXPECT_TRUE(Load(SettingsFamily::kC, values).Checked(SettingCheck::kTriggerSwitch));
  EXPECT_TRUE(Load(SettingsFamily::kB, values).Checked(SettingCheck::kTriggerRadar));
  EXPECT_EQ(Load(SettingsFamily::kB, values).ToSave(kNow).values.trgSet, 34);
  EXPECT_FALSE(Load(SettingsFamily::kA, values).Checked(SettingCheck::kTriggerRadar));
}

TEST(DeviceSettingModelTest, AnIdOutsideTheModelTableHasNoModel) {
  EXPECT_FALSE(CDeviceSettingModel::ForCard("/nonexistent-card", 7, kNow).has_value());
  EXPECT_FALSE(CDeviceSettingModel::ForCard("/nonexistent-card", -1, kNow).has_value());
  const auto model = CDeviceSettingModel::ForCard("/nonexistent-card", 9, kNow);
  ASSERT_TRUE(model.has_value());
  EXPECT_EQ(model->Family(), SettingsFamily::kD);
  EXPECT_EQ(model->List(Id::kMethod).Value(), 2);
}

}  // namespace
