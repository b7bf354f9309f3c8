#include "window_closer.h"

#include <QApplication>
#include <QWidget>

namespace sqp::qt::testing {

WindowCloser::WindowCloser() {
  connect(&timer_, &QTimer::timeout, this, &WindowCloser::Poll);
  timer_.start(5);
}

void WindowCloser::Poll() {
  if (QApplication::activeModalWidget() != nullptr) return;  // a box first
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top->objectName() == QStringLiteral("SQPMainForm") && top->isVisible()) {
      closed = top->close();
      return;
    }
  }
}

}  // namespace sqp::qt::testing
