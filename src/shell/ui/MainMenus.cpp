#include "shell/ui/MainMenus.h"

#include <algorithm>

#include "base/DisplaySpeed.h"
#include "base/MgrMultiLang.h"
#include "base/ModelTable.h"

namespace {

constexpr const char* kSection = "PullDownMenu";

QString Text(const char* key, const char* defaultText) {
  return QString::fromStdString(GetLangText(kSection, key, defaultText));
}

class MenuBuilder {
 public:
  explicit MenuBuilder(const MenuContext& context) : context_(context) {}

  QAction* Item(QMenu& menu, int id, const char* key, const char* defaultText, bool enabled = true) {
    QAction* action = menu.addAction(Text(key, defaultText));
    action->setData(id);
    const auto& unavailable = context_.unavailable;
    const bool available =
        std::find(unavailable.begin(), unavailable.end(), CommandForId(id).command) == unavailable.end();
    action->setEnabled(enabled && available);
    return action;
  }

 private:
  const MenuContext& context_;
};

void FillFile(QMenu& menu, MenuBuilder& items, const MenuContext& context) {
  items.Item(menu, kIdFileSelectFolder, "FileSelectFolder", "Select Data Folder(&O)");
  QMenu* load = menu.addMenu(Text("FileLoad", "Load"));
  items.Item(*load, kIdFileLoadEvent, "FileLoadEvent", "Event(&E)");
  items.Item(*load, kIdFileLoadNormal, "FileLoadNormal", "Normal(&N)");
  if (context.state.loadLogPresent) items.Item(*load, kIdFileLoadLog, "FileLoadLog", "Log(&L)");
  items.Item(menu, kIdFileList, "FileList", "Display File List(&F)", context.state.fileListEnabled);
  items.Item(menu, kIdFilePrint, "FilePrint", "Print(&P)", context.state.printEnabled);
  menu.addSeparator();
  items.Item(menu, kIdFileExit, "FileExit", "Exit(&X)");
}

void FillEdit(QMenu& menu, MenuBuilder& items) {
  items.Item(menu, kIdEditSelectAll, "EditSelectAll", "Select All(&S)");
  items.Item(menu, kIdEditUnselectAll, "EditUnselectAll", "Unselect All(&U)");
}

void FillView(QMenu& menu, MenuBuilder& items) {
  QMenu* layout = menu.addMenu(Text("ViewLayout", "Layout"));
  items.Item(*layout, kIdViewLayoutSingle, "ViewLayoutSingle", "Single view(&S)");
  items.Item(*layout, kIdViewLayoutThumb, "ViewLayoutThumb", "Thumbnail view(&D)");
  QMenu* graph = menu.addMenu(Text("ViewGSgraph", "G-Sensor Graph"));
  items.Item(*graph, kIdViewScale1, "ViewGSgraphScale1", "Scale 1(&1)");
  items.Item(*graph, kIdViewScale2, "ViewGSgraphScale2", "Scale 2(&2)");
  items.Item(*graph, kIdViewScale3, "ViewGSgraphScale3", "Scale 3(&3)");
  items.Item(*graph, kIdViewScale4, "ViewGSgraphScale4", "Scale 4(&4)");
}

void FillPlay(QMenu& menu, MenuBuilder& items) {
  items.Item(menu, kIdPlayPlay, "PlayPlay", "Play(&Y)");
  items.Item(menu, kIdPlayFastPlay, "PlayFastPlay", "Fast Play(&A)");
  items.Item(menu, kIdPlayNextFrame, "PlayNextFrame", "Next Frame(&N)");
  items.Item(menu, kIdPlayReversePlay, "PlayReversePlay", "Reverse Play(&B)");
  items.Item(menu, kIdPlayPreviousFrame, "PlayPreviousFrame", "Previous Frame(&P)");
  items.Item(menu, kIdPlayFastReverse, "PlayFastReverse", "Fast Reverse Play(&R)");
  items.Item(menu, kIdPlayStop, "PlayStop", "Stop(&S)");
}

void FillTool(QMenu& menu, MenuBuilder& items, const MenuContext& context) {
  QMenu* models = menu.addMenu(Text("ToolModel", "Model Select(&M)"));
  for (const MODELENTRY& model : ModelTable()) {
    QAction* action = items.Item(*models, ModelItemId(model.modelId), model.commandName, model.menuDefault);
    action->setCheckable(true);
    action->setChecked(model.modelId == context.currentModel);
  }
  QMenu* speed = menu.addMenu(Text("ToolSpeed", "Speed Select(&S)"));
  QAction* gps = items.Item(*speed, kIdToolSpeedGps, "ToolSpeedGPS", "GPS Speed(&G)");
  QAction* pulse = items.Item(*speed, kIdToolSpeedPulse, "ToolSpeedPulse", "Car Pulse(&C)");
  gps->setCheckable(true);
  pulse->setCheckable(true);
  gps->setChecked(context.displaySpeed != kDisplaySpeedPulse);
  pulse->setChecked(context.displaySpeed == kDisplaySpeedPulse);
  menu.addSeparator();
  items.Item(menu, kIdToolSetting, "ToolSetting", "Device Setting(&D)");
  items.Item(menu, kIdToolSdInit, "ToolSdInit", "SD Initialize(&S)");
  items.Item(menu, kIdToolSaveAvi, "ToolSaveAvi", "Save AVI(&T)");
  items.Item(menu, kIdToolSaveJpg, "ToolSaveJpg", "Save Jpeg(&J)");
  items.Item(menu, kIdToolConvertKml, "ToolConvertKml", "Run Google Earth(&L)");
  items.Item(menu, kIdToolBackup, "ToolBackup", "Backup(&B)");
}

void FillHelp(QMenu& menu, MenuBuilder& items) {
  items.Item(menu, kIdHelpHelp, "HelpHelp", "Help(&H)");
  items.Item(menu, kIdHelpVersion, "HelpVersion", "Version(&A)");
  items.Item(menu, kIdHelpHomepage, "HelpHomepage", "Homepage(&U)");
}

}  // namespace

std::unique_ptr<QMenu> BuildPullDownMenu(int index, const MenuContext& context, QWidget* parent) {
  auto menu = std::make_unique<QMenu>(parent);
  MenuBuilder items(context);
  switch (index) {
    case 0:
      FillFile(*menu, items, context);
      break;
    case 1:
      FillEdit(*menu, items);
      break;
    case 2:
      FillView(*menu, items);
      break;
    case 3:
      FillPlay(*menu, items);
      break;
    case 4:
      FillTool(*menu, items, context);
      break;
    case 5:
      FillHelp(*menu, items);
      break;
    default:
      return nullptr;
  }
  return menu;
}

std::unique_ptr<QMenu> BuildSpeedMenu(int displaySpeed, QWidget* parent) {
  auto menu = std::make_unique<QMenu>(parent);
  QAction* gps = menu->addAction(Text("ToolSpeedGPS", "GPS Speed(&G)"));
  gps->setData(kIdSpeedMenuGps);
  gps->setCheckable(true);
  gps->setChecked(displaySpeed != kDisplaySpeedPulse);
  QAction* pulse = menu->addAction(Text("ToolSpeedPulse", "Car Pulse(&C)"));
  pulse->setData(kIdSpeedMenuPulse);
  pulse->setCheckable(true);
  pulse->setChecked(displaySpeed == kDisplaySpeedPulse);
  return menu;
}
