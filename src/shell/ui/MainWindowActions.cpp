#include "shell/ui/MainWindowActions.h"

#include <QMetaObject>

#include "base/AppSetting.h"
#include "base/ModelTable.h"
#include "playback/PlaybackEngine.h"
#include "recording/MgrDBSearch.h"
#include "shell/HelpAndHomepage.h"
#include "shell/ui/DlgVersion.h"
#include "shell/ui/MainBackPanel.h"
#include "shell/ui/MainPanelParts.h"

CMainWindowActions::CMainWindowActions(const BackPanelContext& context, CMainBackPanel& panel, MainPanelParts& parts)
    : context_(context), panel_(panel), parts_(parts) {}

void CMainWindowActions::StopBothPlays() {
  parts_.Engine().Control().StopVideoPlay();
  parts_.Engine().Control().StopLogPlay();
}

void CMainWindowActions::Minimize() { panel_.window()->showMinimized(); }

void CMainWindowActions::Exit() {
  parts_.Engine().Control().StopVideoPlay();
  QMetaObject::invokeMethod(panel_.window(), &QWidget::close, Qt::QueuedConnection);
}

void CMainWindowActions::OpenFolder() {
  StopBothPlays();
  context_.store.SelectAndScan();
}

void CMainWindowActions::OpenMenu(int index) { panel_.OpenMenu(index); }

void CMainWindowActions::OpenHelp() { OpenHelpGuide(context_.settings.StartFolder(), desktop_, context_.prompt); }

void CMainWindowActions::OpenHomepage() { ::OpenHomepage(desktop_, context_.prompt); }

void CMainWindowActions::ShowVersion() {
  parts_.Engine().Control().StopVideoPlay();
  CDlgVersion box(context_.store.Root(), context_.settings.ModelName(), &panel_);
  box.exec();
}

void CMainWindowActions::ChooseModel(int modelId) {
  if (!FindModel(modelId)) return;
  // Playback stops before the displays move under it.
  StopBothPlays();
  const LayoutChange change = context_.settings.ChooseModel(modelId);
  if (change != LayoutChange::kNone) parts_.ApplyModelLayout(change == LayoutChange::kToMxH);
  parts_.Engine().SpeedSourceChanged();
  panel_.RepaintSpeedReadout();
}

void CMainWindowActions::ChooseSpeedSource(int source) {
  context_.settings.SetDisplaySpeed(source);
  parts_.Engine().SpeedSourceChanged();
  panel_.RepaintSpeedReadout();
}
