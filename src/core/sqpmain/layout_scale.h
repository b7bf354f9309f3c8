#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "widgets/control.h"

namespace sqp {

// The factor every laid-out position and size is multiplied by, kept as a
// fraction so that every view rounds alike.
class LayoutScale {
 public:
  LayoutScale() = default;
  // Both at least 1.
  LayoutScale(int numerator, int denominator);

  int Numerator() const { return numerator_; }
  int Denominator() const { return denominator_; }

  // Layout pixels to the window's, to the nearest pixel, halves away from zero.
  int Scaled(int layout_pixels) const;
  widgets::Bounds Scaled(const widgets::Bounds& bounds) const;

  // Compares the factors, not their spelling: 12/13 == 24/26.
  friend bool operator==(const LayoutScale& a, const LayoutScale& b) {
    return static_cast<std::int64_t>(a.numerator_) * b.denominator_ ==
           static_cast<std::int64_t>(b.numerator_) * a.denominator_;
  }
  friend bool operator<(const LayoutScale& a, const LayoutScale& b) {
    return static_cast<std::int64_t>(a.numerator_) * b.denominator_ <
           static_cast<std::int64_t>(b.numerator_) * a.denominator_;
  }

 private:
  int numerator_ = 1;
  int denominator_ = 1;
};

// The width in the view's pixels of a text drawn in its window font.
using TextWidthMeasure = std::function<int(std::string_view text)>;

// The scale of the wizard window for the font a view draws with: its text
// height over the layout's, and never less than what the widest label needs
// for its layout text to fit the width laid out for it. A font with the
// layout's metrics gets exactly the height rule; a wider one (another face,
// or the same face rasterised differently) grows the window instead of
// running a label into the control beside it. Every label of the layout is
// measured once, in layout order.
LayoutScale SQPMainLayoutScale(int text_height, const TextWidthMeasure& text_width);

}  // namespace sqp
