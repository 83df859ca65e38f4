#pragma once
// The recorder models the user can own, in the order of the Tool menu's
// "Model Select" submenu. The model id is what the settings file stores; it
// chooses the device-settings dialog and the main panel's layout.

#include <span>
#include <string>

// The device-settings dialog of a model family: CDlgSetting, CDlgSetting15,
// CDlgSetting2 and CDlgSetting3.
enum class DeviceSettingDialog { kDlgSetting, kDlgSetting15, kDlgSetting2, kDlgSetting3 };

struct ModelEntry {
  const char* menuEntry;    // "MX-A"
  const char* commandName;  // language key of the menu command, "ToolModelMXA"
  const char* menuDefault;  // the command's English text, "MX-A(&0)"
  int modelId;
  DeviceSettingDialog dialog;
};

// The id with the panel layout of its own (MX-H). Ids 7 and 8 are not used.
constexpr int kMxHModelId = 9;
constexpr int kDefaultModelId = 0;

// The panel layout change a model command asks for.
enum class LayoutChange { kNone, kToMxH, kToOrdinary };

std::span<const ModelEntry> ModelTable();

// The entry of a model id; nullptr for an id outside the table (a
// hand-edited settings file), which selects no settings dialog.
const ModelEntry* FindModel(int modelId);

// The dialog's class name, "CDlgSetting15" and so on.
const char* DeviceSettingDialogName(DeviceSettingDialog dialog);

bool IsMxHModel(int modelId);

// What the panel must do when the stored id changes from currentId to newId.
LayoutChange LayoutChangeFor(int currentId, int newId);

// The menu command's text in the chosen language.
std::string ModelMenuText(const ModelEntry& model);
