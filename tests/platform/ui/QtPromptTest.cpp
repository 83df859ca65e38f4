// A message box is wide enough to show its caption whole: its title bar
// carries the dialog or command it speaks for, and the window manager cuts
// a caption wider than the box.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QMessageBox>
#include <QTimer>

#include "platform/ui/QtPorts.h"

namespace {

// Three title-bar buttons and the margins beside the text.
constexpr int kTitleBarButtons = 72;

TEST(QtPromptTest, ABoxIsWideEnoughForItsWholeCaption) {
  const char* captions[] = {"Save", "Save images as Jpeg",
                            "Speicherkarte formatieren: Konfigurationsdatei sichern und wiederherstellen"};
  for (const char* caption : captions) {
    int boxWidth = 0;
    int captionWidth = 0;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      boxWidth = box->width();
      captionWidth = box->fontMetrics().horizontalAdvance(box->windowTitle());
      box->done(QMessageBox::Ok);
    });
    QtPrompt prompt(nullptr);
    prompt.Show("OK", caption, PromptButtons::Ok);
    ASSERT_GT(captionWidth, 0) << caption;
    EXPECT_GE(boxWidth, captionWidth + kTitleBarButtons) << caption;
  }
}

}  // namespace
