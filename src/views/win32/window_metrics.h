#pragma once

#include <windows.h>

namespace sqp::win32 {

// The window font and the factor every laid-out position and size is
// multiplied by: the font's actual text height over the one the layout was
// drawn for.
class WindowMetrics {
 public:
  WindowMetrics();
  ~WindowMetrics();
  WindowMetrics(const WindowMetrics&) = delete;
  WindowMetrics& operator=(const WindowMetrics&) = delete;

  HFONT Font() const { return font_; }
  int TextHeight() const { return text_height_; }
  int Scaled(int layout_pixels) const;

 private:
  HFONT font_ = nullptr;
  int text_height_;
  int design_text_height_;
};

}  // namespace sqp::win32
