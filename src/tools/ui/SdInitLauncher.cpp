#include "tools/ui/SdInitLauncher.h"

#include "platform/ChildRunner.h"
#include "platform/UserFolders.h"
#include "platform/Volumes.h"
#include "tools/CardFormatter.h"
#include "tools/ui/DlgFormatSD.h"
#include "tools/ui/DlgSelectSDType.h"

namespace fs = std::filesystem;

WindowSdInitPorts::WindowSdInitPorts(const SystemCardDrives& drives, CardFormatter& formatter, Prompt& prompt,
                                     QWidget* parent, std::function<void()> releaseCard,
                                     std::function<void(const std::string&)> takeCardRoot, CardBusyMark* busy)
    : drives_(drives),
      formatter_(formatter),
      prompt_(prompt),
      parent_(parent),
      releaseCard_(std::move(releaseCard)),
      takeCardRoot_(std::move(takeCardRoot)),
      busy_(busy) {}

CardDrive WindowSdInitPorts::InspectDrive(const fs::path& folder) { return drives_.Inspect(folder); }

FormatStepResult WindowSdInitPorts::RunFormatStep(const CardDrive& drive, const fs::path& folder, bool restoreAllowed) {
  QWidget* parent = parent_;
  CDlgFormatSD dialog(
      drive.target, restoreAllowed, formatter_, prompt_, [parent] { return AskCardType(parent); }, parent_, busy_);
  if (dialog.exec() != QDialog::Accepted) return {};
  // An image standing for a card stays where it is "mounted".
  const fs::path root = drive.target.IsImage() ? folder : dialog.Outcome().mountedAt;
  return {true, dialog.RestoreTicked(), root};
}

void WindowSdInitPorts::ReleaseCard() {
  if (releaseCard_) releaseCard_();
}

void WindowSdInitPorts::TellCardRoot(const fs::path& root) {
  if (takeCardRoot_) takeCardRoot_(root.string());
}

void RunSdInit(int modelId, const std::string& startFolder, Prompt& prompt, QWidget* parent,
               const std::function<void()>& releaseCard, const std::function<void(const std::string&)>& takeCardRoot,
               SettingsAfterFormat* settings, CardBusyMark* busy) {
  const Volumes volumes;
  const DiskCheckTargets checks(volumes);
  const FormatTargets targets(volumes, checks);
  const SystemCardDrives drives(volumes, targets);
  SpawnChildRunner runner;
  MkfsCardFormatter formatter(runner, checks);
  WindowSdInitPorts ports(drives, formatter, prompt, parent, releaseCard, takeCardRoot, busy);
  DefaultSettingsAfterFormat defaults;
  InitSdCard({modelId, startFolder, DocumentsFolder(), ProgramDataFolder() / kInstallerName}, prompt, ports,
             settings != nullptr ? *settings : defaults);
}
