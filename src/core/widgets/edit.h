#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "widgets/control.h"

namespace sqp::widgets {

// A single-line edit of unlimited length. Its change handler runs inside
// every change of the text: always for a change by the user, and for a write
// by the program only when the new text differs from the current one.
// Positions are byte offsets into the UTF-8 text, always on character starts.
class Edit : public Control {
 public:
  Edit(std::string name, Control* parent, Bounds bounds)
      : Control(ControlKind::kEdit, std::move(name), parent, bounds) {
    SetTabStop(true);
  }

  Handler on_change;

  // The program's write.
  void SetText(std::string text) override;

  // Changes by the user, each one change event.
  void UserTypeText(std::string_view typed);  // replaces the selection
  void UserBackspace();
  void UserDelete();
  void UserPaste(std::string_view clipboard) { UserTypeText(clipboard); }
  std::string UserCut();
  void UserUndo();
  // A change that a view's native control already made: the whole new text.
  void UserReplaceText(std::string text);

  std::size_t SelectionStart() const { return selection_start_; }
  std::size_t SelectionLength() const { return selection_length_; }
  std::string SelectedText() const { return Text().substr(selection_start_, selection_length_); }
  // Moves the caret (and selection) without changing the text.
  void Select(std::size_t start, std::size_t length);
  void SelectAll() { Select(0, Text().size()); }

 private:
  void ApplyUserChange(std::string text, std::size_t caret);
  std::size_t ClampToCharStart(std::size_t pos) const;

  std::size_t selection_start_ = 0;
  std::size_t selection_length_ = 0;
  std::string undo_text_;
  bool can_undo_ = false;
};

}  // namespace sqp::widgets
