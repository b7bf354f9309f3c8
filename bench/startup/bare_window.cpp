// The least a Qt Widgets program does to put a window on screen: the
// yardstick for the program's start-up. With --label the window also shows
// one line of text, which is what makes Qt start fontconfig before the
// window can be drawn.
#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <cstring>

#include "first_expose.h"

int main(int argc, char** argv) {
  const bool with_label = argc > 1 && std::strcmp(argv[1], "--label") == 0;
  QApplication application(argc, argv);
  sqp::bench::FirstExposeQuit first_expose;
  application.installEventFilter(&first_expose);
  QWidget window;
  window.setWindowTitle("Bare window");
  window.resize(461, 249);
  if (with_label) {
    auto* label = new QLabel("The UO client is installed at:", &window);
    label->move(8, 8);
  }
  window.show();
  return QApplication::exec();
}
