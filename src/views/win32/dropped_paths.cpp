#include "views/win32/dropped_paths.h"

#include <shellapi.h>

#include "encoding/win32/text_conversion.h"

namespace sqp::win32 {

std::vector<std::string> DroppedPaths(HDROP drop) {
  std::vector<std::string> paths;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT index = 0; index < count; ++index) {
    std::wstring path(DragQueryFileW(drop, index, nullptr, 0) + 1, L'\0');
    path.resize(DragQueryFileW(drop, index, path.data(), static_cast<UINT>(path.size())));
    paths.push_back(WideToUtf8(path));
  }
  return paths;
}

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Utf8ToWide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace sqp::win32
