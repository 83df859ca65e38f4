// korvane-cli device-settings show|set|defaults CARD: the recorder's settings
// on a card, as the device-settings dialog of a model family shows and saves
// them. The refusals and messages are the dialog's; a refusal is one line on
// stderr and leaves the card as it was. A new recording method deletes the
// card's video recordings, so it needs --yes, and --backup-to DIR copies
// the whole card first.

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/AppSetting.h"
#include "base/MgrMultiLang.h"
#include "base/ModelTable.h"
#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "cli/ExportCli.h"
#include "cli/JsonWriter.h"
#include "cli/PrintableText.h"
#include "platform/ManualPorts.h"
#include "platform/ScriptedPrompt.h"
#include "platform/Volumes.h"
#include "recording/CardLayout.h"
#include "tools/BackupJob.h"
#include "tools/BackupMessages.h"
#include "tools/BackupStartCheck.h"
#include "tools/BackupTask.h"
#include "tools/CardSizeCheck.h"
#include "tools/DeleteFiles.h"
#include "tools/DeviceSettingSave.h"

namespace {

namespace fs = std::filesystem;

constexpr int kNoModel = -1;

struct ShowArgs {
  std::string card;
  int model = kNoModel;
  bool json = false;
};

// Every choice is optional: what is not given keeps what the card holds.
struct SetArgs {
  std::string card;
  int model = kNoModel;
  std::optional<int> method, resolution, fps, eventTime, pulseType, level;
  std::optional<std::string> quality, mode, simple, beep, sdFormat, detectAngle, sdId, clock, axis;
  bool noClock = false;
  std::string backupTo;
  bool yes = false;
};

struct DefaultsArgs {
  std::string card;
  int model = kNoModel;
};

RecorderClock LocalNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

int ModelOrCurrent(int given) {
  if (given != kNoModel) return given;
  CAppSetting setting;
  setting.LoadSetting();
  return setting.GetCurrentModel();
}

// The card folder and a model of the table, or the reason on stderr.
std::optional<CDeviceSettingModel> LoadModel(const std::string& card, int modelId) {
  std::error_code error;
  if (!fs::is_directory(card, error)) {
    PrintError(GetLangText("Message", "NoSDCard", "No selected SD Card") + ": " + card);
    return std::nullopt;
  }
  std::optional<CDeviceSettingModel> model = CDeviceSettingModel::ForCard(card, modelId, LocalNow());
  if (!model) PrintError("no recorder model has the id " + std::to_string(modelId));
  return model;
}

const char* ListName(SettingListId id) {
  switch (id) {
    case SettingListId::kMethod:
      return "method";
    case SettingListId::kResolution:
      return "resolution";
    case SettingListId::kFrameRate:
      return "fps";
    case SettingListId::kQuality:
      return "quality";
    case SettingListId::kRecMode:
      return "mode";
    case SettingListId::kEventTime:
      return "event_time";
    case SettingListId::kEventRatio:
      return "event_ratio";
    case SettingListId::kLevel:
      return "level";
    case SettingListId::kAxisX:
      return "axis_x";
    case SettingListId::kAxisY:
      return "axis_y";
    case SettingListId::kAxisZ:
      return "axis_z";
    case SettingListId::kPulseType:
      return "pulse_type";
  }
  return "";
}

const char* CheckName(SettingCheck check) {
  switch (check) {
    case SettingCheck::kSimpleMode:
      return "simple";
    case SettingCheck::kTriggerBeep:
      return "beep";
    case SettingCheck::kSdFormat:
      return "sd_format";
    case SettingCheck::kDetectAngle:
      return "detect_angle";
    case SettingCheck::kManualTime:
      return "manual_time";
    case SettingCheck::kTriggerGSensor:
      return "trigger_g_sensor";
    case SettingCheck::kTriggerSwitch:
      return "trigger_switch";
    case SettingCheck::kTriggerRadar:
      return "trigger_radar";
  }
  return "";
}

constexpr SettingListId kLists[] = {
    SettingListId::kMethod,  SettingListId::kResolution, SettingListId::kFrameRate,  SettingListId::kQuality,
    SettingListId::kRecMode, SettingListId::kEventTime,  SettingListId::kEventRatio, SettingListId::kLevel,
    SettingListId::kAxisX,   SettingListId::kAxisY,      SettingListId::kAxisZ,      SettingListId::kPulseType,
};
constexpr SettingCheck kChecks[] = {SettingCheck::kSimpleMode, SettingCheck::kTriggerBeep, SettingCheck::kSdFormat,
                                    SettingCheck::kDetectAngle, SettingCheck::kManualTime};

std::string ClockText(const RecorderClock& c) {
  char text[32];
  std::snprintf(text, sizeof text, "%.4d-%.2d-%.2d %.2d:%.2d:%.2d", c.year, c.month, c.day, c.hour, c.minute, c.second);
  return text;
}

Json ModelJson(int modelId, const CDeviceSettingModel& model) {
  Json lists = Json::object();
  for (SettingListId id : kLists) {
    if (!model.Shows(id)) continue;
    const SettingList& list = model.List(id);
    Json entries = Json::array();
    for (const SettingEntry& entry : list.entries) entries.push_back({{"text", entry.text}, {"value", entry.value}});
    lists[ListName(id)] = {
        {"entries", entries}, {"selected", list.selected}, {"value", list.Value()}, {"enabled", list.enabled}};
  }
  Json checks = Json::object();
  for (SettingCheck check : kChecks) {
    if (!model.Shows(check)) continue;
    checks[CheckName(check)] = {{"checked", model.Checked(check)}, {"enabled", model.Enabled(check)}};
  }
  const ModelEntry* entry = FindModel(modelId);
  return Json{{"model", modelId},
              {"model_name", entry ? entry->menuEntry : ""},
              {"dialog", entry ? DeviceSettingDialogName(entry->dialog) : ""},
              {"levels_as_sliders", model.LevelsAsSliders()},
              {"lists", lists},
              {"checks", checks},
              {"sd_id", model.ShowsSdId() ? Json(model.SdId()) : Json(nullptr)},
              {"clock", ClockText(model.Clock())},
              {"clock_enabled", model.ClockEnabled()}};
}

void PrintModel(int modelId, const CDeviceSettingModel& model) {
  const ModelEntry* entry = FindModel(modelId);
  std::printf("model %d %s (%s)\n", modelId, entry->menuEntry, DeviceSettingDialogName(entry->dialog));
  for (SettingListId id : kLists) {
    if (!model.Shows(id)) continue;
    const SettingList& list = model.List(id);
    // The entries' own texts hold brackets and commas: the chosen one is
    // marked with a star, and " | " parts them.
    std::string line = std::string(ListName(id)) + ": ";
    for (size_t i = 0; i < list.entries.size(); ++i) {
      if (i > 0) line += " | ";
      if (static_cast<int>(i) == list.selected) line += "*";
      line += list.entries[i].text;
    }
    if (!list.enabled) line += " (disabled)";
    std::printf("%s\n", Printable(line).c_str());
  }
  for (SettingCheck check : kChecks) {
    if (!model.Shows(check)) continue;
    std::printf("%s: %s%s\n", CheckName(check), model.Checked(check) ? "on" : "off",
                model.Enabled(check) ? "" : " (disabled)");
  }
  if (model.ShowsSdId()) std::printf("sd_id: %s\n", Printable(model.SdId()).c_str());
  std::printf("clock: %s%s\n", ClockText(model.Clock()).c_str(), model.ClockEnabled() ? "" : " (disabled)");
}

int RunShow(const ShowArgs& args) {
  UseProgramLanguage();
  const int modelId = ModelOrCurrent(args.model);
  const std::optional<CDeviceSettingModel> model = LoadModel(args.card, modelId);
  if (!model) return kExitLoadFailed;
  if (args.json) {
    std::cout << WriteJson(ModelJson(modelId, *model));
  } else {
    PrintModel(modelId, *model);
  }
  return kExitOk;
}

std::optional<bool> OnOff(const std::string& text) {
  if (text == "on") return true;
  if (text == "off") return false;
  return std::nullopt;
}

std::optional<RecorderClock> ParseClock(const std::string& text) {
  RecorderClock c;
  char tail = 0;
  if (std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d%c", &c.year, &c.month, &c.day, &c.hour, &c.minute, &c.second,
                  &tail) != 6) {
    return std::nullopt;
  }
  const bool valid = c.year >= 1980 && c.year <= 9999 && c.month >= 1 && c.month <= 12 && c.day >= 1 && c.day <= 31 &&
                     c.hour >= 0 && c.hour <= 23 && c.minute >= 0 && c.minute <= 59 && c.second >= 0 && c.second <= 59;
  if (!valid) return std::nullopt;
  return c;
}

// Applies the choices in the dialog's order of dependence, so that a frame
// rate is looked up in the list its method builds. The first choice the
// family's dialog cannot take is named on stderr.
class Chooser {
 public:
  explicit Chooser(CDeviceSettingModel& model) : model_(model) {}

  bool failed() const { return failed_; }

  void List(SettingListId id, std::optional<int> value, const std::string& given) {
    if (failed_ || !value) return;
    if (!model_.Shows(id)) return Refuse(std::string("this model has no ") + ListName(id) + " setting");
    if (!model_.Select(id, *value)) Refuse(std::string(ListName(id)) + " " + given + ": not in the list");
  }
  void Index(SettingListId id, int index, const std::string& given) {
    if (failed_) return;
    if (!model_.Shows(id)) return Refuse(std::string("this model has no ") + ListName(id) + " setting");
    if (!model_.SelectIndex(id, index)) Refuse(std::string(ListName(id)) + " " + given + ": not in the list");
  }
  void Check(SettingCheck check, const std::optional<std::string>& given) {
    if (failed_ || !given) return;
    const std::optional<bool> ticked = OnOff(*given);
    if (!ticked) return Refuse(std::string(CheckName(check)) + " " + *given + ": on or off");
    if (!model_.Shows(check)) return Refuse(std::string("this model has no ") + CheckName(check) + " setting");
    model_.SetChecked(check, *ticked);
  }
  void Refuse(const std::string& why) {
    PrintError(why);
    failed_ = true;
  }

 private:
  CDeviceSettingModel& model_;
  bool failed_ = false;
};

std::optional<std::vector<int>> ParseAxis(const std::string& text) {
  std::vector<int> levels;
  size_t start = 0;
  while (start <= text.size()) {
    const size_t comma = text.find(',', start);
    const std::string part = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    if (part.size() != 1 || part[0] < '1' || part[0] > '5') return std::nullopt;
    levels.push_back(part[0] - '1');
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  if (levels.size() != 3) return std::nullopt;
  return levels;
}

bool ApplyChoices(const SetArgs& args, CDeviceSettingModel& model) {
  Chooser choose(model);
  const auto text = [](std::optional<int> v) { return v ? std::to_string(*v) : std::string(); };
  choose.List(SettingListId::kMethod, args.method, text(args.method));
  choose.List(SettingListId::kFrameRate, args.fps, text(args.fps));
  choose.List(SettingListId::kEventTime, args.eventTime, text(args.eventTime));
  choose.List(SettingListId::kResolution, args.resolution, text(args.resolution));
  if (args.quality) {
    if (*args.quality == "low" || *args.quality == "high") {
      choose.Index(SettingListId::kQuality, *args.quality == "low" ? 0 : 1, *args.quality);
    } else {
      choose.Refuse("quality " + *args.quality + ": low or high");
    }
  }
  if (args.mode) {
    if (*args.mode == "overwrite" || *args.mode == "onetime") {
      choose.Index(SettingListId::kRecMode, *args.mode == "overwrite" ? 0 : 1, *args.mode);
    } else {
      choose.Refuse("mode " + *args.mode + ": overwrite or onetime");
    }
  }
  choose.Check(SettingCheck::kSimpleMode, args.simple);
  if (args.level) choose.List(SettingListId::kLevel, *args.level - 1, text(args.level));
  if (args.axis) {
    const std::optional<std::vector<int>> levels = ParseAxis(*args.axis);
    if (!levels) {
      choose.Refuse("axis " + *args.axis + ": three levels 1..5, as X,Y,Z");
    } else {
      choose.List(SettingListId::kAxisX, (*levels)[0], *args.axis);
      choose.List(SettingListId::kAxisY, (*levels)[1], *args.axis);
      choose.List(SettingListId::kAxisZ, (*levels)[2], *args.axis);
    }
  }
  choose.Check(SettingCheck::kTriggerBeep, args.beep);
  choose.Check(SettingCheck::kSdFormat, args.sdFormat);
  choose.Check(SettingCheck::kDetectAngle, args.detectAngle);
  choose.List(SettingListId::kPulseType, args.pulseType, text(args.pulseType));
  if (args.sdId) {
    if (model.ShowsSdId()) {
      model.SetSdId(*args.sdId);
    } else {
      choose.Refuse("this model has no sd_id setting");
    }
  }
  if (args.noClock) model.SetChecked(SettingCheck::kManualTime, false);
  if (args.clock && !choose.failed()) {
    const std::optional<RecorderClock> clock = ParseClock(*args.clock);
    if (clock) {
      model.SetChecked(SettingCheck::kManualTime, true);
      model.SetClock(*clock);
    } else {
      choose.Refuse("clock " + *args.clock + ": \"YYYY-MM-DD HH:MM:SS\"");
    }
  }
  return !choose.failed();
}

// Answers the save's questions as the command line asked: the save itself
// is what the command is for; a new method's deletion needs --yes, and the
// backup question is a Yes only with a folder to back up into.
class SavePrompt final : public Prompt {
 public:
  SavePrompt(bool backup, bool yes) : backup_(backup), yes_(yes) {}

  PromptAnswer Show(const std::string& text, const std::string&, PromptButtons buttons) override {
    switch (buttons) {
      case PromptButtons::Ok:
        messages_.push_back(text);
        return PromptAnswer::Ok;
      case PromptButtons::OkCancel:
        return PromptAnswer::Ok;
      case PromptButtons::YesNoCancel:
        if (!yes_) refusedDeletion_ = true;
        return !yes_ ? PromptAnswer::Cancel : backup_ ? PromptAnswer::Yes : PromptAnswer::No;
      case PromptButtons::YesNo:
        // Asked after a backup that did not complete: nothing is deleted
        // without the copy the command line asked for.
        if (backup_) backupFailed_ = true;
        return yes_ && !backup_ ? PromptAnswer::Yes : PromptAnswer::No;
      case PromptButtons::YesYesToAllNo:
        return PromptAnswer::No;  // the save asks no such question
    }
    return PromptAnswer::Cancel;
  }
  std::optional<std::string> PickFolder(const std::string&, const std::string&) override { return std::nullopt; }

  const std::vector<std::string>& Messages() const { return messages_; }
  bool RefusedDeletion() const { return refusedDeletion_; }
  bool BackupFailed() const { return backupFailed_; }

 private:
  bool backup_;
  bool yes_;
  bool refusedDeletion_ = false;
  bool backupFailed_ = false;
  std::vector<std::string> messages_;
};

bool BackUpWholeCard(const std::string& card, const std::string& target) {
  if (const auto refusal = BackupStartRefusal(card, true, {}, target)) {
    PrintError(target + ": " + MessageText(*refusal));
    return false;
  }
  BackupJob job(card);
  job.SelectAll();
  std::printf("%s\n", Printable(job.SizeLabel()).c_str());
  ManualUiQueue ui;
  ScriptedPrompt keepExisting;  // an existing file in the target stops the backup
  keepExisting.QueueAnswer(PromptAnswer::No);
  BackupTask task(ui, keepExisting);
  std::optional<BackupResult> ended;
  if (!task.Start(job, target, [&ended](const BackupResult& result) { ended = result; })) return false;
  WaitForExportEnd(
      ui, [&ended] { return !ended.has_value(); }, [&task] { task.Cancel(); });
  std::printf("%s\n", Printable(BackupFinalMessage(*ended)).c_str());
  return ended->end == BackupEnd::Completed && ended->failed == 0;
}

int RunSet(const SetArgs& args) {
  UseProgramLanguage();
  std::optional<CDeviceSettingModel> model = LoadModel(args.card, args.model);
  if (!model) return kExitLoadFailed;
  if (!ApplyChoices(args, *model)) return kExitUsage;
  std::error_code error;
  if (!args.backupTo.empty() && !fs::is_directory(args.backupTo, error)) {
    PrintError(args.backupTo + ": not a folder to back up into");
    return kExitUsage;
  }

  const Volumes volumes;
  SavePrompt prompt(!args.backupTo.empty(), args.yes);
  int deleted = 0;
  DeviceSettingSavePorts ports;
  ports.backupWholeCard = [&] { return BackUpWholeCard(args.card, args.backupTo); };
  ports.releaseCard = [] {};
  ports.deleteVideos = [&] {
    const DeleteFilesJob job(args.card, true, false);
    deleted = job.Run(job.Count(), {});
  };
  ports.unsupportedSize = [&volumes](const fs::path& root) { return IsUnsupportedCardSize(volumes, root); };
  const SaveOutcome outcome = SaveDeviceSettings(args.card, *model, prompt, ports);
  for (const std::string& message : prompt.Messages()) PrintError(message);
  if (prompt.BackupFailed()) {
    PrintError("the backup did not complete; nothing was deleted or saved");
    return kExitLoadFailed;
  }
  if (prompt.RefusedDeletion()) {
    PrintError("a new recording method deletes the card's video recordings; add --yes (and --backup-to DIR)");
    return kExitUsage;
  }
  if (deleted > 0) std::printf("%d video recording file(s) deleted\n", deleted);
  if (outcome != SaveOutcome::kSaved) return kExitLoadFailed;
  std::printf("saved %s\n", Printable(SetIniPath(args.card).string()).c_str());
  return kExitOk;
}

int RunDefaults(const DefaultsArgs& args) {
  UseProgramLanguage();
  if (!LoadModel(args.card, args.model)) return kExitLoadFailed;
  if (!HasCardLayout(args.card)) {
    PrintError(args.card + ": " + InvalidCardFolderMessage());
    return kExitLoadFailed;
  }
  if (!WriteDefaultSettings(args.card, args.model)) {
    PrintError(GetLangText("Message", "SaveSetFail", "Save setting Error"));
    return kExitLoadFailed;
  }
  std::printf("defaults written to %s\n", Printable(SetIniPath(args.card).string()).c_str());
  return kExitOk;
}

void AddShow(CLI::App& parent, int& exitStatus) {
  auto args = std::make_shared<ShowArgs>();
  CLI::App* command = parent.add_subcommand("show", "What the settings dialog shows for the card");
  command->add_option("CARD", args->card, "Card folder")->required();
  command->add_option("--model", args->model, "Recorder model id (default: the viewer's current model)");
  command->add_flag("--json", args->json, "print JSON");
  command->callback([args, &exitStatus] { exitStatus = RunShow(*args); });
}

void AddSet(CLI::App& parent, int& exitStatus) {
  auto args = std::make_shared<SetArgs>();
  CLI::App* command = parent.add_subcommand("set", "Change the card's settings and save them as the dialog does");
  command->add_option("CARD", args->card, "Card folder")->required();
  command->add_option("--model", args->model, "Recorder model id")->required();
  command->add_option("--method", args->method, "Recording method: 1 normal, 2 event, 3 normal+event");
  command->add_option("--resolution", args->resolution, "2 (320 x 240) or 4 (640 x 480)");
  command->add_option("--fps", args->fps, "Frames per second, from the method's list");
  command->add_option("--quality", args->quality, "low or high");
  command->add_option("--mode", args->mode, "overwrite or onetime");
  command->add_option("--event-time", args->eventTime, "Seconds before the trigger: 10, 12, 15, 18 or 20");
  command->add_option("--simple", args->simple, "Simple sensitivity setting: on or off");
  command->add_option("--level", args->level, "Sensitivity in simple mode, 1..5");
  command->add_option("--axis", args->axis, "Per-axis levels X,Y,Z, each 1..5");
  command->add_option("--beep", args->beep, "Beep on trigger: on or off");
  command->add_option("--sd-format", args->sdFormat, "The recorder's own card format: on or off");
  command->add_option("--sdid", args->sdId, "SD card ID, at most 10 characters; empty removes it");
  command->add_option("--detect-angle", args->detectAngle, "Detect the installation angle: on or off");
  command->add_option("--pulse-type", args->pulseType, "Car pulse type -1..5");
  CLI::Option* clock = command->add_option("--clock", args->clock, "Set the recorder's clock: \"YYYY-MM-DD HH:MM:SS\"");
  command->add_flag("--no-clock", args->noClock, "Do not set the recorder's clock")->excludes(clock);
  command->add_option("--backup-to", args->backupTo, "Back the whole card up here before a new method deletes");
  command->add_flag("--yes", args->yes, "Allow a new recording method to delete the video recordings");
  command->callback([args, &exitStatus] { exitStatus = RunSet(*args); });
}

void AddDefaults(CLI::App& parent, int& exitStatus) {
  auto args = std::make_shared<DefaultsArgs>();
  CLI::App* command = parent.add_subcommand("defaults", "Write the model family's defaults into the card's set.ini");
  command->add_option("CARD", args->card, "Card folder")->required();
  command->add_option("--model", args->model, "Recorder model id")->required();
  command->callback([args, &exitStatus] { exitStatus = RunDefaults(*args); });
}

}  // namespace

void AddDeviceSettingsCommand(CLI::App& app, int& exitStatus) {
  CLI::App* command = app.add_subcommand("device-settings", "The recorder's settings on a card");
  command->require_subcommand(1);
  AddShow(*command, exitStatus);
  AddSet(*command, exitStatus);
  AddDefaults(*command, exitStatus);
}
