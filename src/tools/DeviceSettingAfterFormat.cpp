#include "tools/DeviceSettingAfterFormat.h"

void DialogSettingsAfterFormat::WriteFresh(const std::filesystem::path& cardRoot, int modelId) {
  const std::optional<CDeviceSettingModel> model = CDeviceSettingModel::ForCard(cardRoot, modelId, now_);
  if (!model) return;
  WriteSettingsToCard(cardRoot, model->Family(), model->ToSave(now_));
}
