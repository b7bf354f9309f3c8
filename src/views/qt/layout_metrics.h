#pragma once

#include <QFont>
#include <QRect>

#include "widgets/control.h"

namespace sqp::qt {

// The window font and the factor every laid-out position and size is
// multiplied by: the font's actual text height over the 13 pixels the
// layout was drawn for.
class LayoutMetrics {
 public:
  LayoutMetrics();
  explicit LayoutMetrics(const QFont& font);

  const QFont& Font() const { return font_; }
  double Scale() const { return scale_; }
  int Scaled(int layout_pixels) const;
  QRect Scaled(const widgets::Bounds& bounds) const;

 private:
  QFont font_;
  double scale_;
};

// "MS Sans Serif" with a character height of 11 pixels at 96 dpi where it
// is installed, else a sans serif of the same height.
QFont WindowFont();

}  // namespace sqp::qt
