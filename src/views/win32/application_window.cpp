#include "views/win32/application_window.h"

#include "encoding/win32/text_conversion.h"
#include "views/win32/resource_ids.h"
#include "views/win32/window_messages.h"

namespace sqp::win32 {

namespace {

constexpr wchar_t kApplicationClass[] = L"StonequillPatchApplication";

void RegisterApplicationClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXW window_class{};
  if (GetClassInfoExW(instance, kApplicationClass, &window_class)) return;
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = instance;
  window_class.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(SQP_MAIN_ICON));
  window_class.lpszClassName = kApplicationClass;
  RegisterClassExW(&window_class);
}

}  // namespace

ApplicationWindow::ApplicationWindow(Application& application, HINSTANCE instance)
    : application_(application) {
  RegisterApplicationClass(instance, &ApplicationWindow::WindowProc);
  // No size, in the middle of the screen: on screen for the window system,
  // which gives it its task bar button, yet nothing of it is drawn.
  const int left = GetSystemMetrics(SM_CXSCREEN) / 2;
  const int top = GetSystemMetrics(SM_CYSCREEN) / 2;
  window_ = CreateWindowExW(0, kApplicationClass, Utf8ToWide(application_.Title()).c_str(),
                            WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, left, top, 0, 0,
                            nullptr, nullptr, instance, this);
}

ApplicationWindow::~ApplicationWindow() {
  if (window_ != nullptr) DestroyWindow(window_);
}

void ApplicationWindow::Show(int show_command) {
  if (show_command == SW_SHOWMINNOACTIVE) {
    ShowWindow(window_, SW_SHOWMINNOACTIVE);
    return;
  }
  application_.ShowMainForm();
  ShowWindow(window_, SW_SHOWNA);
  ShowMainWindow(show_command == SW_SHOWMAXIMIZED ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
}

void ApplicationWindow::ShowMainWindow(int show_command) {
  if (main_window_ == nullptr) return;
  main_window_shown_ = true;
  ShowWindow(main_window_, show_command);
  UpdateWindow(main_window_);
}

LRESULT CALLBACK ApplicationWindow::WindowProc(HWND window, UINT message, WPARAM wparam,
                                               LPARAM lparam) {
  auto* self = WindowOwner<ApplicationWindow>(window, message, lparam);
  if (self == nullptr || self->window_ != window) {
    return DefWindowProcW(window, message, wparam, lparam);
  }
  return self->HandleMessage(message, wparam, lparam);
}

LRESULT ApplicationWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_QUERYOPEN:
      // Started minimised: the show handler runs at the first restore.
      if (!application_.MainFormShown()) application_.ShowMainForm();
      return TRUE;
    case WM_SIZE:
      if (main_window_ == nullptr) break;
      if (wparam == SIZE_MINIMIZED) {
        minimised_ = true;
        // An owned window that is no pop-up would stay on screen.
        ShowWindow(main_window_, SW_HIDE);
      } else if (wparam == SIZE_RESTORED && minimised_) {
        minimised_ = false;
        // In the state the wizard had, or as it first appears.
        ShowMainWindow(main_window_shown_ ? SW_SHOW : SW_SHOWNORMAL);
      }
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wparam) != WA_INACTIVE) PostMessageW(window_, kActivateMainWindow, 0, 0);
      break;
    case kActivateMainWindow:
      if (main_window_ != nullptr && IsWindowVisible(main_window_) &&
          IsWindowEnabled(main_window_) && GetActiveWindow() == window_) {
        SetActiveWindow(main_window_);
      }
      return 0;
    case WM_CLOSE:
      // Closing from the task bar closes the wizard, whose close ends the run.
      if (main_window_ != nullptr) {
        PostMessageW(main_window_, WM_CLOSE, 0, 0);
      } else {
        application_.CloseMainForm();
      }
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window_, message, wparam, lparam);
}

}  // namespace sqp::win32
