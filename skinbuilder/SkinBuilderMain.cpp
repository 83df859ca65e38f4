// korvane-skinbuilder DSC_PATH: draws the window's artwork and writes the
// skin package (DSC_PATH and the .chk beside it).
#include <QGuiApplication>
#include <cstdio>

#include "KorvaneSkin.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: korvane-skinbuilder DSC_PATH\n");
    return 2;
  }
  const std::filesystem::path dscPath = argv[1];
  // Text needs the font database, which lives in the application object.
  QGuiApplication app(argc, argv);
  if (!WriteKorvaneSkin(dscPath)) {
    std::fprintf(stderr, "korvane-skinbuilder: cannot write %s\n", dscPath.c_str());
    return 1;
  }
  return 0;
}
