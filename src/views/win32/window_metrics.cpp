#include "views/win32/window_metrics.h"

#include <string>

#include "encoding/win32/text_conversion.h"
#include "sqpmain/sqp_main_layout.h"

namespace sqp::win32 {

WindowMetrics::WindowMetrics() {
  const WindowLayout& layout = SQPMainWindowLayout();
  text_height_ = layout.design_text_height;
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  font_ = CreateFontW(-MulDiv(layout.font_points, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                      DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                      DEFAULT_PITCH | FF_DONTCARE, Utf8ToWide(layout.font_name).c_str());
  HGDIOBJ previous = SelectObject(screen, font_);
  TEXTMETRICW metrics;
  if (GetTextMetricsW(screen, &metrics) && metrics.tmHeight > 0) text_height_ = metrics.tmHeight;
  scale_ = SQPMainLayoutScale(text_height_, [screen](std::string_view text) {
    const std::wstring wide = Utf8ToWide(text);
    SIZE extent{0, 0};
    GetTextExtentPoint32W(screen, wide.c_str(), static_cast<int>(wide.size()), &extent);
    return static_cast<int>(extent.cx);
  });
  SelectObject(screen, previous);
  ReleaseDC(nullptr, screen);
}

WindowMetrics::~WindowMetrics() {
  if (font_ != nullptr) DeleteObject(font_);
}

}  // namespace sqp::win32
