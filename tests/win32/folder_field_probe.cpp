// Reads a folder field of the wizard from outside: how many entries the
// completion list on screen holds, or the text of the visible folder field.
//   folder_field_probe list|text WINDOW_TITLE
#include <windows.h>

#include <cstdio>
#include <string>

#include "folder_field_window.h"

namespace {

bool HasClass(HWND window, const wchar_t* name) {
  wchar_t class_name[64] = L"";
  GetClassNameW(window, class_name, 64);
  return lstrcmpiW(class_name, name) == 0;
}

struct Search {
  DWORD process;
  HWND found;
};

// The list box of a shown completion list: Windows' own dropdown class, or
// Wine's list box, alone or in a frame, of the wizard's process.
BOOL CALLBACK TakeShownList(HWND window, LPARAM search_address) {
  auto* search = reinterpret_cast<Search*>(search_address);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != search->process || !IsWindowVisible(window)) return TRUE;
  HWND list =
      HasClass(window, L"ListBox") ? window : FindWindowExW(window, nullptr, L"ListBox", nullptr);
  if (list == nullptr && HasClass(window, L"Auto-Suggest Dropdown"))
    list = FindWindowExW(window, nullptr, L"SysListView32", nullptr);
  if (list == nullptr) return TRUE;
  search->found = list;
  return FALSE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: folder_field_probe list|text WINDOW_TITLE\n");
    return 2;
  }
  const std::wstring mode = argv[1];
  HWND window = FindWindowW(nullptr, argv[2]);
  if (window == nullptr) {
    std::fprintf(stderr, "no window titled %ls\n", argv[2]);
    return 1;
  }
  if (mode == L"text") {
    HWND edit = sqp::window_probes::VisibleFolderField(argv[2]);
    if (edit == nullptr) return 1;
    std::printf("%s\n", sqp::window_probes::FieldText(edit).c_str());
    return 0;
  }
  Search search{0, nullptr};
  GetWindowThreadProcessId(window, &search.process);
  EnumWindows(&TakeShownList, reinterpret_cast<LPARAM>(&search));
  if (search.found == nullptr) return 1;  // no list on screen
  // Wine's list holds no strings of its own (they are drawn by the
  // completion object), so the entries are counted, not read.
  std::printf("%ld\n", static_cast<long>(SendMessageW(search.found, LB_GETCOUNT, 0, 0)));
  return 0;
}
