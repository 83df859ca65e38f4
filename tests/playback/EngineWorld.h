#pragma once
// What the tests of the playback engine and of its widgets stand on: a
// recording store over a folder of the test's own with the settings beside
// it, scripted message boxes, a fake clock and timers, the Berlin zone and
// no language file. A fixture derives from it before its own members, so
// the engine it makes can refer to all of this.
#include <string>

#include "base/AppSetting.h"
#include "base/AppState.h"
#include "base/MgrMultiLang.h"
#include "platform/ManualPorts.h"
#include "platform/ScriptedPrompt.h"
#include "platform/Volumes.h"
#include "recording/MgrDBSearch.h"
#include "samplecard/SampleCard.h"
#include "support/TempDir.h"
#include "support/ZoneGuard.h"

class EngineWorld {
 protected:
  EngineWorld() : savedLang_(LangFilePath()) { SetLangFilePath(""); }
  ~EngineWorld() { SetLangFilePath(savedLang_); }

  ZoneGuard zone_;
  TempDir dir_;
  std::string savedLang_;
  SampleCard card_;
  ScriptedPrompt prompt_;
  ManualUiQueue ui_;
  AppState app_;
  Volumes volumes_{dir_ / "mountinfo", dir_ / "sys", {}};
  CMgrDBSearch store_{prompt_, ui_, app_, volumes_};
  CAppSetting settings_{AppSettingFolders{dir_ / "settings", dir_ / "documents", dir_ / "data", dir_ / "start"}};
  ManualClock clock_;
  ManualTimerHost timers_{clock_};
};
