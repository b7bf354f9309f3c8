#include "sqpmain/layout_scale.h"

#include <algorithm>
#include <variant>

#include "sqpmain/sqp_main_layout.h"

namespace sqp {

LayoutScale::LayoutScale(int numerator, int denominator)
    : numerator_(std::max(numerator, 1)), denominator_(std::max(denominator, 1)) {}

int LayoutScale::Scaled(int layout_pixels) const {
  const std::int64_t product = static_cast<std::int64_t>(layout_pixels) * numerator_;
  const std::int64_t half = denominator_ / 2;
  return static_cast<int>(product >= 0 ? (product + half) / denominator_
                                       : -((-product + half) / denominator_));
}

widgets::Bounds LayoutScale::Scaled(const widgets::Bounds& bounds) const {
  return {Scaled(bounds.left), Scaled(bounds.top), Scaled(bounds.width), Scaled(bounds.height)};
}

LayoutScale SQPMainLayoutScale(int text_height, const TextWidthMeasure& text_width) {
  const LayoutScale by_height(text_height, SQPMainWindowLayout().design_text_height);
  LayoutScale scale = by_height;
  for (const LayoutRow& row : SQPMainLayout()) {
    if (!std::holds_alternative<widgets::Label * TSQPMainForm::*>(row.field)) continue;
    const int width = text_width(row.text);
    // A text that fits its width as the height rule rounds it needs nothing
    // more, so a font of the layout's metrics keeps that rule exactly.
    if (width <= by_height.Scaled(row.bounds.width)) continue;
    scale = std::max(scale, LayoutScale(width, row.bounds.width));
  }
  return scale;
}

}  // namespace sqp
