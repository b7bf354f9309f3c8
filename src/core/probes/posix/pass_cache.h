#pragma once

#include <sys/types.h>

#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "probes/posix/path_lookup.h"

namespace sqp {

// A folder text resolved to the folder it names.
struct FolderLookup {
  bool found = false;
  std::string path;  // the folder as the file system spells it
  off_t size = 0;    // the folder's own size in bytes
  bool spelt_exactly = false;
  bool denied = false;        // a folder on the way could not be read
  bool no_name_left = false;  // a folder on the way named only by dots
};

// What the probes of the current pass learnt: folder texts resolved, whole
// lookups (keyed by the path and how its wildcards were taken), and which
// folders may be listed.
struct PassCache {
  std::unordered_map<std::string, FolderLookup> folders;
  std::unordered_map<std::string, PathLookup> paths;
  // Few folders a pass: a list is searched without a copy of the key.
  std::vector<std::pair<std::string, bool>> listable;
};

// The cache of the pass open on this thread, or nothing outside a pass.
PassCache* CurrentPassCache();

}  // namespace sqp
