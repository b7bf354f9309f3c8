#pragma once

namespace sqp::widgets {

// The keys that the focus rules give a meaning to; views map every other key
// to kOther and leave it to the focused control.
enum class Key { kTab, kLeft, kRight, kUp, kDown, kEnter, kEscape, kOther };

enum Modifier : unsigned { kNoModifier = 0, kShift = 1, kCtrl = 2, kAlt = 4 };
using Modifiers = unsigned;

}  // namespace sqp::widgets
