// Starts sqpatch.exe with a given show command, as a shortcut or the shell
// would, and checks what the window system then shows. The program stands
// in the task bar as its one unowned window, captioned "Stonequill Patch",
// which owns the wizard window "Stonequill Patch 1".
//   show_command_probe 7 SQPATCH_EXE   started minimised without activation:
//       only the task bar window is there, minimised, before any start-up
//       box; restoring it from the task bar runs the start-up (the usage box
//       shows; OK ends the program).
//   show_command_probe 3 SQPATCH_EXE ARGUMENTS...   started maximised; the
//       wizard's minimise box minimises the task bar window and hides the
//       wizard, restoring the task bar window brings the wizard back
//       maximised, and closing the task bar window ends the program.
// Exits with the program's exit status, or 99 when a check fails.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr int kFailed = 99;

HWND FindShown(const wchar_t* title) { return FindWindowW(nullptr, title); }

std::wstring Caption(HWND window) {
  wchar_t text[256] = L"";
  GetWindowTextW(window, text, 256);
  return text;
}

// The visible top-level windows of a process that no other window owns.
std::vector<HWND> UnownedWindows(DWORD process_id) {
  struct Search {
    DWORD process_id;
    std::vector<HWND> windows;
  } search{process_id, {}};
  EnumWindows(
      [](HWND window, LPARAM context) -> BOOL {
        auto& state = *reinterpret_cast<Search*>(context);
        DWORD owner_process = 0;
        GetWindowThreadProcessId(window, &owner_process);
        if (owner_process == state.process_id && IsWindowVisible(window) &&
            GetWindow(window, GW_OWNER) == nullptr) {
          state.windows.push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.windows;
}

// The program's task bar window: its only visible unowned window, titled
// with the application title.
HWND TaskBarWindow(DWORD process_id) {
  const std::vector<HWND> unowned = UnownedWindows(process_id);
  if (unowned.size() != 1 || Caption(unowned.front()) != L"Stonequill Patch") return nullptr;
  return unowned.front();
}

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
  HWND task_bar = nullptr;
  HWND window = nullptr;
  int result = 0;
  if (show == SW_SHOWMINNOACTIVE) {
    if (!WaitFor([&] { return (task_bar = TaskBarWindow(process.dwProcessId)) != nullptr; })) {
      result = Fail("no task bar window titled \"Stonequill Patch\" was shown");
    } else if (!IsIconic(task_bar)) {
      result = Fail("the task bar window is not minimised");
    } else if ((window = FindShown(L"Stonequill Patch 1")) != nullptr && IsWindowVisible(window)) {
      result = Fail("the wizard window is shown while the program is minimised");
    } else if (FindShown(L"Error") != nullptr) {
      result = Fail("start-up ran before the window was restored");
    } else {
      ShowWindowAsync(task_bar, SW_RESTORE);
      HWND box = nullptr;
      if (!WaitFor([&] { return (box = FindShown(L"Error")) != nullptr; })) {
        result = Fail("restoring the window did not run the start-up");
      } else {
        PostMessageW(box, WM_COMMAND, IDOK, 0);
      }
    }
  } else if (!WaitFor([&] {
               window = FindShown(L"Stonequill Patch 1");
               return window != nullptr && IsWindowVisible(window);
             })) {
    result = Fail("no window titled \"Stonequill Patch 1\" was shown");
  } else if ((task_bar = TaskBarWindow(process.dwProcessId)) == nullptr) {
    result = Fail("no one unowned window titled \"Stonequill Patch\"");
  } else if (GetWindow(window, GW_OWNER) != task_bar) {
    result = Fail("the task bar window does not own the wizard window");
  } else if (show == SW_SHOWMAXIMIZED) {
    if (!IsZoomed(window)) {
      result = Fail("the window is not maximised");
    } else {
      PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
      if (!WaitFor([&] { return IsIconic(task_bar) && !IsWindowVisible(window); })) {
        result = Fail("minimising the wizard did not minimise the task bar window");
      } else {
        ShowWindowAsync(task_bar, SW_RESTORE);
        if (!WaitFor([&] { return IsWindowVisible(window) && !IsIconic(task_bar); })) {
          result = Fail("restoring the task bar window did not bring the wizard back");
        } else if (!IsZoomed(window)) {
          result = Fail("the wizard came back no longer maximised");
        }
      }
    }
  }
  // Closed from the task bar, as the button's menu does.
  if (show != SW_SHOWMINNOACTIVE)
    PostMessageW(task_bar != nullptr ? task_bar : window, WM_CLOSE, 0, 0);
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
