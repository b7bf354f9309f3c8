// Reads a folder field of the wizard from outside: how many entries the
// completion list on screen holds, or the text of the visible folder field;
// or sets that text as a screen reader does, through MSAA's put_accValue.
//   folder_field_probe list|text WINDOW_TITLE
//   folder_field_probe set WINDOW_TITLE TEXT
#include <windows.h>
// After windows.h, whose types it uses.
#include <oleacc.h>

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

// put_accValue on the field's accessible object, in another process.
bool SetByReader(HWND edit, const wchar_t* text) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IAccessible* field = nullptr;
  HRESULT result =
      AccessibleObjectFromWindow(edit, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                 reinterpret_cast<void**>(&field));
  if (SUCCEEDED(result)) {
    VARIANT self;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR value = SysAllocString(text);
    result = field->put_accValue(self, value);
    SysFreeString(value);
    field->Release();
  }
  if (FAILED(result))
    std::fprintf(stderr, "put_accValue: 0x%08lx\n", static_cast<unsigned long>(result));
  CoUninitialize();
  return SUCCEEDED(result);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3 && !(argc == 4 && std::wstring(argv[1]) == L"set")) {
    std::fprintf(stderr,
                 "usage: folder_field_probe list|text WINDOW_TITLE | set WINDOW_TITLE TEXT\n");
    return 2;
  }
  const std::wstring mode = argv[1];
  HWND window = FindWindowW(nullptr, argv[2]);
  if (window == nullptr) {
    std::fprintf(stderr, "no window titled %ls\n", argv[2]);
    return 1;
  }
  if (mode == L"text" || mode == L"set") {
    HWND edit = sqp::window_probes::VisibleFolderField(argv[2]);
    if (edit == nullptr) return 1;
    if (mode == L"set") return SetByReader(edit, argv[3]) ? 0 : 1;
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
