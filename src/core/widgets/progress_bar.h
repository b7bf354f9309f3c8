#pragma once

#include "widgets/control.h"

namespace sqp::widgets {

class ProgressBar : public Control {
 public:
  ProgressBar(std::string name, Control* parent, Bounds bounds)
      : Control(ControlKind::kProgressBar, std::move(name), parent, bounds) {}

  int Min() const { return min_; }
  int Max() const { return max_; }
  int Position() const { return position_; }

 private:
  int min_ = 0;
  int max_ = 100;
  int position_ = 0;
};

}  // namespace sqp::widgets
