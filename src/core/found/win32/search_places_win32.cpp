#include <windows.h>

#include <string_view>

#include "encoding/win32/text_conversion.h"
#include "found/search_places.h"

namespace sqp {

namespace {

// Under Wine a drive may stand for the Unix root (Z:): the whole machine,
// with /proc and network mounts, is no disc; and a listing that hangs there
// holds Wine's folder lock, which every check waits on.
bool IsWholeUnixRoot(const std::wstring& root) {
  using UnixName = char*(CDECL*)(LPCWSTR);
  static const auto unix_name = reinterpret_cast<UnixName>(reinterpret_cast<void (*)()>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (unix_name == nullptr) return false;
  char* name = unix_name(root.c_str());
  if (name == nullptr) return false;
  const bool whole = std::string_view(name).find_first_not_of('/') == std::string_view::npos;
  HeapFree(GetProcessHeap(), 0, name);
  return whole;
}

// Every drive of the fixed, removable and CD-ROM kinds. Never a network
// drive, and never A: or B:, where asking a floppy drive may wait on it.
class Win32SearchPlaces : public SearchPlaces {
 public:
  std::vector<SearchPlace> Places() const override {
    std::vector<SearchPlace> places;
    const DWORD drives = GetLogicalDrives();
    for (int index = 2; index < 26; ++index) {
      if ((drives & (DWORD{1} << index)) == 0) continue;
      const char letter = static_cast<char>('A' + index);
      const std::wstring root = {static_cast<wchar_t>(letter), L':', L'\\'};
      const UINT kind = GetDriveTypeW(root.c_str());
      if ((kind != DRIVE_FIXED && kind != DRIVE_REMOVABLE && kind != DRIVE_CDROM) ||
          IsWholeUnixRoot(root))
        continue;
      const std::string spelling = {letter, ':', '\\'};
      places.push_back({spelling, spelling, '\\'});
    }
    return places;
  }

  PlaceListing List(const std::string& folder) const override {
    PlaceListing listing;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(Utf8ToWide(Join(folder, "*")).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
      listing.skipped = true;
      return listing;
    }
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      // The probes spell names in the system code page: one outside it
      // would be offered and then never found.
      std::string utf8 = WideToUtf8(name);
      if (!Utf8ToAnsi(utf8)) continue;
      const DWORD attributes = found.dwFileAttributes;
      listing.entries.push_back({std::move(utf8), (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                                 (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0});
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return listing;
  }

  std::string Join(const std::string& folder, const std::string& name) const override {
    if (!folder.empty() && folder.back() == '\\') return folder + name;
    return folder + '\\' + name;
  }
};

}  // namespace

std::shared_ptr<const SearchPlaces> MachineSearchPlaces() {
  return std::make_shared<Win32SearchPlaces>();
}

}  // namespace sqp
