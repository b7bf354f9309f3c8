#pragma once

#include <windows.h>

#include <functional>

#include "app/application_view.h"

namespace sqp::win32 {

// The application's side of the window system: its message boxes and its
// quit request.
class Win32ApplicationView : public ApplicationView {
 public:
  // On the window's thread, whose queue posted callbacks go to.
  explicit Win32ApplicationView(HINSTANCE instance);
  ~Win32ApplicationView() override;
  Win32ApplicationView(const Win32ApplicationView&) = delete;
  Win32ApplicationView& operator=(const Win32ApplicationView&) = delete;

  // Boxes belong to the application, not to a window: modal over every
  // window of the program through MB_TASKMODAL. A pending WM_QUIT makes the
  // box's own modal loop end at once and post the quit again.
  void RunMessageBox(const MessageBoxRequest& box, bool closes_at_once) override;
  void PostQuit() override;
  void ReleaseMouseCapture() override;
  // A message to a window of its own: modal loops (a message box, a menu)
  // dispatch it too, where they would drop a message to the thread.
  void PostToWindowThread(std::function<void()> callback) override;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  HWND window_ = nullptr;
};

}  // namespace sqp::win32
