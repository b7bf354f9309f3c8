#pragma once

#include <windows.h>

#include "sqpmain/layout_scale.h"

namespace sqp::win32 {

// The window font and the scale every laid-out position and size is
// multiplied by, from that font's measurements.
class WindowMetrics {
 public:
  WindowMetrics();
  ~WindowMetrics();
  WindowMetrics(const WindowMetrics&) = delete;
  WindowMetrics& operator=(const WindowMetrics&) = delete;

  HFONT Font() const { return font_; }
  int TextHeight() const { return text_height_; }
  int Scaled(int layout_pixels) const { return scale_.Scaled(layout_pixels); }

 private:
  HFONT font_ = nullptr;
  int text_height_;
  LayoutScale scale_;
};

}  // namespace sqp::win32
