#pragma once

#include <windows.h>

#include "widgets/keys.h"

namespace sqp::win32 {

// The key of a WM_KEYDOWN or WM_SYSKEYDOWN as the focus rules know it.
widgets::Key KeyFromVirtualKey(WPARAM virtual_key);

// Shift, Ctrl and Alt as held when the current message was posted.
widgets::Modifiers CurrentModifiers();

}  // namespace sqp::win32
