#include "shell/ui/MainWindowActions.h"

#include <QMetaObject>

#include "base/AppSetting.h"
#include "base/ModelTable.h"
#include "mapctrl/MgrMapSync.h"
#include "playback/PlaybackEngine.h"
#include "recording/MgrDBSearch.h"
#include "shell/HelpAndHomepage.h"
#include "shell/Viewer.h"
#include "shell/ui/DlgVersion.h"
#include "shell/ui/MainBackPanel.h"

CMainWindowActions::CMainWindowActions(const BackPanelContext& context, CMainBackPanel& panel)
    : context_(context), panel_(panel) {}

void CMainWindowActions::Minimize() { panel_.window()->showMinimized(); }

void CMainWindowActions::Exit() {
  context_.viewer.Engine().Control().StopVideoPlay();
  QMetaObject::invokeMethod(panel_.window(), &QWidget::close, Qt::QueuedConnection);
}

void CMainWindowActions::OpenFolder() {
  context_.viewer.StopBothPlays();
  context_.viewer.Store().SelectAndScan();
}

void CMainWindowActions::OpenMenu(int index) { panel_.OpenMenu(index); }

void CMainWindowActions::OpenHelp() { OpenHelpGuide(context_.settings.StartFolder(), desktop_, context_.prompt); }

void CMainWindowActions::OpenHomepage() { ::OpenHomepage(desktop_, context_.prompt); }

void CMainWindowActions::ShowVersion() {
  context_.viewer.Engine().Control().StopVideoPlay();
  CDlgVersion box(context_.viewer.Store().Root(), context_.settings.ModelName(), &panel_);
  box.exec();
}

void CMainWindowActions::ChooseModel(int modelId) {
  if (!FindModel(modelId)) return;
  // Playback stops before the displays move under it.
  context_.viewer.StopBothPlays();
  const LayoutChange change = context_.settings.ChooseModel(modelId);
  if (change != LayoutChange::kNone) panel_.ApplyModelLayout(change == LayoutChange::kToMxH);
  context_.viewer.Engine().SpeedSourceChanged();
  panel_.RepaintSpeedReadout();
}

void CMainWindowActions::ChooseSpeedSource(int source) {
  context_.settings.SetDisplaySpeed(source);
  context_.viewer.Engine().SpeedSourceChanged();
  panel_.RepaintSpeedReadout();
}

void CMainWindowActions::ChooseSpeedUnit(SpeedUnit unit) {
  context_.settings.SetSpeedUnit(SpeedUnitKey(unit));
  context_.viewer.Engine().SpeedSourceChanged();
  context_.viewer.Engine().RefreshTripRows();
  if (CMgrMapSync* map = context_.viewer.MapSync()) {
    map->SetSpeedRouteUnit(unit);
    map->DrawSpeedRoute();
  }
  panel_.RepaintSpeedReadout();
}
