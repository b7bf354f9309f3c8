#include "views/win32/win32_application_view.h"

#include <windows.h>

#include <memory>

#include "encoding/win32/text_conversion.h"
#include "views/win32/window_messages.h"

namespace sqp::win32 {

namespace {

constexpr wchar_t kPostClass[] = L"StonequillPatchPost";

using Posted = std::function<void()>;

}  // namespace

Win32ApplicationView::Win32ApplicationView(HINSTANCE instance) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = &WindowProc;
  window_class.hInstance = instance;
  window_class.lpszClassName = kPostClass;
  RegisterClassExW(&window_class);
  window_ =
      CreateWindowExW(0, kPostClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
}

Win32ApplicationView::~Win32ApplicationView() {
  if (window_ == nullptr) return;
  // Callbacks still queued never run; their memory goes with them.
  MSG message;
  while (PeekMessageW(&message, window_, kRunPosted, kRunPosted, PM_REMOVE))
    delete reinterpret_cast<Posted*>(message.lParam);
  DestroyWindow(window_);
}

void Win32ApplicationView::PostToWindowThread(std::function<void()> callback) {
  auto posted = std::make_unique<Posted>(std::move(callback));
  if (window_ != nullptr &&
      PostMessageW(window_, kRunPosted, 0, reinterpret_cast<LPARAM>(posted.get())))
    posted.release();
}

LRESULT CALLBACK Win32ApplicationView::WindowProc(HWND window, UINT message, WPARAM wparam,
                                                  LPARAM lparam) {
  if (message != kRunPosted) return DefWindowProcW(window, message, wparam, lparam);
  const std::unique_ptr<Posted> posted(reinterpret_cast<Posted*>(lparam));
  (*posted)();
  return 0;
}

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
