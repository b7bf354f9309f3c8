// Starts sqpatch.exe with a given show command, as a shortcut or the shell
// would, and checks what the window system then shows.
//   show_command_probe 7 SQPATCH_EXE   started minimised without activation:
//       the window is minimised before any start-up box; restoring it runs
//       the start-up (the usage box shows; OK ends the program).
//   show_command_probe 3 SQPATCH_EXE ARGUMENTS...   started maximised.
// Exits with the program's exit status, or 99 when a check fails.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

constexpr int kFailed = 99;

HWND FindShown(const wchar_t* title) { return FindWindowW(nullptr, title); }

// Polls `ready` for up to a minute.
template <class Ready>
bool WaitFor(Ready ready) {
  for (int attempt = 0; attempt < 600; ++attempt) {
    if (ready()) return true;
    Sleep(100);
  }
  return false;
}

int Fail(const char* what) {
  std::fprintf(stderr, "FAIL: %s\n", what);
  return kFailed;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return Fail("usage: show_command_probe SHOW EXE [ARGUMENTS...]");
  const int show = _wtoi(argv[1]);
  std::wstring command_line = L"\"" + std::wstring(argv[2]) + L"\"";
  for (int i = 3; i < argc; ++i) command_line += L" \"" + std::wstring(argv[i]) + L"\"";

  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(show);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(argv[2], command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return Fail("cannot start the program");
  }
  HWND window = nullptr;
  const bool found = WaitFor([&] {
    window = FindShown(L"Stonequill Patch 1");
    return window != nullptr && IsWindowVisible(window);
  });
  int result = 0;
  if (!found) {
    result = Fail("no window titled \"Stonequill Patch 1\" was shown");
  } else if (show == SW_SHOWMINNOACTIVE) {
    if (!IsIconic(window)) {
      result = Fail("the window is not minimised");
    } else if (FindShown(L"Error") != nullptr) {
      result = Fail("start-up ran before the window was restored");
    } else {
      ShowWindowAsync(window, SW_RESTORE);
      HWND box = nullptr;
      if (!WaitFor([&] { return (box = FindShown(L"Error")) != nullptr; })) {
        result = Fail("restoring the window did not run the start-up");
      } else {
        PostMessageW(box, WM_COMMAND, IDOK, 0);
      }
    }
  } else if (show == SW_SHOWMAXIMIZED) {
    if (!IsZoomed(window)) result = Fail("the window is not maximised");
    PostMessageW(window, WM_CLOSE, 0, 0);
  } else {
    PostMessageW(window, WM_CLOSE, 0, 0);
  }
  if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, kFailed);
    result = Fail("the program did not end");
  }
  DWORD exit_code = kFailed;
  GetExitCodeProcess(process.hProcess, &exit_code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  if (result != 0) return result;
  std::printf("exit status %lu\n", exit_code);
  return static_cast<int>(exit_code);
}
