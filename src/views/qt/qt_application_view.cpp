#include "qt_application_view.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

#include "layout_metrics.h"

namespace sqp::qt {

void QtApplicationView::RunMessageBox(const MessageBoxRequest& box, bool closes_at_once) {
  // With a quit request pending the box would close the instant it opened.
  // It is not opened at all: its own event loop would take the queued quit
  // away from the main loop, which would then never end.
  if (closes_at_once) return;
  QMessageBox message(
      box.icon == MessageBoxIcon::kStop ? QMessageBox::Critical : QMessageBox::NoIcon,
      QString::fromStdString(box.caption), QString::fromStdString(box.text), QMessageBox::Ok);
  // Owned by the application, not by a window: it shows before the wizard
  // window is on screen and blocks every window of the program.
  message.setWindowModality(Qt::ApplicationModal);
  message.setFont(WindowFont());
  message.setObjectName(box.icon == MessageBoxIcon::kStop ? "ErrorReporterBox" : "StartupErrorBox");
  message.exec();
}

void QtApplicationView::PostQuit() {
  if (quit_posted_) return;
  quit_posted_ = true;
  QMetaObject::invokeMethod(&quit_context_, &QCoreApplication::quit, Qt::QueuedConnection);
}

void QtApplicationView::PostToWindowThread(std::function<void()> callback) {
  QMetaObject::invokeMethod(&post_context_, std::move(callback), Qt::QueuedConnection);
}

void QtApplicationView::ReleaseMouseCapture() {
  if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
}

}  // namespace sqp::qt
