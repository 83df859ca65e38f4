#pragma once
// The real main window over a generated card: settings in a folder of the
// test's own, the built skin package, scripted message boxes and a mount
// table file that says the card is a mounted medium.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <memory>

#include "base/AppSetting.h"
#include "base/AppState.h"
#include "platform/ScriptedPrompt.h"
#include "platform/ui/MediaWatcher.h"
#include "playback/PlaybackEngine.h"
#include "playback/ui/WndSearch.h"
#include "recording/MgrDBSearch.h"
#include "samplecard/SampleCard.h"
#include "shell/Viewer.h"
#include "shell/ui/MainBackPanel.h"
#include "shell/ui/MainFrame.h"
#include "shell/ui/MainPanelParts.h"
#include "skin/SkinPackage.h"
#include "support/TempDir.h"

namespace main_window_test {

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SampleCardOptions options;
    options.events = 3;
    options.normals = 2;
    options.logs = 2;
    options.minutes = 1;
    options.eventSeconds = 6;
    options.fps = 5;
    options.width = 160;
    options.height = 120;
    std::string error;
    ASSERT_TRUE(WriteSampleCard(Card(), options, &card_, &error)) << error;
    WriteMountTable(true);

    AppSettingFolders folders;
    folders.settingsBase = dir_ / "config";
    folders.documents = dir_ / "documents";
    folders.dataFolder = KORVANE_BUILD_DIR;
    folders.startFolder = KORVANE_BUILD_DIR;
    std::filesystem::create_directories(folders.documents);
    settings_ = std::make_unique<CAppSetting>(folders);
    settings_->LoadSetting();
    ASSERT_TRUE(skin_.Open(std::filesystem::path(KORVANE_BUILD_DIR) / "korvane.dsc"));

    MainFrameOptions frameOptions;
    frameOptions.prompt = &prompt_;
    frameOptions.mountInfoPath = QString::fromStdString((dir_ / "mountinfo").string());
    frame_ = std::make_unique<CMainFrame>(*settings_, app_, skin_, FrameGeometryFor(1280, 1024), frameOptions);
    frame_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame_.get()));
    Reactivate();
  }

  void TearDown() override { frame_.reset(); }

  std::filesystem::path Card() const { return dir_ / "card"; }

  // One line per mount, the card's folder among them while inserted.
  void WriteMountTable(bool cardInserted) const {
    std::ofstream table(dir_ / "mountinfo", std::ios::trunc);
    table << "22 1 8:2 / / rw,relatime shared:1 - ext4 /dev/sda2 rw\n";
    if (cardInserted) table << "90 22 8:17 / " << Card().string() << " rw,relatime shared:50 - vfat /dev/sdb1 rw\n";
  }

  bool OpenCard() {
    const bool opened = frame_->OpenFolder(QString::fromStdString(Card().string()));
    Reactivate();
    return opened;
  }

  // The accelerators answer only in the active window. A window manager
  // gives the activation back when a modal dialog closes; the offscreen
  // platform has none, so the tests take it back themselves.
  void Reactivate() const {
    frame_->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(frame_.get()));
  }

  CMainBackPanel& Panel() const { return frame_->BackPanel(); }
  MainPanelParts& Parts() const { return Panel().Parts(); }
  PlaybackEngine& Engine() const { return frame_->Core().Engine(); }
  CWndSearch& Search() const { return *Parts().Search(); }
  int CurrentFrame() const {
    const CMgrDBSearch& store = frame_->Store();
    if (store.CurrentIndex() < 0) return -1;
    return store.Videos()[static_cast<size_t>(store.CurrentIndex())]->CurrentFrameIndex();
  }

  // Ticks the first rows of a list and presses Load.
  void LoadFirst(FileListKind kind, int rows) {
    Search().ShowFileList(kind);
    CListEvent& list = Engine().List(kind);
    for (int row = 0; row < rows && row < list.RowCount(); ++row) list.SetChecked(row, true);
    Search().RefreshChecks(kind);
    Search().LoadKind(kind);
    Reactivate();
  }

  // Lets the event loop run until done says so, or ms pass.
  template <typename Done>
  static bool WaitFor(Done done, int ms = 3000) {
    QElapsedTimer elapsed;
    elapsed.start();
    while (!done()) {
      if (elapsed.elapsed() > ms) return false;
      QTest::qWait(10);
    }
    return true;
  }

  static void Key(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(window, key, modifiers);
  }

  TempDir dir_;
  SampleCard card_;
  ScriptedPrompt prompt_;
  AppState app_;
  std::unique_ptr<CAppSetting> settings_;
  CSkinPackage skin_;
  std::unique_ptr<CMainFrame> frame_;
};

}  // namespace main_window_test
