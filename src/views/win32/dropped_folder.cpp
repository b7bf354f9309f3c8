#include "views/win32/dropped_folder.h"

namespace sqp::win32 {

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// "\\server\share\..." and "\\?\UNC\server\..." lie on another machine;
// "\\?\C:\..." is a long local path.
bool IsNetworkPath(const std::wstring& path) {
  if (path.size() < 2 || !IsSeparator(path[0]) || !IsSeparator(path[1])) return false;
  return path.rfind(L"\\\\?\\", 0) != 0 || path.rfind(L"\\\\?\\UNC\\", 0) == 0;
}

// A drive's root keeps its backslash: "C:" alone names the drive's current
// folder, not its root.
std::wstring WithRootSeparator(std::wstring folder) {
  if (!folder.empty() && folder.back() == L':') folder += L'\\';
  return folder;
}

std::wstring WithoutTrailingSeparators(std::wstring folder) {
  while (folder.size() > 1 && IsSeparator(folder.back())) folder.pop_back();
  return WithRootSeparator(std::move(folder));
}

std::optional<std::wstring> ParentFolder(const std::wstring& file) {
  const std::size_t last = file.find_last_of(L"\\/");
  if (last == std::wstring::npos) return std::nullopt;
  return WithoutTrailingSeparators(file.substr(0, last));
}

}  // namespace

std::optional<std::wstring> DroppedFolder(
    const std::vector<std::wstring>& paths,
    const std::function<bool(const std::wstring&)>& is_folder) {
  std::optional<std::wstring> folder;
  for (const std::wstring& path : paths) {
    if (IsNetworkPath(path)) return std::nullopt;
    const std::optional<std::wstring> item_folder =
        is_folder(path) ? std::optional(WithoutTrailingSeparators(path)) : ParentFolder(path);
    if (!item_folder.has_value() || item_folder->empty()) return std::nullopt;
    if (folder.has_value() && *folder != *item_folder) return std::nullopt;
    folder = item_folder;
  }
  return folder;
}

}  // namespace sqp::win32
