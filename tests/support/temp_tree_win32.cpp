#include <windows.h>
#include <winioctl.h>

#include <algorithm>
#include <stdexcept>

#include "encoding/win32/text_conversion.h"
#include "support/temp_tree.h"

namespace sqp::testing {

// Paths are UTF-8 like the program's own; the tree is built through the
// wide calls so that it does not lean on the code the tests check.

namespace {

void Check(bool ok, const std::string& what) {
  if (!ok) throw std::runtime_error(what + " failed with " + std::to_string(GetLastError()));
}

std::wstring Wide(const std::string& path) { return Utf8ToWide(path); }

void MakeFolders(const std::string& path) {
  for (std::size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1)) {
    CreateDirectoryW(Wide(path.substr(0, at)).c_str(), nullptr);
  }
  if (!CreateDirectoryW(Wide(path).c_str(), nullptr)) {
    Check(GetLastError() == ERROR_ALREADY_EXISTS, "CreateDirectoryW " + path);
  }
}

void MakeParents(const std::string& path) { MakeFolders(path.substr(0, path.rfind('\\'))); }

// Clears the read-only attribute of everything before deleting it.
void RemoveTree(const std::wstring& path) {
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring child = path + L"\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(child.c_str());
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(path.c_str());
}

void ChangeAttribute(const std::string& path, DWORD attribute, bool set) {
  const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
  Check(attributes != INVALID_FILE_ATTRIBUTES, "GetFileAttributesW " + path);
  DWORD changed = set ? (attributes | attribute) : (attributes & ~attribute);
  if (changed == 0) changed = FILE_ATTRIBUTE_NORMAL;
  Check(SetFileAttributesW(Wide(path).c_str(), changed) != 0, "SetFileAttributesW " + path);
}

HANDLE OpenFile(const std::string& path, DWORD access, DWORD share, DWORD disposition,
                DWORD flags) {
  const HANDLE file =
      CreateFileW(Wide(path).c_str(), access, share, nullptr, disposition, flags, nullptr);
  Check(file != INVALID_HANDLE_VALUE, "CreateFileW " + path);
  return file;
}

}  // namespace

TempTree::TempTree() {
  wchar_t temp[MAX_PATH];
  Check(GetTempPathW(MAX_PATH, temp) != 0, "GetTempPathW");
  std::string base = WideToUtf8(temp);
  if (!base.empty() && base.back() == '\\') base.pop_back();
  static unsigned serial = 0;
  for (;;) {
    const std::string candidate = base + "\\sqp-test-" + std::to_string(GetCurrentProcessId()) +
                                  "-" + std::to_string(++serial);
    if (CreateDirectoryW(Wide(candidate).c_str(), nullptr)) {
      root_ = candidate;
      return;
    }
    Check(GetLastError() == ERROR_ALREADY_EXISTS, "CreateDirectoryW " + candidate);
  }
}

TempTree::~TempTree() { RemoveTree(Wide(root_)); }

std::string TempTree::Path(std::string_view relative) const {
  std::string path = root_ + "\\" + std::string(relative);
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

std::string TempTree::Folder(std::string_view relative) const {
  const std::string path = Path(relative);
  MakeFolders(path);
  return path;
}

std::string TempTree::File(std::string_view relative, std::uint64_t size) const {
  const std::string path = Path(relative);
  MakeParents(path);
  const HANDLE file =
      OpenFile(path, GENERIC_READ | GENERIC_WRITE, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL);
  // Sparse where the file system can, so that 4 GiB cost nothing.
  DWORD returned = 0;
  DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
  LARGE_INTEGER end;
  end.QuadPart = static_cast<LONGLONG>(size);
  const bool sized = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
  CloseHandle(file);
  Check(sized, "SetEndOfFile " + path);
  return path;
}

std::string Separator() { return "\\"; }

void SetReadOnly(const std::string& path, bool read_only) {
  ChangeAttribute(path, FILE_ATTRIBUTE_READONLY, read_only);
}

void SetHidden(const std::string& path) { ChangeAttribute(path, FILE_ATTRIBUTE_HIDDEN, true); }

void SetSystem(const std::string& path) { ChangeAttribute(path, FILE_ATTRIBUTE_SYSTEM, true); }

void SetModificationTime(const std::string& path, int year, int month, int day) {
  SYSTEMTIME when{};
  when.wYear = static_cast<WORD>(year);
  when.wMonth = static_cast<WORD>(month);
  when.wDay = static_cast<WORD>(day);
  FILETIME time;
  Check(SystemTimeToFileTime(&when, &time) != 0, "SystemTimeToFileTime");
  const HANDLE file = OpenFile(path, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
  const bool set = SetFileTime(file, nullptr, nullptr, &time) != 0;
  CloseHandle(file);
  Check(set, "SetFileTime " + path);
}

void RemoveFile(const std::string& path) {
  Check(DeleteFileW(Wide(path).c_str()) != 0, "DeleteFileW " + path);
}

// Held open with no sharing at all: every other open fails with a sharing
// violation.
UnmeasurableFile::UnmeasurableFile(const TempTree& tree, std::string_view relative)
    : path_(tree.File(relative, 1000)) {
  handle_ = OpenFile(path_, GENERIC_READ, 0, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
}

UnmeasurableFile::~UnmeasurableFile() { CloseHandle(static_cast<HANDLE>(handle_)); }

int UnmeasurableFile::Code() const { return ERROR_SHARING_VIOLATION; }

}  // namespace sqp::testing
