#pragma once

#include <windows.h>

#include "app/application.h"

namespace sqp::win32 {

// The program's own window, captioned with the application's title: it
// stands for the program in the task bar and owns the wizard window. It has
// no size, so it is never seen itself. Minimising it hides the wizard and
// restoring it brings the wizard back; activating it passes the activation
// on to the wizard.
class ApplicationWindow {
 public:
  ApplicationWindow(Application& application, HINSTANCE instance);
  ~ApplicationWindow();
  ApplicationWindow(const ApplicationWindow&) = delete;
  ApplicationWindow& operator=(const ApplicationWindow&) = delete;

  HWND Window() const { return window_; }

  // The wizard window, created with this window as its owner.
  void SetMainWindow(HWND main_window) { main_window_ = main_window; }

  // Puts the program on screen as the process was told to show it: the show
  // handler runs first, and the windows appear after it. Started minimised
  // without activation, only the task bar button shows; the show handler
  // runs and the wizard appears when the user first restores it.
  void Show(int show_command);

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  void ShowMainWindow(int show_command);

  Application& application_;
  HWND window_ = nullptr;
  HWND main_window_ = nullptr;
  bool main_window_shown_ = false;
  bool minimised_ = false;
};

}  // namespace sqp::win32
