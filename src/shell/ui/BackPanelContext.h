#pragma once
// What the back panel and its parts work with; all of it outlives them.
#include <functional>

class QImage;

struct AppState;
class CAppSetting;
class CSkinPackage;
class Clock;
class Prompt;
class Viewer;

struct BackPanelContext {
  CAppSetting& settings;
  AppState& app;
  Viewer& viewer;
  const CSkinPackage& skin;
  Prompt& prompt;
  const Clock& clock;
  bool smallScreen = false;
  int desktopWidth = 1024;
  // Shows the small-screen bottom strip of the layout (a null picture: none)
  // where the frame closes; unset, no strip is shown.
  std::function<void(const QImage& strip)> showBottomStrip;
};
