#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>
#include <string>
#include <string_view>

#include "probes/file_probes.h"
#include "probes/name_match.h"
#include "probes/posix/pass_cache.h"
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
  if (path.find('\0') != std::string::npos) return false;
  return wildcards == Wildcards::kLiteral || !HasWildcard(path);
}

// Finds the entry a probe's text names and its status: `found` is the entry
// as the file system spells it, kept in `text` or in `storage`. False when
// there is none.
bool StatFound(const std::string& text, Wildcards wildcards, struct stat& info,
               std::string& storage, std::string_view& found) {
  // Most texts are their own spelling: no copy for them.
  const std::string* spelling = &text;
  if (!IsOwnLookupSpelling(text)) {
    std::optional<std::string> spelt = LookupSpelling(text);
    if (!spelt) return false;
    storage = std::move(*spelt);
    spelling = &storage;
  }
  // One system call for the usual case: the name is spelt as on disk.
  if (IsPlainPath(*spelling, wildcards) && stat(spelling->c_str(), &info) == 0) {
    found = *spelling;
    return true;
  }
  PathLookup lookup = LookUpPath(*spelling, wildcards);
  if (lookup.result != LookupResult::kFound || stat(lookup.path.c_str(), &info) != 0) {
    return false;
  }
  storage = std::move(lookup.path);
  found = storage;
  return true;
}

// Whether the folder that holds `path` may be listed, once per folder and pass.
bool FolderMayBeListed(std::string_view path) {
  while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
  const std::size_t slash = path.rfind('/');
  const std::string_view folder = slash == std::string_view::npos ? std::string_view(".")
                                  : slash == 0                    ? std::string_view("/")
                                                                  : path.substr(0, slash);
  PassCache* cache = CurrentPassCache();
  if (cache != nullptr) {
    for (const auto& [known, listable] : cache->listable) {
      if (known == folder) return listable;
    }
  }
  const std::string folder_path(folder);
  const bool listable = access(folder_path.c_str(), R_OK) == 0;
  if (cache != nullptr) cache->listable.emplace_back(folder_path, listable);
  return listable;
}

// Read-only, and never blocking on a FIFO or a device.
int OpenForSize(const std::string& path) {
  return open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
}

int OpenFound(const std::string& text) {
  const bool own_spelling = IsOwnLookupSpelling(text);
  std::string storage;
  if (!own_spelling) {
    std::optional<std::string> spelling = LookupSpelling(text);
    if (!spelling) throw EInOutError(3);  // a drive without a prefix, or "~" without a home
    storage = std::move(*spelling);
  }
  const std::string& path = own_spelling ? text : storage;
  // The exact name first, as in StatFound; any failure takes the full lookup,
  // whose error codes then decide.
  if (IsPlainPath(path, Wildcards::kLiteral)) {
    const int fd = OpenForSize(path);
    if (fd >= 0) return fd;
  }
  const PathLookup lookup = LookUpPath(path, Wildcards::kLiteral);
  // A name on disk that holds characters Windows forbids is taken as it is;
  // any other text that holds them is an invalid name.
  if (lookup.result != LookupResult::kFound && HasCharacterWindowsForbids(path)) {
    throw EInOutError(123);
  }
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
  if (fd >= 0) return fd;
  // A file named as a folder ("Map0.mul/") is no valid name to Windows.
  if (errno == ENOTDIR && lookup.path.back() == '/') throw EInOutError(123);
  throw EInOutError(InOutCodeFromErrno(errno));
}

}  // namespace

bool FileIsPresent(const std::string& path) {
  struct stat info;
  std::string storage;
  std::string_view found;
  // FindFirstFile lists the folder: where that may not be read, it finds
  // nothing, not even a name spelt exactly.
  return StatFound(path, Wildcards::kExpand, info, storage, found) && !S_ISDIR(info.st_mode) &&
         FolderMayBeListed(found);
}

bool FileIsWriteable(const std::string& path) {
  // The owner's write bit is what Wine shows as the read-only attribute.
  // access() is no use here: it says yes to root for every file.
  struct stat info;
  std::string storage;
  std::string_view found;
  return StatFound(path, Wildcards::kLiteral, info, storage, found) &&
         (info.st_mode & S_IWUSR) != 0;
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
