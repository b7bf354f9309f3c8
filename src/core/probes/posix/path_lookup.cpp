#include "probes/posix/path_lookup.h"

#include <dirent.h>
#include <sys/stat.h>

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "probes/name_match.h"

namespace sqp {

namespace {

std::vector<std::string_view> SplitComponents(std::string_view path) {
  std::vector<std::string_view> components;
  std::size_t pos = 0;
  while (pos < path.size()) {
    const std::size_t end = std::min(path.find('/', pos), path.size());
    if (end > pos) components.push_back(path.substr(pos, end - pos));
    pos = end + 1;
  }
  return components;
}

std::string Join(const std::string& folder, std::string_view name) {
  if (folder.empty()) return std::string(name);
  std::string joined = folder;
  if (joined.back() != '/') joined += '/';
  joined += name;
  return joined;
}

struct DirCloser {
  void operator()(DIR* dir) const { closedir(dir); }
};

// The first entry of `folder`, in directory order, whose name satisfies
// `accept`; "." and ".." are offered first, as Windows lists them first.
std::string FindEntry(const std::string& folder,
                      const std::function<bool(std::string_view)>& accept) {
  for (std::string_view dot : {".", ".."}) {
    if (accept(dot)) return Join(folder, dot);
  }
  std::unique_ptr<DIR, DirCloser> dir(opendir(folder.empty() ? "." : folder.c_str()));
  if (!dir) return {};
  while (const dirent* entry = readdir(dir.get())) {
    const std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    if (accept(name)) return Join(folder, name);
  }
  return {};
}

bool IsFolder(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool Exists(const std::string& path) {
  struct stat info;
  return lstat(path.c_str(), &info) == 0;
}

}  // namespace

PathLookup LookUpPath(const std::string& path) {
  if (path.find('\0') != std::string::npos) return {LookupResult::kInvalidName, {}};
  const std::vector<std::string_view> components = SplitComponents(path);
  std::string resolved = (!path.empty() && path.front() == '/') ? "/" : "";
  if (components.empty()) {
    if (resolved.empty()) return {LookupResult::kPathNotFound, {}};
    return {LookupResult::kFound, resolved};
  }

  std::string exact_folder = resolved;
  for (std::size_t i = 0; i + 1 < components.size(); ++i) {
    if (HasWildcard(components[i])) return {LookupResult::kPathNotFound, {}};
    exact_folder = Join(exact_folder, components[i]);
  }
  // Every folder component is tried by its exact name first; when the kernel
  // takes the exact folder path whole, the walk would end there too.
  const bool exact_is_folder = components.size() > 1 && IsFolder(exact_folder);
  if (exact_is_folder) resolved = std::move(exact_folder);

  for (std::size_t i = 0; !exact_is_folder && i + 1 < components.size(); ++i) {
    const std::string_view component = components[i];
    std::string next = Join(resolved, component);
    if (!IsFolder(next)) {
      next = FindEntry(resolved, [&](std::string_view name) {
        return EqualsIgnoringAsciiCase(name, component) && IsFolder(Join(resolved, name));
      });
      if (next.empty()) return {LookupResult::kPathNotFound, {}};
    }
    resolved = std::move(next);
  }

  const std::string_view last = components.back();
  std::string found;
  if (HasWildcard(last)) {
    found = FindEntry(resolved, [&](std::string_view name) { return MatchesWildcard(last, name); });
  } else {
    found = Join(resolved, last);
    if (!Exists(found)) {
      found = FindEntry(resolved,
                        [&](std::string_view name) { return EqualsIgnoringAsciiCase(name, last); });
    }
  }
  if (found.empty()) return {LookupResult::kNameNotFound, {}};
  // A trailing "/" asks for a folder; keep it so that the kernel says so.
  if (path.back() == '/') found += '/';
  return {LookupResult::kFound, found};
}

}  // namespace sqp
