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

namespace {

std::string Utf8(const std::wstring& text) {
  std::string bytes(text.size() * 4, '\0');
  bytes.resize(static_cast<std::size_t>(
      WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                          static_cast<int>(bytes.size()), nullptr, nullptr)));
  return bytes;
}

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

BOOL CALLBACK TakeVisibleEdit(HWND window, LPARAM found) {
  if (HasClass(window, L"Edit") && IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
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
    HWND edit = nullptr;
    EnumChildWindows(window, &TakeVisibleEdit, reinterpret_cast<LPARAM>(&edit));
    if (edit == nullptr) return 1;
    if (mode == L"set") {
      CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
      IAccessible* field = nullptr;
      const HRESULT found =
          AccessibleObjectFromWindow(edit, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                     reinterpret_cast<void**>(&field));
      if (FAILED(found)) {
        std::fprintf(stderr, "AccessibleObjectFromWindow: 0x%08lx\n",
                     static_cast<unsigned long>(found));
        return 1;
      }
      VARIANT self;
      self.vt = VT_I4;
      self.lVal = CHILDID_SELF;
      BSTR text = SysAllocString(argv[3]);
      const HRESULT set = field->put_accValue(self, text);
      SysFreeString(text);
      field->Release();
      CoUninitialize();
      if (FAILED(set))
        std::fprintf(stderr, "put_accValue: 0x%08lx\n", static_cast<unsigned long>(set));
      return SUCCEEDED(set) ? 0 : 1;
    }
    // GetWindowText would read no other process's edit: it sends nothing there.
    const auto length = static_cast<std::size_t>(SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(length + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        SendMessageW(edit, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    std::printf("%s\n", Utf8(text).c_str());
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
