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
    // The probes spell names in the system code page: one outside it would
    // be offered and then never found.
    std::string utf8 = WideToUtf8(name);
    if (!Utf8ToAnsi(utf8)) continue;
    folders.push_back(
        {std::move(utf8), (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0});
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return folders;
}

}  // namespace sqp
