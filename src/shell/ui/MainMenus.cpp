#include "shell/ui/MainMenus.h"

#include "base/CommandIds.h"
#include "base/MgrMultiLang.h"
#include "base/ModelTable.h"
#include "export/TrackFormat.h"
#include "shell/MainCommands.h"

namespace {

constexpr const char* kSection = "PullDownMenu";

QString Text(const char* key, const char* defaultText) {
  return QString::fromStdString(GetLangText(kSection, key, defaultText));
}

class MenuBuilder {
 public:
  MenuBuilder(const CommandTable& commands, const CommandState& state) : commands_(commands), state_(state) {}

  void Item(QMenu& menu, int id) {
    const Command* command = commands_.Find(id);
    if (!command || !commands_.IsShown(id, state_)) return;
    QAction* action = menu.addAction(QString::fromStdString(commands_.MenuText(id)));
    action->setData(id);
    action->setEnabled(commands_.IsEnabled(id, state_));
    if (!command->checked) return;
    action->setCheckable(true);
    action->setChecked(commands_.IsChecked(id, state_));
  }

  QMenu* Submenu(QMenu& menu, const char* key, const char* defaultText) { return menu.addMenu(Text(key, defaultText)); }

 private:
  const CommandTable& commands_;
  const CommandState& state_;
};

void FillFile(QMenu& menu, MenuBuilder& items) {
  items.Item(menu, kIdFileSelectFolder);
  QMenu* load = items.Submenu(menu, "FileLoad", "Load");
  items.Item(*load, kIdFileLoadEvent);
  items.Item(*load, kIdFileLoadNormal);
  items.Item(*load, kIdFileLoadLog);
  items.Item(menu, kIdFileList);
  items.Item(menu, kIdFilePrint);
  menu.addSeparator();
  items.Item(menu, kIdFileExit);
}

void FillEdit(QMenu& menu, MenuBuilder& items) {
  items.Item(menu, kIdEditSelectAll);
  items.Item(menu, kIdEditUnselectAll);
}

void FillView(QMenu& menu, MenuBuilder& items) {
  QMenu* layout = items.Submenu(menu, "ViewLayout", "Layout");
  items.Item(*layout, kIdViewLayoutSingle);
  items.Item(*layout, kIdViewLayoutThumb);
  QMenu* graph = items.Submenu(menu, "ViewGSgraph", "G-Sensor Graph");
  for (int id : {kIdViewScale1, kIdViewScale2, kIdViewScale3, kIdViewScale4}) items.Item(*graph, id);
  QMenu* unit = items.Submenu(menu, "ViewSpeedUnit", "Speed Unit");
  items.Item(*unit, kIdViewSpeedKmh);
  items.Item(*unit, kIdViewSpeedMph);
}

void FillPlay(QMenu& menu, MenuBuilder& items) {
  for (int id : {kIdPlayPlay, kIdPlayFastPlay, kIdPlayNextFrame, kIdPlayReversePlay, kIdPlayPreviousFrame,
                 kIdPlayFastReverse, kIdPlayStop})
    items.Item(menu, id);
  menu.addSeparator();
  items.Item(menu, kIdPlayNextEvent);
  items.Item(menu, kIdPlayPreviousEvent);
  items.Item(menu, kIdPlayContinuous);
}

void FillTool(QMenu& menu, MenuBuilder& items) {
  QMenu* models = items.Submenu(menu, "ToolModel", "Model Select(&M)");
  for (const ModelEntry& model : ModelTable()) items.Item(*models, ModelItemId(model.modelId));
  QMenu* speed = items.Submenu(menu, "ToolSpeed", "Speed Select(&S)");
  items.Item(*speed, kIdToolSpeedGps);
  items.Item(*speed, kIdToolSpeedPulse);
  menu.addSeparator();
  for (int id : {kIdToolSetting, kIdToolSdInit, kIdToolSaveAvi, kIdToolSaveMp4, kIdToolSaveJpg, kIdToolConvertKml})
    items.Item(menu, id);
  for (const TrackFormat* format : TrackFormats()) items.Item(menu, format->menuId);
  for (int id : {kIdToolBackup, kIdToolCheckDisk}) items.Item(menu, id);
}

void FillHelp(QMenu& menu, MenuBuilder& items) {
  items.Item(menu, kIdHelpHelp);
  items.Item(menu, kIdHelpVersion);
  items.Item(menu, kIdHelpHomepage);
}

}  // namespace

std::unique_ptr<QMenu> BuildPullDownMenu(int index, const CommandTable& commands, const CommandState& state,
                                         QWidget* parent) {
  auto menu = std::make_unique<QMenu>(parent);
  MenuBuilder items(commands, state);
  switch (index) {
    case 0:
      FillFile(*menu, items);
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
      FillTool(*menu, items);
      break;
    case 5:
      FillHelp(*menu, items);
      break;
    default:
      return nullptr;
  }
  return menu;
}

std::unique_ptr<QMenu> BuildSpeedMenu(const CommandTable& commands, const CommandState& state, QWidget* parent) {
  auto menu = std::make_unique<QMenu>(parent);
  MenuBuilder items(commands, state);
  items.Item(*menu, kIdSpeedMenuGps);
  items.Item(*menu, kIdSpeedMenuPulse);
  return menu;
}
