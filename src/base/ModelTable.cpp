#include "base/ModelTable.h"

#include <array>

#include "base/MgrMultiLang.h"

namespace {

constexpr const char* kMenuSection = "PullDownMenu";

constexpr std::array<ModelEntry, 8> kModels = {{
    {"MX-A", "ToolModelMXA", "MX-A(&0)", 0, DeviceSettingDialog::kDlgSetting},
    {"MX-B", "ToolModelMXB", "MX-B(&1)", 1, DeviceSettingDialog::kDlgSetting},
    {"MX-C", "ToolModelMXC", "MX-C(&2)", 2, DeviceSettingDialog::kDlgSetting},
    {"MX-D", "ToolModelMXD", "MX-D(&3)", 3, DeviceSettingDialog::kDlgSetting},
    {"MX-E", "ToolModelMXE", "MX-E(&4)", 4, DeviceSettingDialog::kDlgSetting15},
    {"MX-F", "ToolModelMXF", "MX-F(&5)", 5, DeviceSettingDialog::kDlgSetting15},
    {"MX-G", "ToolModelMXG", "MX-G(&6)", 6, DeviceSettingDialog::kDlgSetting2},
    {"MX-H", "ToolModelMXH", "MX-H(&7)", kMxHModelId, DeviceSettingDialog::kDlgSetting3},
}};

}  // namespace

std::span<const ModelEntry> ModelTable() { return kModels; }

const ModelEntry* FindModel(int modelId) {
  for (const ModelEntry& model : kModels) {
    if (model.modelId == modelId) return &model;
  }
  return nullptr;
}

const char* DeviceSettingDialogName(DeviceSettingDialog dialog) {
  switch (dialog) {
    case DeviceSettingDialog::kDlgSetting:
      return "CDlgSetting";
    case DeviceSettingDialog::kDlgSetting15:
      return "CDlgSetting15";
    case DeviceSettingDialog::kDlgSetting2:
      return "CDlgSetting2";
    case DeviceSettingDialog::kDlgSetting3:
      return "CDlgSetting3";
  }
  return "";
}

bool IsMxHModel(int modelId) { return modelId == kMxHModelId; }

LayoutChange LayoutChangeFor(int currentId, int newId) {
  const bool wasH = IsMxHModel(currentId);
  const bool becomesH = IsMxHModel(newId);
  if (wasH && !becomesH) return LayoutChange::kToOrdinary;
  if (becomesH && !wasH) return LayoutChange::kToMxH;
  return LayoutChange::kNone;
}

std::string ModelMenuText(const ModelEntry& model) {
  return GetLangText(kMenuSection, model.commandName, model.menuDefault);
}
