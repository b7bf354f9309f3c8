#pragma once

#include <windows.h>

#include <string>

namespace sqp::win32 {

// An object of the alert role in the wizard window that screen readers are
// told to present (EVENT_SYSTEM_ALERT) with each announcement as its name:
// Narrator and NVDA speak an alert of any window of the foreground program.
// It is a child window of no size, so the window looks as before.
class Announcement {
 public:
  Announcement(HWND parent, HINSTANCE instance);
  Announcement(const Announcement&) = delete;
  Announcement& operator=(const Announcement&) = delete;

  void Speak(const std::string& text);

 private:
  // Read by the alert's accessible object whenever it is asked its name.
  std::wstring text_;
  HWND window_ = nullptr;
};

}  // namespace sqp::win32
