#include <windows.h>

#include <optional>

#include "encoding/win32/text_conversion.h"
#include "probes/file_probes.h"

namespace sqp {

namespace {

// The longest path the single-byte calls take, without its NUL.
constexpr std::size_t kMaxAnsiPath = MAX_PATH - 1;

// Code 3, "path not found", for a path that cannot reach the file system.
constexpr int kInvalidPathCode = ERROR_PATH_NOT_FOUND;

// The path as the A functions take it, or nothing when it cannot be spelled
// in the code page or is longer than they accept.
std::optional<std::string> AnsiPath(const std::string& path) {
  std::optional<std::string> ansi = Utf8ToAnsi(path);
  if (ansi && ansi->size() > kMaxAnsiPath) return std::nullopt;
  return ansi;
}

}  // namespace

bool FileIsPresent(const std::string& path) {
  const std::optional<std::string> ansi = AnsiPath(path);
  if (!ansi) return false;
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA(ansi->c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  // Only the first match counts, and a folder is no file. Its last-write time
  // does not matter: a file dated outside 1980 to 2107 is still there.
  return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool FileIsWriteable(const std::string& path) {
  const std::optional<std::string> ansi = AnsiPath(path);
  if (!ansi) return false;
  const DWORD attributes = GetFileAttributesA(ansi->c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) == 0;
}

std::uint32_t FileByteSize(const std::string& path) {
  const std::optional<std::string> ansi = AnsiPath(path);
  if (!ansi) throw EInOutError(kInvalidPathCode);
  // Reading only: write access is refused on every read-only file, and every
  // file on a real CD is one.
  const HANDLE file = CreateFileA(ansi->c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw EInOutError(static_cast<int>(GetLastError()));

  SetLastError(NO_ERROR);
  const DWORD size = GetFileSize(file, nullptr);
  // All bits set is a size of its own unless an error code comes with it.
  const DWORD failure = size == INVALID_FILE_SIZE ? GetLastError() : NO_ERROR;
  const bool closed = CloseHandle(file) != 0;
  if (failure != NO_ERROR) throw EInOutError(static_cast<int>(failure));
  if (!closed) throw EInOutError(1);
  return size;
}

}  // namespace sqp
