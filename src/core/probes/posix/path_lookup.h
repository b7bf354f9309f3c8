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
  kNoNameLeft,    // what Windows drops of a name not found as typed leaves no name
};

// Whether "*" and "?" in the last component are patterns, as FindFirstFile
// takes them, or plain characters of a name, as GetFileAttributes and
// CreateFile do.
enum class Wildcards { kExpand, kLiteral };

struct PathLookup {
  LookupResult result = LookupResult::kPathNotFound;
  std::string path;
};

// Finds `path` the way Wine's FindFirstFile would: every component is tried
// by its exact name first, then as the entry equal to it without regard to
// ASCII case that a listing names first (ListsBefore), then the same
// without what Windows drops from its end (one dot on a folder, every dot
// and blank on the last name). A last name of dots and blanks alone is
// dropped once, leaving the folder before it ("UO/..." is "UO/"); a name
// before a last "/" is a folder's. Expanded wildcards are honoured in the
// last component only, where the first matching entry in name order is
// taken.
// "." and ".." are expected gone from the text already (CollapseDotSteps).
PathLookup LookUpPath(const std::string& path, Wildcards wildcards);

}  // namespace sqp
