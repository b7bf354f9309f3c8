#include "sqpmain/folder_drop.h"

#include <string_view>

namespace sqp {

namespace {

bool IsSeparator(char c, PathStyle style) {
  return c == '/' || (style == PathStyle::kWindows && c == '\\');
}

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// "/..." on POSIX, where "//host/..." lies on another machine. On Windows a
// drive's path "C:\...", also in its long form "\\?\C:\..."; "\\server\..."
// and "\\?\UNC\server\..." lie on another machine.
bool IsFullLocalPath(std::string_view path, PathStyle style) {
  if (style == PathStyle::kPosix) {
    return !path.empty() && path[0] == '/' && (path.size() == 1 || path[1] != '/');
  }
  constexpr std::string_view kLongPrefix = "\\\\?\\";
  if (path.substr(0, kLongPrefix.size()) == kLongPrefix) path.remove_prefix(kLongPrefix.size());
  return path.size() >= 3 && IsAsciiLetter(path[0]) && path[1] == ':' &&
         IsSeparator(path[2], style);
}

// A root keeps its separator: on Windows "C:" alone names the drive's
// current folder, not its root.
std::string WithoutTrailingSeparators(std::string folder, PathStyle style) {
  while (folder.size() > 1 && IsSeparator(folder.back(), style)) folder.pop_back();
  if (style == PathStyle::kWindows && folder.back() == ':') folder += '\\';
  return folder;
}

std::string HoldingFolder(const std::string& file, PathStyle style) {
  std::size_t last = file.size();
  while (last > 0 && !IsSeparator(file[last - 1], style)) --last;
  // A full local path starts with a separator or a drive's root, so `last`
  // is past the first separator and the folder is never empty.
  return WithoutTrailingSeparators(file.substr(0, last), style);
}

}  // namespace

std::optional<std::string> DroppedFolder(const std::vector<std::string>& paths,
                                         const FolderTest& is_folder, PathStyle style) {
  for (const std::string& path : paths) {
    if (!IsFullLocalPath(path, style)) return std::nullopt;
  }
  std::optional<std::string> folder;
  for (const std::string& path : paths) {
    std::string item_folder =
        is_folder(path) ? WithoutTrailingSeparators(path, style) : HoldingFolder(path, style);
    if (folder.has_value() && *folder != item_folder) return std::nullopt;
    folder = std::move(item_folder);
  }
  return folder;
}

}  // namespace sqp
