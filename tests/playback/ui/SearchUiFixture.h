#pragma once
// The search window over a real engine and a small generated card, with the
// Qt loading dialog: the window is made first and the engine takes it as its
// search and loaded-list view, as the back panel does.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QMouseEvent>
#include <QTimer>
#include <cstdlib>
#include <ctime>
#include <memory>

#include "base/AppSetting.h"
#include "base/MgrMultiLang.h"
#include "platform/ManualPorts.h"
#include "platform/ScriptedPrompt.h"
#include "playback/EngineWorld.h"
#include "playback/PlaybackEngine.h"
#include "playback/ui/DlgLoading.h"
#include "playback/ui/FileListView.h"
#include "playback/ui/SearchUiSupport.h"
#include "playback/ui/WndSearch.h"
#include "recording/MgrDBSearch.h"
#include "samplecard/SampleCard.h"
#include "skin/ui/VxButton.h"
#include "skin/ui/VxCheckButton.h"
#include "skin/ui/VxListBox.h"
#include "support/TempDir.h"

namespace search_ui_test {

// The engine's Close reaches the search window through the back panel.
class ForwardingWindow final : public EngineWindowView {
 public:
  void ShowFileLists(FileListKind kind, bool withLogTab) override {
    if (target) target->ShowFileLists(kind, withLogTab);
  }
  CWndSearch* target = nullptr;
};

inline void Click(QWidget* widget, QPoint at) {
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), QPointF(widget->mapToGlobal(at)), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), QPointF(widget->mapToGlobal(at)), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &release);
}

// A click on a list row, a few pixels into column.
inline void ClickCell(QTreeWidget* list, int row, int column) {
  const QRect rect = list->visualItemRect(list->topLevelItem(row));
  Click(list->viewport(), QPoint(list->header()->sectionViewportPosition(column) + 6, rect.center().y()));
}

inline void ClickHeader(QTreeWidget* list, int column) {
  QHeaderView* header = list->header();
  Click(header->viewport(), QPoint(header->sectionViewportPosition(column) + 6, header->height() / 2));
}

inline void ClickListBoxRow(CVxListBox* box, int row) {
  Click(box->viewport(), box->visualItemRect(box->item(row)).center());
}

class SearchUiTest : public ::testing::Test, protected EngineWorld {
 protected:
  SearchUiTest() {
    window_ = std::make_unique<CWndSearch>(store_, app_, nullptr);
    forward_.target = window_.get();
    sinks_.search = window_.get();
    sinks_.playback.loadedList = window_.get();
    sinks_.window = &forward_;
    engine_ = std::make_unique<PlaybackEngine>(store_, settings_, timers_, clock_, prompt_, dialogs_, sinks_);
    window_->SetEngine(engine_.get());
    window_->resize(420, 520);
    window_->show();
  }
  // The window leaves the engine's views on its way out, so it goes first.
  ~SearchUiTest() override { window_.reset(); }

  void WriteCard(int events, int normals, int logs) {
    std::string error;
    ASSERT_TRUE(WriteSampleCard(dir_ / "card", SmallCard(events, normals, logs), &card_, &error)) << error;
    ASSERT_TRUE(store_.ChooseRoot((dir_ / "card").string()));
    store_.Scan();
    window_->FillFromCatalogue();
    // The Trip list's rows come from a worker, as the window's message loop
    // would deliver them.
    engine_->WaitForTripList();
    ui_.Drain();
    window_->ShowFileList(FileListKind::kEvent);
  }

  CFileListView* List(FileListKind kind) const { return window_->FileListWidget(kind); }
  CListEvent& Model(FileListKind kind) { return engine_->List(kind); }

  QtLoadingDialogRunner dialogs_{nullptr};
  ForwardingWindow forward_;
  PlaybackEngineSinks sinks_;
  ModalWatchdog watchdog_{static_cast<int>(LoadResult::kFailed)};
  std::unique_ptr<CWndSearch> window_;
  std::unique_ptr<PlaybackEngine> engine_;
};

}  // namespace search_ui_test
