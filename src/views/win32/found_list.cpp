#include "views/win32/found_list.h"

// After windows.h, whose types they use.
#include <commctrl.h>

#include <algorithm>

#include "encoding/win32/text_conversion.h"

namespace sqp::win32 {

namespace {

constexpr int kRowsShown = 8;

// A click picks without taking the focus from the edit.
LRESULT CALLBACK NoActivateProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                UINT_PTR /*id*/, DWORD_PTR /*data*/) {
  if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
  if (message == WM_NCDESTROY) RemoveWindowSubclass(window, &NoActivateProc, 0);
  return DefSubclassProc(window, message, wparam, lparam);
}

}  // namespace

void FoundList::Open(HWND owner, HWND edit, const std::vector<std::string>& entries) {
  Close();
  if (entries.empty()) return;
  RECT area;
  GetWindowRect(edit, &area);
  const auto font = reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0));
  list_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, WC_LISTBOXW, L"",
                          WS_POPUP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                          area.left, area.bottom, area.right - area.left, 0, owner, nullptr,
                          GetModuleHandleW(nullptr), nullptr);
  if (list_ == nullptr) return;
  SetWindowSubclass(list_, &NoActivateProc, 0, 0);
  SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  for (const std::string& entry : entries)
    SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf8ToWide(entry).c_str()));
  const int rows = std::min(static_cast<int>(entries.size()), kRowsShown);
  const int height = rows * static_cast<int>(SendMessageW(list_, LB_GETITEMHEIGHT, 0, 0)) +
                     2 * GetSystemMetrics(SM_CYBORDER);
  SetWindowPos(list_, HWND_TOP, area.left, area.bottom, area.right - area.left, height,
               SWP_NOACTIVATE);
  SendMessageW(list_, LB_SETCURSEL, 0, 0);
  ShowWindow(list_, SW_SHOWNA);
  edit_ = edit;
  entries_ = entries;
}

void FoundList::Close() {
  if (list_ != nullptr) DestroyWindow(list_);
  list_ = nullptr;
  edit_ = nullptr;
  entries_.clear();
}

void FoundList::Move(int rows) {
  const int last = static_cast<int>(entries_.size()) - 1;
  const int row = static_cast<int>(SendMessageW(list_, LB_GETCURSEL, 0, 0)) + rows;
  SendMessageW(list_, LB_SETCURSEL, std::clamp(row, 0, last), 0);
}

std::optional<std::string> FoundList::Picked() const {
  if (list_ == nullptr) return std::nullopt;
  const auto row = static_cast<std::size_t>(SendMessageW(list_, LB_GETCURSEL, 0, 0));
  if (row >= entries_.size()) return std::nullopt;
  return entries_[row];
}

}  // namespace sqp::win32
