#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "probes/file_probes.h"
#include "probes/posix/path_lookup.h"
#include "probes/posix/posix_spelling.h"

namespace sqp {

namespace {

// errno onto the codes of the runtime's I/O error table.
int InOutCodeFromErrno(int error) {
  switch (error) {
    case ENOENT:
      return 2;
    case ENOTDIR:
      return 3;
    case EMFILE:
    case ENFILE:
      return 4;
    case EACCES:
    case EPERM:
    case EROFS:
      return 5;
    default:
      return error;
  }
}

// A path the kernel can be handed as it stands: the lookup tries every
// component by its exact name first, so when the kernel finds such a path
// whole, the lookup would end at the very same entry. An expanded pattern
// needs the lookup.
bool IsPlainPath(const std::string& path, Wildcards wildcards) {
  for (const char c : path) {
    if (c == '\0') return false;
    if (wildcards == Wildcards::kExpand && (c == '*' || c == '?')) return false;
  }
  return true;
}

bool StatFound(const std::string& text, Wildcards wildcards, struct stat& info) {
  const std::optional<std::string> spelling = LookupSpelling(text);
  if (!spelling) return false;
  const std::string& path = *spelling;
  // One system call for the usual case: the name is spelt as on disk.
  if (IsPlainPath(path, wildcards) && stat(path.c_str(), &info) == 0) return true;
  const PathLookup lookup = LookUpPath(path, wildcards);
  return lookup.result == LookupResult::kFound && stat(lookup.path.c_str(), &info) == 0;
}

// Read-only, and never blocking on a FIFO or a device.
int OpenForSize(const std::string& path) {
  return open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
}

int OpenFound(const std::string& text) {
  const std::optional<std::string> spelling = LookupSpelling(text);
  if (!spelling) throw EInOutError(3);  // a drive without a prefix, or "~" without a home
  const std::string& path = *spelling;
  // The exact name first, as in StatFound; any failure takes the full lookup,
  // whose error codes then decide.
  if (IsPlainPath(path, Wildcards::kLiteral)) {
    const int fd = OpenForSize(path);
    if (fd >= 0) return fd;
  }
  const PathLookup lookup = LookUpPath(path, Wildcards::kLiteral);
  switch (lookup.result) {
    case LookupResult::kFound:
      break;
    case LookupResult::kNameNotFound:
      throw EInOutError(2);
    case LookupResult::kPathNotFound:
    case LookupResult::kInvalidName:
      throw EInOutError(3);
    case LookupResult::kAccessDenied:
      throw EInOutError(5);
    case LookupResult::kNoNameLeft:
      throw EInOutError(123);  // ERROR_INVALID_NAME
  }
  const int fd = OpenForSize(lookup.path);
  if (fd < 0) throw EInOutError(InOutCodeFromErrno(errno));
  return fd;
}

}  // namespace

bool FileIsPresent(const std::string& path) {
  struct stat info;
  return StatFound(path, Wildcards::kExpand, info) && !S_ISDIR(info.st_mode);
}

bool FileIsWriteable(const std::string& path) {
  // The owner's write bit is what Wine shows as the read-only attribute.
  // access() is no use here: it says yes to root for every file.
  struct stat info;
  return StatFound(path, Wildcards::kLiteral, info) && (info.st_mode & S_IWUSR) != 0;
}

std::uint32_t FileByteSize(const std::string& path) {
  const int fd = OpenFound(path);
  struct stat info;
  int failure = 0;
  if (fstat(fd, &info) != 0) {
    failure = InOutCodeFromErrno(errno);
  } else if (S_ISDIR(info.st_mode)) {
    failure = 5;  // a folder cannot be opened as a file on Windows either
  }
  const bool closed = close(fd) == 0;
  if (failure != 0) throw EInOutError(failure);
  if (!closed) throw EInOutError(1);
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(info.st_size) & 0xFFFFFFFFu);
}

}  // namespace sqp
