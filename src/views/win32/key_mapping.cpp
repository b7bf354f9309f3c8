#include "views/win32/key_mapping.h"

namespace sqp::win32 {

widgets::Key KeyFromVirtualKey(WPARAM virtual_key) {
  switch (virtual_key) {
    case VK_TAB:
      return widgets::Key::kTab;
    case VK_LEFT:
      return widgets::Key::kLeft;
    case VK_RIGHT:
      return widgets::Key::kRight;
    case VK_UP:
      return widgets::Key::kUp;
    case VK_DOWN:
      return widgets::Key::kDown;
    case VK_RETURN:
      return widgets::Key::kEnter;
    case VK_ESCAPE:
      return widgets::Key::kEscape;
    default:
      return widgets::Key::kOther;
  }
}

widgets::Modifiers CurrentModifiers() {
  widgets::Modifiers modifiers = widgets::kNoModifier;
  if (GetKeyState(VK_SHIFT) < 0) modifiers |= widgets::kShift;
  if (GetKeyState(VK_CONTROL) < 0) modifiers |= widgets::kCtrl;
  if (GetKeyState(VK_MENU) < 0) modifiers |= widgets::kAlt;
  return modifiers;
}

}  // namespace sqp::win32
