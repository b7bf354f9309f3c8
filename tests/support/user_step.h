#pragma once

#include <string>

namespace sqp::sessions {

// One thing a user does at the keyboard or with the mouse: what the model
// and every driver understand.
enum class StepKind {
  kType,  // one character key into the focused folder field
  kBackspace,
  kDelete,
  kSelectAll,  // Ctrl+A in the focused folder field
  kPaste,      // Ctrl+V of `text`
  kUndo,       // Ctrl+Z
  kClickEdit,  // click into the visible folder field, then End
  kDrop,       // a file manager's items, one per line of `text`, dropped on the visible field
  kClickTest,  // click the visible "Test again"
  kClickNext,
  kClickFinish,
  kTab,
  kShiftTab,
  kCtrlTab,
  kLeft,
  kRight,
  kUp,
  kDown,
  kHome,
  kEnd,
  kEnter,
  kEscape,
};

struct UserStep {
  StepKind kind = StepKind::kTab;
  std::string text;  // kType: the character; kPaste: the clipboard; kDrop: the items
};

std::string Describe(const UserStep& step);

}  // namespace sqp::sessions
