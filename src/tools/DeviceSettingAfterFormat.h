#pragma once
// Init SD Card from a settings dialog: the freshly formatted card gets what
// the dialog shows once reloaded from it (the read defaults), written as
// the dialog's own save writes them; a restore keeps the family's own
// VERSIONID and names no model.

#include "tools/DeviceSettingModel.h"
#include "tools/SdInit.h"

class DialogSettingsAfterFormat final : public SettingsAfterFormat {
 public:
  explicit DialogSettingsAfterFormat(const RecorderClock& now) : now_(now) {}

  void WriteFresh(const std::filesystem::path& cardRoot, int modelId) override;
  int RestoredVersionId(int modelId) const override { return FamilyCode(modelId); }
  bool WritesModelId() const override { return false; }

 private:
  RecorderClock now_;
};
