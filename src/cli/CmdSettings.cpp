// korvane-cli settings [--json]: the viewer's own settings, as it reads them
// at start-up, and where they come from.

#include <cstdio>
#include <iostream>

#include "base/AppSetting.h"
#include "base/MgrMultiLang.h"
#include "base/ModelTable.h"
#include "base/SettingKeys.h"
#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "cli/PrintableText.h"

namespace {

const char* SpeedSourceName(int mode) {
  if (mode == kDisplaySpeedGps) return "gps";
  if (mode == kDisplaySpeedPulse) return "pulse";
  return "unknown";
}

Json ModelJson(int modelId) {
  const ModelEntry* model = FindModel(modelId);
  return Json{{"id", modelId},
              {"menu", model ? Json(model->menuEntry) : Json(nullptr)},
              {"dialog", model ? Json(DeviceSettingDialogName(model->dialog)) : Json(nullptr)},
              {"h_layout", IsMxHModel(modelId)}};
}

Json SettingsJson(const CAppSetting& s) {
  const KmlSetting& kml = s.Kml();
  const int modelId = s.GetCurrentModel();
  const int speed = s.GetDisplaySpeed();
  return Json{
      {"settings_file", s.GetIniPath().string()},
      {"settings_folder", s.SettingsFolder().string()},
      {"start_folder", s.StartFolder().string()},
      {"language_file", s.LanguageFilePath()},
      {kSectionGui, Json{{kKeyVender, s.VenderCode()}, {kKeyDateDesc, s.DateDesc()}, {kKeyModelName, s.ModelName()}}},
      {kSectionMap, Json{{kKeyMapType, s.MapType()}}},
      {kSectionRunParam, Json{{kKeyCurrentModel, modelId},
                              {kKeyDisplaySpeed, speed},
                              {kKeySaveJpgFolder, s.SaveJpgFolder()},
                              {kKeySaveAviFolder, s.SaveAviFolder()},
                              {kKeyBackupFolder, s.BackupFolder()},
                              {kKeySaveLogFolder, s.SaveLogFolder()},
                              {kKeySaveTrackFolder, s.SaveTrackFolder()},
                              {kKeyAviCaption, s.AviCaption()},
                              {kKeySaveJpgGeotag, s.SaveJpgGeotag() ? 1 : 0}}},
      {kSectionKml, Json{{kKeyPointer, kml.pointer},
                         {kKeyRoute, kml.route},
                         {kKeyRunGoogleEarth, kml.runGoogleEarth},
                         {kKeyPointerInterval, kml.pointerInterval},
                         {kKeyLineWidth, kml.lineWidth},
                         {kKeyLineOpacity, kml.lineOpacity},
                         {kKeyLineColor, kml.lineColor}}},
      {kSectionDisplay, Json{{kKeySpeedUnit, s.GetSpeedUnit()}}},
      {"current_model", ModelJson(modelId)},
      {"display_speed", SpeedSourceName(speed)}};
}

std::string OrNone(const std::string& text) { return text.empty() ? "(none)" : Printable(text); }

void PrintText(const CAppSetting& s) {
  const Json document = SettingsJson(s);
  std::printf("settings file    %s\n", Printable(s.GetIniPath().string()).c_str());
  std::printf("settings folder  %s\n", OrNone(s.SettingsFolder().string()).c_str());
  std::printf("start folder     %s\n", Printable(s.StartFolder().string()).c_str());
  std::printf("language file    %s\n", OrNone(s.LanguageFilePath()).c_str());
  for (std::string_view section : {kSectionGui, kSectionMap, kSectionRunParam, kSectionKml, kSectionDisplay}) {
    std::printf("[%.*s]\n", static_cast<int>(section.size()), section.data());
    for (const auto& [key, value] : document.at(std::string(section)).items()) {
      const std::string text = value.is_string() ? value.get<std::string>() : value.dump();
      std::printf("  %-16s %s\n", key.c_str(), Printable(text).c_str());
    }
  }
  const ModelEntry* model = FindModel(s.GetCurrentModel());
  std::printf("current model    %s%s%s\n", model ? model->menuEntry : "none (not in the model table)",
              model ? ", " : "", model ? DeviceSettingDialogName(model->dialog) : "");
  std::printf("display speed    %s\n", SpeedSourceName(s.GetDisplaySpeed()));
}

}  // namespace

void AddSettingsCommand(CLI::App& app, int& exitStatus) {
  auto* command = app.add_subcommand("settings", "Print the viewer's settings file and every value read from it");
  auto json = std::make_shared<bool>(false);
  command->add_flag("--json", *json, "print JSON");
  command->callback([&exitStatus, json] {
    CAppSetting setting;
    setting.LoadSetting();
    FindLangFile(setting);
    if (*json)
      std::cout << WriteJson(SettingsJson(setting));
    else
      PrintText(setting);
    exitStatus = kExitOk;
  });
}
