#include "box_watcher.h"

#include <QAbstractButton>
#include <QApplication>

namespace sqp::qt::testing {

BoxWatcher::BoxWatcher() {
  connect(&timer_, &QTimer::timeout, this, &BoxWatcher::Poll);
  timer_.start(5);
}

void BoxWatcher::Poll() {
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  if (box == nullptr || !box->isVisible()) return;
  boxes.push_back(
      {box->windowTitle(), box->text(), box->icon(), static_cast<int>(box->buttons().size())});
  box->button(QMessageBox::Ok)->click();
}

}  // namespace sqp::qt::testing
