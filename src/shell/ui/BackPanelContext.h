#pragma once
// What the back panel and its parts work with; all of it outlives them.

struct AppState;
class CAppSetting;
class CMgrDBSearch;
class CSkinPackage;
class Clock;
class Prompt;
class TimerHost;

struct BackPanelContext {
  CAppSetting& settings;
  AppState& app;
  CMgrDBSearch& store;
  const CSkinPackage& skin;
  Prompt& prompt;
  TimerHost& timers;
  const Clock& clock;
  bool smallScreen = false;
  int desktopWidth = 1024;
  int desktopHeight = 768;
};
