#include <windows.h>

#include "encoding/win32/text_conversion.h"
#include "probes/folder_listing.h"

namespace sqp {

std::vector<ListedFolder> ListFolders(const std::string& folder) {
  std::vector<ListedFolder> folders;
  std::wstring pattern = Utf8ToWide(folder);
  if (!pattern.empty() && pattern.back() != L'\\' && pattern.back() != L'/') pattern += L'\\';
  pattern += L'*';
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW(pattern.c_str(), &found);
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
