#pragma once

#include <windows.h>

#include <string>

#include "widgets/control.h"

namespace sqp::win32 {

// Makes `window` answer screen readers with the name the core gives
// `control` (a folder edit by its path label, a result static as its whole
// row, a page by its caption), read afresh each time it is asked. Everything else about the window
// stays as the system describes it. Lasts until the window is destroyed.
void ServeAccessibleName(HWND window, const widgets::Control& control);

// Makes `window` an object of the alert role to screen readers, named by
// `text` as it reads when asked. `text` must outlive the window.
void ServeAlert(HWND window, const std::wstring& text);

// Tells screen readers that the name of `window` changed.
void AnnounceNameChange(HWND window);

}  // namespace sqp::win32
