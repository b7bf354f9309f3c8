#pragma once

#include <QObject>

#include "app/application_view.h"

namespace sqp::qt {

// The application's side of the window system on Qt: message boxes modal
// over the whole application, and the quit request queued on the event loop.
class QtApplicationView : public ApplicationView {
 public:
  void RunMessageBox(const MessageBoxRequest& box, bool closes_at_once) override;
  void PostQuit() override;
  void ReleaseMouseCapture() override;
  void PostToWindowThread(std::function<void()> callback) override;

 private:
  // Posted callbacks run in its thread, the window's; once it goes, those
  // still queued are dropped.
  QObject post_context_;
  // Owns the queued quit: the loop ends once, however often it is asked, and
  // a quit still queued when the view goes never reaches another run.
  QObject quit_context_;
  bool quit_posted_ = false;
};

}  // namespace sqp::qt
