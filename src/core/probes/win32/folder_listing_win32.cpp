#include <windows.h>

#include "encoding/win32/text_conversion.h"
#include "probes/folder_listing.h"
#include "probes/path_text.h"
#include "probes/platform_path.h"

namespace sqp {

std::vector<ListedFolder> ListFolders(const std::string& folder) {
  std::vector<ListedFolder> folders;
  std::string pattern = folder;
  if (!pattern.empty() && !IsSeparator(pattern.back(), pattern)) pattern += kPathDelimiter;
  pattern += '*';
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW(Utf8ToWide(pattern).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return folders;
  do {
    const std::wstring name = found.cFileName;
    const DWORD attributes = found.dwFileAttributes;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 || name == L"." || name == L"..") continue;
    folders.push_back(
        {WideToUtf8(name), (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0});
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return folders;
}

}  // namespace sqp
