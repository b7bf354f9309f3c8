#include <sys/stat.h>

#include "probes/existing_folder.h"
#include "probes/folder_path.h"
#include "probes/name_match.h"
#include "probes/posix/path_lookup.h"
#include "probes/posix/posix_spelling.h"

namespace sqp {

namespace {

bool IsFolder(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

std::optional<std::string> ExistingFolder(std::string_view folder_text) {
  // Drive letters, "~" and ".." name the folders the probes look in.
  std::optional<std::string> spelled = LookupSpelling(NormalizeFolderPath(folder_text));
  if (!spelled) return std::nullopt;
  // File paths are the folder path and "/name": the empty one is the root.
  const std::string path = spelled->empty() ? std::string(1, '/') : std::move(*spelled);
  // A pattern in a folder's name finds nothing, as in the probes' paths.
  if (HasWildcard(path) || path.find('\0') != std::string::npos) return std::nullopt;
  // Spelt as on disk already: the lookup would end at the very same entry.
  if (IsFolder(path)) return path;
  const PathLookup lookup = LookUpPath(path, Wildcards::kLiteral);
  if (lookup.result != LookupResult::kFound || !IsFolder(lookup.path)) return std::nullopt;
  return lookup.path;
}

}  // namespace sqp
