#pragma once

#include "widgets/control.h"

namespace sqp::widgets {

// A framed caption around other controls. It can hold the focus (the arrow
// keys reach it) but is no tab stop.
class GroupBox : public Control {
 public:
  GroupBox(std::string name, Control* parent, Bounds bounds)
      : Control(ControlKind::kGroupBox, std::move(name), parent, bounds) {}
};

}  // namespace sqp::widgets
