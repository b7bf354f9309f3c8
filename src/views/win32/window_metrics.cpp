#include "views/win32/window_metrics.h"

#include "encoding/win32/text_conversion.h"
#include "sqpmain/sqp_main_layout.h"

namespace sqp::win32 {

WindowMetrics::WindowMetrics() {
  const WindowLayout& layout = SQPMainWindowLayout();
  text_height_ = layout.design_text_height;
  design_text_height_ = layout.design_text_height;
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  font_ = CreateFontW(-MulDiv(layout.font_points, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                      DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                      DEFAULT_PITCH | FF_DONTCARE, Utf8ToWide(layout.font_name).c_str());
  HGDIOBJ previous = SelectObject(screen, font_);
  TEXTMETRICW metrics;
  if (GetTextMetricsW(screen, &metrics) && metrics.tmHeight > 0) text_height_ = metrics.tmHeight;
  SelectObject(screen, previous);
  ReleaseDC(nullptr, screen);
}

WindowMetrics::~WindowMetrics() {
  if (font_ != nullptr) DeleteObject(font_);
}

int WindowMetrics::Scaled(int layout_pixels) const {
  return MulDiv(layout_pixels, text_height_, design_text_height_);
}

}  // namespace sqp::win32
