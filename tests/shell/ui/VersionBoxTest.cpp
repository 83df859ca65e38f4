// The version box in the window's dark look, with the program's version in
// the four-part form of a file version.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>

#include "shell/VersionInfo.h"
#include "shell/ui/DlgVersion.h"

namespace {

int Lightness(const QImage& image, QPoint at) { return image.pixelColor(at).lightness(); }

TEST(VersionBoxTest, ShowsTheFileVersionInTheWindowsDarkLook) {
  CDlgVersion box("", "Drive Recorder", nullptr);
  box.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
  EXPECT_TRUE(box.ProgramLine()->text().endsWith(QString::fromStdString(" : " + ProgramVersion())));
  EXPECT_EQ(box.ProgramLine()->text().count(QLatin1Char('.')), 3) << box.ProgramLine()->text().toStdString();

  const QImage face = box.grab().toImage();
  EXPECT_LT(Lightness(face, QPoint(2, 2)), 64) << "a dark face";
  // The text on it is light.
  const QRect line = box.ProgramLine()->geometry();
  int brightest = 0;
  for (int y = line.top(); y <= line.bottom(); ++y)
    for (int x = line.left(); x <= line.right(); ++x) brightest = std::max(brightest, Lightness(face, QPoint(x, y)));
  EXPECT_GT(brightest, 180);
}

}  // namespace
