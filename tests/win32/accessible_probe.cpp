// Reads the wizard window of another process the way a screen reader does
// through Microsoft Active Accessibility.
//   accessible_probe WINDOW_TITLE
// For every visible control, the accessible object of its client area, and
// that object's role, name and whether it is unavailable, one line each:
//   ROLE<TAB>NAME[<TAB>unavailable]
//   accessible_probe WINDOW_TITLE --watch STOP_FILE
// Prints the new name of every object of the window's process that reports
// a name change, and "alert<TAB>ROLE<TAB>NAME" for every alert it raises, one
// line each, until STOP_FILE exists.
#include <windows.h>
// After windows.h, whose types they use.
#include <oleacc.h>

#include <cstdio>
#include <string>
#include <vector>

#include "encoding/win32/text_conversion.h"

namespace {

const char* RoleName(long role) {
  switch (role) {
    case ROLE_SYSTEM_TEXT:
      return "text";
    case ROLE_SYSTEM_STATICTEXT:
      return "static";
    case ROLE_SYSTEM_PUSHBUTTON:
      return "button";
    case ROLE_SYSTEM_GROUPING:
      return "group";
    case ROLE_SYSTEM_PROGRESSBAR:
      return "progress";
    case ROLE_SYSTEM_CLIENT:
      return "client";
    case ROLE_SYSTEM_ALERT:
      return "alert";
    default:
      return "other";
  }
}

BOOL CALLBACK CollectVisible(HWND window, LPARAM list) {
  if (IsWindowVisible(window)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

void PrintControl(HWND window) {
  IAccessible* accessible = nullptr;
  const HRESULT result =
      AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                 reinterpret_cast<void**>(&accessible));
  if (FAILED(result) || accessible == nullptr) {
    std::printf("none\t%08lx\n", static_cast<unsigned long>(result));
    return;
  }
  VARIANT self;
  VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  VARIANT role;
  VariantInit(&role);
  VARIANT state;
  VariantInit(&state);
  BSTR name = nullptr;
  const bool has_role = SUCCEEDED(accessible->get_accRole(self, &role)) && role.vt == VT_I4;
  const bool has_state = SUCCEEDED(accessible->get_accState(self, &state)) && state.vt == VT_I4;
  accessible->get_accName(self, &name);
  std::printf("%s\t%s%s\n", has_role ? RoleName(role.lVal) : "?",
              name != nullptr ? sqp::WideToUtf8({name, SysStringLen(name)}).c_str() : "",
              has_state && (state.lVal & STATE_SYSTEM_UNAVAILABLE) ? "\tunavailable" : "");
  SysFreeString(name);
  accessible->Release();
}

void CALLBACK PrintNameChange(HWINEVENTHOOK /*hook*/, DWORD event, HWND window, LONG object,
                              LONG child, DWORD /*thread*/, DWORD /*time*/) {
  if (event != EVENT_OBJECT_NAMECHANGE && event != EVENT_SYSTEM_ALERT) return;
  IAccessible* accessible = nullptr;
  VARIANT child_id;
  VariantInit(&child_id);
  if (FAILED(AccessibleObjectFromEvent(window, static_cast<DWORD>(object),
                                       static_cast<DWORD>(child), &accessible, &child_id)) ||
      accessible == nullptr) {
    std::printf("?\n");
    return;
  }
  BSTR name = nullptr;
  accessible->get_accName(child_id, &name);
  VARIANT role;
  VariantInit(&role);
  if (event == EVENT_SYSTEM_ALERT && SUCCEEDED(accessible->get_accRole(child_id, &role))) {
    std::printf("alert\t%s\t", role.vt == VT_I4 ? RoleName(role.lVal) : "?");
  }
  std::printf("%s\n", name != nullptr ? sqp::WideToUtf8({name, SysStringLen(name)}).c_str() : "");
  std::fflush(stdout);
  SysFreeString(name);
  accessible->Release();
}

// Events of an out-of-context hook arrive as messages to this thread.
int WatchNameChanges(HWND window, const wchar_t* stop_file) {
  DWORD process_id = 0;
  GetWindowThreadProcessId(window, &process_id);
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_SYSTEM_ALERT, EVENT_OBJECT_NAMECHANGE, nullptr,
                                       &PrintNameChange, process_id, 0, WINEVENT_OUTOFCONTEXT);
  if (hook == nullptr) {
    std::fprintf(stderr, "cannot watch name changes (error %lu)\n", GetLastError());
    return 1;
  }
  std::printf("watching\n");
  std::fflush(stdout);
  for (;;) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    if (GetFileAttributesW(stop_file) != INVALID_FILE_ATTRIBUTES) break;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
  }
  UnhookWinEvent(hook);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const bool watch = argc == 4 && lstrcmpW(argv[2], L"--watch") == 0;
  if (argc != 2 && !watch) {
    std::fprintf(stderr, "usage: accessible_probe WINDOW_TITLE [--watch STOP_FILE]\n");
    return 2;
  }
  HWND window = FindWindowW(nullptr, argv[1]);
  if (window == nullptr) {
    std::fprintf(stderr, "no window titled %ls\n", argv[1]);
    return 1;
  }
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (watch) {
    const int status = WatchNameChanges(window, argv[3]);
    CoUninitialize();
    return status;
  }
  std::vector<HWND> controls;
  EnumChildWindows(window, &CollectVisible, reinterpret_cast<LPARAM>(&controls));
  for (HWND control : controls) PrintControl(control);
  CoUninitialize();
  return 0;
}
