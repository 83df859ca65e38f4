#pragma once
// The back panel: the whole visible surface of the main frame. It paints the
// skin (background, the folder in the title strip, the speed caption),
// moves the frame by its title strip, carries the parts (the children and
// the playback engine) and runs every command — button, menu item,
// accelerator — through the command table, whose rules also enable the
// buttons and menu items.
#include <QImage>
#include <QWidget>
#include <memory>

#include "base/CommandTable.h"
#include "shell/ui/BackPanelContext.h"

class CMainWindowActions;
class MainPanelParts;
class SpawnDesktopOpener;
struct ExportCommandContext;
struct PlaybackCommandContext;
struct ToolCommandContext;
class QMenu;

class CMainBackPanel : public QWidget {
  Q_OBJECT

 public:
  CMainBackPanel(const BackPanelContext& context, QWidget* parent);
  ~CMainBackPanel() override;

  MainPanelParts& Parts() const { return *parts_; }
  const CommandTable& Commands() const { return commands_; }
  // The facts the commands' rules read, as they are now.
  CommandState CurrentCommandState() const;
  // With the ticks of the model and speed-source items, for a menu.
  CommandState MenuCommandState() const;

  // Runs the command of a button, menu item or accelerator id when it is
  // enabled; false when no command has the id or it is disabled now.
  bool OnCommand(int id);
  // The same for a key the frame bound to id: a menu it opens starts on its
  // first item, as a keyboard user expects.
  bool OnKeyboardCommand(int id);
  // Opens the pull-down menu of menu button index 0..5 (File .. Help).
  void OpenMenu(int index);
  // The menu last built for OpenMenu (for the tests; it is not shown then).
  QMenu* BuildMenu(int index);
  // The card of the data folder went away: what shows it is emptied.
  void OnMediaRemoved();

  // ---- what the parts ask of the painted panel -----------------------------
  // Enables, shows and hides the buttons by the commands' rules.
  void UpdateCommandStates();
  void ShowSpeedCaption(bool shown);
  // The speed read-out with its caption and indicator.
  void RepaintSpeedReadout();
  void RepaintTitle();
  // The background of the layout; returns the small-screen bottom strip
  // (null when the screen is not small).
  QImage SetBackgroundFor(bool mxhLayout);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void AddCommands();
  void ShowSpeedMenu(QPoint at);
  void RunChosen(QMenu& menu, QPoint at);
  void DrawTitleText(QPainter& painter);
  void DrawPanelLabels(QPainter& painter) const;

  BackPanelContext context_;
  std::unique_ptr<MainPanelParts> parts_;
  std::unique_ptr<CMainWindowActions> actions_;
  std::unique_ptr<PlaybackCommandContext> playbackCommands_;
  std::unique_ptr<ToolCommandContext> toolCommands_;
  std::unique_ptr<SpawnDesktopOpener> desktop_;
  std::unique_ptr<ExportCommandContext> exportCommands_;
  CommandTable commands_;
  std::unique_ptr<QMenu> menu_;
  QImage background_;
  bool speedCaption_ = false;
  bool dragging_ = false;
  bool keyboardCommand_ = false;
  QPoint dragOffset_;
};
