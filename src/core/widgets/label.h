#pragma once

#include <optional>

#include "widgets/color.h"
#include "widgets/control.h"

namespace sqp::widgets {

// A one-line, left-aligned text that sizes itself to its text and paints its
// own rectangle: in its own colour once it has one, else in its parent's.
class Label : public Control {
 public:
  Label(std::string name, Control* parent, Bounds bounds)
      : Control(ControlKind::kLabel, std::move(name), parent, bounds) {}

  // Empty while the label paints in its parent's colour.
  const std::optional<Color>& OwnColor() const { return color_; }
  void SetColor(Color color) {
    if (color_ == color) return;
    color_ = color;
    Notify(Change::kColor);
  }
  // Back to painting in its parent's colour.
  void ClearColor() {
    if (!color_) return;
    color_.reset();
    Notify(Change::kColor);
  }

 private:
  std::optional<Color> color_;
};

}  // namespace sqp::widgets
