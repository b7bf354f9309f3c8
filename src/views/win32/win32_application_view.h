#pragma once

#include "app/application_view.h"

namespace sqp::win32 {

// The application's side of the window system: its message boxes and its
// quit request.
class Win32ApplicationView : public ApplicationView {
 public:
  // Boxes belong to the application, not to a window: modal over every
  // window of the program through MB_TASKMODAL. A pending WM_QUIT makes the
  // box's own modal loop end at once and post the quit again.
  void RunMessageBox(const MessageBoxRequest& box, bool closes_at_once) override;
  void PostQuit() override;
  void ReleaseMouseCapture() override;
};

}  // namespace sqp::win32
