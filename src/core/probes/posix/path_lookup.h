#pragma once

#include <string>

namespace sqp {

// Where a case-insensitive lookup of a path ended.
enum class LookupResult {
  kFound,         // `path` is the entry's name as the file system holds it
  kNameNotFound,  // the folder exists, the last component does not
  kPathNotFound,  // a folder component is missing, not a folder, or has a wildcard
  kInvalidName,   // the path cannot name anything (an embedded NUL byte)
  kAccessDenied,  // a folder that had to be read to decide may not be read
};

// Whether "*" and "?" in the last component are patterns, as FindFirstFile
// takes them, or plain characters of a name, as GetFileAttributes and
// CreateFile do.
enum class Wildcards { kExpand, kLiteral };

struct PathLookup {
  LookupResult result = LookupResult::kPathNotFound;
  std::string path;
};

// Finds `path` the way Windows would: every component is tried by its exact
// name first, then as the first directory entry that equals it without
// regard to ASCII case, then the same without its trailing dots and blanks. Expanded wildcards are
// honoured in the last component only, where the first matching entry in directory order is taken.
PathLookup LookUpPath(const std::string& path, Wildcards wildcards);

}  // namespace sqp
