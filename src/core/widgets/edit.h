#pragma once

#include <cstddef>
#include <string>

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

  // A change the user made in a view's native control: the whole new text.
  // It always runs the change handler, once, and leaves the caret at the end.
  void UserReplaceText(std::string text);

  std::size_t SelectionStart() const { return selection_start_; }
  std::size_t SelectionLength() const { return selection_length_; }
  // Moves the caret (and selection) without changing the text.
  void Select(std::size_t start, std::size_t length);
  void SelectAll() { Select(0, Text().size()); }

 private:
  std::size_t ClampToCharStart(std::size_t pos) const;

  std::size_t selection_start_ = 0;
  std::size_t selection_length_ = 0;
};

}  // namespace sqp::widgets
