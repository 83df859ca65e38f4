#pragma once
// The application object: start-up in its fixed order (single-instance
// lock, start folder, skin package check, settings, language, fonts, main
// frame), the command line's folder and screenshot, and the exit.
#include <memory>

#include "app/ConsolePrompt.h"
#include "app/StartOptions.h"
#include "app/StartUpWarmUp.h"
#include "base/AppState.h"
#include "platform/InstanceLock.h"
#include "skin/SkinPackage.h"

class CAppSetting;
class CMainFrame;

class CKorvaneApp {
 public:
  explicit CKorvaneApp(StartOptions options);
  ~CKorvaneApp();

  // The start-up sequence; false (after saying why) when the program must end.
  bool InitInstance();
  // Runs the event loop; the exit status.
  int Run();

 private:
  bool CheckSkinPackage();
  void ReportStartFailure(const QString& text) const;
  void OpenCommandLineFolder();
  bool SaveScreenshot();
  void PrepareScreenshotView();

  // First: the connection is made while everything below is built.
  StartUpWarmUp sessionBus_{ConnectSessionBus};
  StartOptions options_;
  InstanceLock instanceLock_;
  std::unique_ptr<CAppSetting> settings_;
  AppState app_;
  CSkinPackage skin_;
  ConsolePrompt consolePrompt_;
  std::unique_ptr<CMainFrame> frame_;
  int exitStatus_ = 0;
};
