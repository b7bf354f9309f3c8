#include "views/win32/win32_application_view.h"

#include <windows.h>

#include "encoding/win32/text_conversion.h"

namespace sqp::win32 {

void Win32ApplicationView::RunMessageBox(const MessageBoxRequest& box, bool /*closes_at_once*/) {
  // With a quit pending, WM_QUIT is already queued: the box's modal loop
  // fetches it, closes and queues it again, so nothing else is needed here.
  UINT flags = MB_OK | MB_TASKMODAL;
  if (box.icon == MessageBoxIcon::kStop) flags |= MB_ICONSTOP;
  MessageBoxW(nullptr, Utf8ToWide(box.text).c_str(), Utf8ToWide(box.caption).c_str(), flags);
}

void Win32ApplicationView::PostQuit() { PostQuitMessage(0); }

void Win32ApplicationView::ReleaseMouseCapture() { ReleaseCapture(); }

}  // namespace sqp::win32
