#pragma once
// The card initialisation as the window runs it: the system's tables, the
// format dialog with the real formatter, and the store let go of the card
// and told the new one through the functions given.
#include <QWidget>
#include <functional>
#include <string>

#include "tools/SdInit.h"

class CardBusyMark;
class CardFormatter;
class Prompt;

// The window's ports. formatter: the real one in the window, an
// image-backed one in tests.
class WindowSdInitPorts final : public SdInitPorts {
 public:
  // busy: held while the format runs.
  WindowSdInitPorts(const SystemCardDrives& drives, CardFormatter& formatter, Prompt& prompt, QWidget* parent,
                    std::function<void()> releaseCard, std::function<void(const std::string&)> takeCardRoot,
                    CardBusyMark* busy = nullptr);

  CardDrive InspectDrive(const std::filesystem::path& folder) override;
  FormatStepResult RunFormatStep(const CardDrive& drive, const std::filesystem::path& folder,
                                 bool restoreAllowed) override;
  void ReleaseCard() override;
  void TellCardRoot(const std::filesystem::path& root) override;

 private:
  const SystemCardDrives& drives_;
  CardFormatter& formatter_;
  Prompt& prompt_;
  QWidget* parent_;
  std::function<void()> releaseCard_;
  std::function<void(const std::string&)> takeCardRoot_;
  CardBusyMark* busy_;
};

// SD Initialize for the model: with the family's defaults or the card's own
// settings afterwards (the Tool menu's way), or as settings says (a
// settings dialog's Init SD Card, which saves its own values).
void RunSdInit(int modelId, const std::string& startFolder, Prompt& prompt, QWidget* parent,
               const std::function<void()>& releaseCard, const std::function<void(const std::string&)>& takeCardRoot,
               SettingsAfterFormat* settings = nullptr, CardBusyMark* busy = nullptr);
