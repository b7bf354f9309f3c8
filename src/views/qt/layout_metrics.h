#pragma once

#include <QFont>
#include <QRect>

#include "sqpmain/layout_scale.h"
#include "widgets/control.h"

namespace sqp::qt {

// The window font and the scale every laid-out position and size is
// multiplied by, from that font's measurements.
class LayoutMetrics {
 public:
  LayoutMetrics();
  explicit LayoutMetrics(const QFont& font);

  const QFont& Font() const { return font_; }
  const LayoutScale& Scale() const { return scale_; }
  int Scaled(int layout_pixels) const { return scale_.Scaled(layout_pixels); }
  QRect Scaled(const widgets::Bounds& bounds) const;

 private:
  QFont font_;
  LayoutScale scale_;
};

// "MS Sans Serif" with a character height of 11 pixels at 96 dpi where it
// is installed and the screen can draw it at that size, else a sans serif
// of the same height.
QFont WindowFont();

}  // namespace sqp::qt
