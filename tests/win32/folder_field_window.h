// What the probes read of the wizard's folder field from another process.
#pragma once

#include <windows.h>

#include <string>

#include "encoding/win32/text_conversion.h"

namespace sqp::window_probes {

inline BOOL CALLBACK TakeVisibleEdit(HWND window, LPARAM found) {
  wchar_t class_name[16] = L"";
  GetClassNameW(window, class_name, 16);
  if (lstrcmpiW(class_name, L"Edit") == 0 && IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

// The visible folder field of the wizard window titled `title`, in another
// process; nullptr without one.
inline HWND VisibleFolderField(const wchar_t* title) {
  HWND window = FindWindowW(nullptr, title);
  HWND edit = nullptr;
  if (window != nullptr) {
    EnumChildWindows(window, &TakeVisibleEdit, reinterpret_cast<LPARAM>(&edit));
  }
  return edit;
}

// The field's text in UTF-8. GetWindowText would read no other process's
// edit: it sends nothing there.
inline std::string FieldText(HWND edit) {
  const auto length = static_cast<std::size_t>(SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0));
  std::wstring text(length + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      SendMessageW(edit, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  return WideToUtf8(text);
}

}  // namespace sqp::window_probes
