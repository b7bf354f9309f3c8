#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "probes/file_probes.h"
#include "probes/platform_path.h"
#include "probes/posix/path_lookup.h"

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

bool StatFound(const std::string& path, struct stat& info) {
  const PathLookup lookup = LookUpPath(path);
  return lookup.result == LookupResult::kFound && stat(lookup.path.c_str(), &info) == 0;
}

}  // namespace

bool IsCodePageLeadByte(unsigned char /*byte*/) { return false; }

bool FileIsPresent(const std::string& path) {
  struct stat info;
  return StatFound(path, info) && !S_ISDIR(info.st_mode);
}

bool FileIsWriteable(const std::string& path) {
  // The owner's write bit is what Wine shows as the read-only attribute.
  // access() is no use here: it says yes to root for every file.
  struct stat info;
  return StatFound(path, info) && (info.st_mode & S_IWUSR) != 0;
}

std::uint32_t FileByteSize(const std::string& path) {
  const PathLookup lookup = LookUpPath(path);
  switch (lookup.result) {
    case LookupResult::kFound:
      break;
    case LookupResult::kNameNotFound:
      throw EInOutError(2);
    case LookupResult::kPathNotFound:
    case LookupResult::kInvalidName:
      throw EInOutError(3);
  }
  // Read-only, and never blocking on a FIFO or a device.
  const int fd = open(lookup.path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) throw EInOutError(InOutCodeFromErrno(errno));

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
