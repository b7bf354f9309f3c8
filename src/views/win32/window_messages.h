#pragma once

#include <windows.h>

namespace sqp::win32 {

// The program's own window messages, one list so that no two share a number.
// The application window posts this to itself: the activation it received
// goes on to the wizard once the window system has finished activating it.
inline constexpr UINT kActivateMainWindow = WM_APP + 1;
// Posted to a folder field after its completion list may have closed.
inline constexpr UINT kSettleListText = WM_APP + 2;
// Carries a callback from another thread to the window's thread: its
// lParam owns a heap-allocated std::function<void()>.
inline constexpr UINT kRunPosted = WM_APP + 3;
// The timer that looks again while a completion list stays open; an id of
// its own beside those of the edit and its completion object.
inline constexpr UINT_PTR kSettleListTimer = 0x5351;

// The object a window procedure belongs to: passed as the creation parameter
// of CreateWindowEx and kept in the window's user data from WM_NCCREATE on.
// Null for the messages that come before it.
template <class Owner>
Owner* WindowOwner(HWND window, UINT message, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  return reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

}  // namespace sqp::win32
