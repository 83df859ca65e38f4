// The start-up benchmark's peer: the least a Qt Widgets program does to put
// a 1024 x 768 window on the screen.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QWidget window;
  window.resize(1024, 768);
  window.show();
  return QApplication::exec();
}
