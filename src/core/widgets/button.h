#pragma once

#include "widgets/control.h"

namespace sqp::widgets {

class Button : public Control {
 public:
  Button(std::string name, Control* parent, Bounds bounds)
      : Control(ControlKind::kButton, std::move(name), parent, bounds) {
    SetTabStop(true);
  }

  Handler on_click;

  // Runs the click handler, whatever the button's state, as the program's
  // own call of it does.
  void Click();

  // A press by the user with the mouse: only a reachable, enabled button
  // reacts; it takes the focus, then runs its click handler. Answers whether
  // the press reached the button.
  bool UserClick();
};

}  // namespace sqp::widgets
