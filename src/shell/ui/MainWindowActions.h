#pragma once
// What the main frame's own commands do in the window.
#include "platform/SpawnDesktopOpener.h"
#include "shell/MainCommands.h"
#include "shell/ui/BackPanelContext.h"

class CMainBackPanel;

class CMainWindowActions final : public MainWindowActions {
 public:
  CMainWindowActions(const BackPanelContext& context, CMainBackPanel& panel);

  void Minimize() override;
  void Exit() override;
  void OpenFolder() override;
  void OpenMenu(int index) override;
  void OpenHelp() override;
  void OpenHomepage() override;
  void ShowVersion() override;
  void ChooseModel(int modelId) override;
  void ChooseSpeedSource(int source) override;
  void ChooseSpeedUnit(SpeedUnit unit) override;

 private:
  BackPanelContext context_;
  CMainBackPanel& panel_;
  SpawnDesktopOpener desktop_;
};
