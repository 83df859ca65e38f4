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

#include "playback/PlaybackEngineSinks.h"
#include "playback/PlaybackViews.h"
#include "recording/StoreViewSink.h"
#include "shell/ui/BackPanelContext.h"

class CMainWindowActions;
class CommandTable;
struct CommandState;
class MainPanelParts;
class QMenu;

// Besides painting, the panel is the view of the viewer for what is its
// own: the buttons' states after a layout, list or card change, the play
// buttons and speed read-out, the position display and the map's data.
class CMainBackPanel : public QWidget,
                       public PaneView,
                       public BackPanelView,
                       public EngineWindowView,
                       public StoreViewSink {
  Q_OBJECT

 public:
  CMainBackPanel(const BackPanelContext& context, QWidget* parent);
  ~CMainBackPanel() override;

  MainPanelParts& Parts() const { return *parts_; }
  const CommandTable& Commands() const;

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

  // Enables, shows and hides the buttons by the commands' rules.
  void UpdateCommandStates();
  // The speed read-out with its caption and indicator.
  void RepaintSpeedReadout();
  // The MX-H layout or the ordinary one: the displays move, the background
  // and the small screen's bottom strip follow.
  void ApplyModelLayout(bool mxh);

  // ---- PaneView: the buttons that depend on what is loaded follow a layout -
  void SetLayout(ViewLayout layout) override;
  // ---- BackPanelView --------------------------------------------------------
  void ShowGpsPart(bool shown) override;
  void RedrawSpeedReadout(bool withCaption) override;
  void SetMapHasData(bool hasData) override;
  void RepaintPlayButtons(PlayState playState) override;
  // ---- EngineWindowView -----------------------------------------------------
  void ShowFileLists(FileListKind kind, bool withLogTab) override;
  // ---- StoreViewSink --------------------------------------------------------
  void ResetDisplays() override;
  void SetWaitCursor(bool busy) override;
  void ShowFileList(FileListKind kind) override;
  void ShowRoot(const std::string& root) override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void ConnectButtons();
  void ShowSpeedCaption(bool shown);
  void RepaintTitle();
  void ApplyModelLayout(bool mxh, QImage background);
  // Shows the layout's background; returns the small-screen bottom strip
  // (null when the screen is not small).
  QImage SetBackground(bool mxhLayout, QImage background);
  void ShowSpeedMenu(QPoint at);
  void RunChosen(QMenu& menu, QPoint at);
  void DrawTitleText(QPainter& painter);
  void DrawPanelLabels(QPainter& painter) const;

  BackPanelContext context_;
  std::unique_ptr<MainPanelParts> parts_;
  std::unique_ptr<CMainWindowActions> actions_;
  std::unique_ptr<QMenu> menu_;
  QImage background_;
  bool speedCaption_ = false;
  bool dragging_ = false;
  bool keyboardCommand_ = false;
  QPoint dragOffset_;
};
