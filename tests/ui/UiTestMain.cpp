// The widget tests share one application object, as the program does.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM",
          qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
  // The program's data (language files, skin, map page) is the build's,
  // unless a run names another folder.
  if (qgetenv("KORVANE_DATA_DIR").isEmpty()) qputenv("KORVANE_DATA_DIR", QByteArray(KORVANE_BUILD_DIR));
  QApplication app(argc, argv);
  // The map module is the build's.
  QCoreApplication::addLibraryPath(QString::fromUtf8(KORVANE_BUILD_DIR));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
