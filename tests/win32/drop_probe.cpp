// Drops files onto the wizard's visible folder field as Explorer does: a
// WM_DROPFILES whose HDROP lives in the wizard's process. Then prints the
// field's text.
//   drop_probe WINDOW_TITLE PATH...
#include <windows.h>
// After windows.h, whose types it uses.
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "encoding/win32/text_conversion.h"

namespace {

BOOL CALLBACK TakeVisibleEdit(HWND window, LPARAM found) {
  wchar_t class_name[16] = L"";
  GetClassNameW(window, class_name, 16);
  if (lstrcmpiW(class_name, L"Edit") == 0 && IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

// DROPFILES followed by the wide paths, each ended by a NUL, and one more.
std::vector<char> DropFiles(const std::vector<std::wstring>& paths) {
  std::wstring list;
  for (const std::wstring& path : paths) list += path + L'\0';
  list += L'\0';
  std::vector<char> block(sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
  DROPFILES header{};
  header.pFiles = sizeof(DROPFILES);
  header.fWide = TRUE;
  std::memcpy(block.data(), &header, sizeof(header));
  std::memcpy(block.data() + sizeof(header), list.data(), list.size() * sizeof(wchar_t));
  return block;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: drop_probe WINDOW_TITLE PATH...\n");
    return 2;
  }
  HWND window = FindWindowW(nullptr, argv[1]);
  HWND edit = nullptr;
  if (window != nullptr)
    EnumChildWindows(window, &TakeVisibleEdit, reinterpret_cast<LPARAM>(&edit));
  if (edit == nullptr) {
    std::fprintf(stderr, "no visible edit in a window titled %ls\n", argv[1]);
    return 1;
  }

  // The shell hands the receiver memory of its own; so does this probe.
  DWORD process_id = 0;
  GetWindowThreadProcessId(edit, &process_id);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, process_id);
  const std::vector<char> block = DropFiles(std::vector<std::wstring>(argv + 2, argv + argc));
  void* remote = process == nullptr ? nullptr
                                    : VirtualAllocEx(process, nullptr, block.size(),
                                                     MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (remote == nullptr ||
      !WriteProcessMemory(process, remote, block.data(), block.size(), nullptr)) {
    std::fprintf(stderr, "cannot write into the wizard's process (error %lu)\n", GetLastError());
    return 1;
  }
  // Sent, not posted: the field's text is read after the drop was handled.
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(edit, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0,
                           SMTO_ABORTIFHUNG, 30000, &result)) {
    std::fprintf(stderr, "the drop was not delivered (error %lu)\n", GetLastError());
    return 1;
  }
  CloseHandle(process);

  // GetWindowText would read no other process's edit: it sends nothing there.
  const auto length = static_cast<std::size_t>(SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0));
  std::wstring text(length + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      SendMessageW(edit, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  const std::string bytes = sqp::WideToUtf8(text);
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
  std::fputc('\n', stdout);
  return 0;
}
