#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace sqp::win32 {

// The list of found folders under an empty folder field. The system's
// completion list opens only on typed text (Wine's fails on an empty edit),
// so the empty field has a list of its own, drawn and keyed like it: the
// focus stays in the edit, and the view hands it the keys.
class FoundList {
 public:
  FoundList() = default;
  ~FoundList() { Close(); }
  FoundList(const FoundList&) = delete;
  FoundList& operator=(const FoundList&) = delete;

  // Opens under `edit`, owned by `owner`, with the first entry picked.
  void Open(HWND owner, HWND edit, const std::vector<std::string>& entries);
  void Close();
  // The edit it is open under; nullptr while closed.
  HWND Edit() const { return edit_; }
  HWND Window() const { return list_; }
  void Move(int rows);
  std::optional<std::string> Picked() const;

 private:
  HWND list_ = nullptr;
  HWND edit_ = nullptr;
  std::vector<std::string> entries_;
};

}  // namespace sqp::win32
