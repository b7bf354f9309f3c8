#include "probes/posix/path_lookup.h"

#include <dirent.h>
#include <errno.h>
#include <limits.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "probes/name_match.h"
#include "probes/posix/pass_cache.h"

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

// The entry of `folder` that Wine would list first among those whose name
// satisfies `accept`: "." and ".." come first, then name order
// (ListsBefore), whatever order the file system keeps. `denied` is set when
// the folder may not be read.
std::string FindEntry(const std::string& folder,
                      const std::function<bool(std::string_view)>& accept, bool* denied = nullptr) {
  for (std::string_view dot : {".", ".."}) {
    if (accept(dot)) return Join(folder, dot);
  }
  std::unique_ptr<DIR, DirCloser> dir(opendir(folder.empty() ? "." : folder.c_str()));
  if (!dir) {
    if (denied != nullptr && (errno == EACCES || errno == EPERM)) *denied = true;
    return {};
  }
  std::string first;
  bool found = false;
  while (const dirent* entry = readdir(dir.get())) {
    const std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    if ((!found || ListsBefore(name, first)) && accept(name)) {
      first = name;
      found = true;
    }
  }
  return found ? Join(folder, first) : std::string();
}

bool IsFolder(const std::string& path, off_t* size = nullptr) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
  if (size != nullptr) *size = info.st_size;
  return true;
}

bool Exists(const std::string& path) {
  struct stat info;
  return lstat(path.c_str(), &info) == 0;
}

// The spellings of a name in other letter cases that exist in a folder, or
// nothing when only reading the folder can tell.
using CaseVariants = std::optional<std::vector<std::string>>;

// In a large folder, asking the kernel for each spelling of `name` in other
// letter cases costs less than reading every entry. A name whose letters
// make too many spellings for the folder's size is left to the listing, and
// so is any answer other than "no such entry". On a file system that holds
// exactly the names it lists, the spellings found are the entries a listing
// would match.
CaseVariants FindCaseVariants(const std::string& folder, off_t folder_size, std::string_view name) {
  // A folder of this size in bytes holds thousands of entries on ext4,
  // tmpfs or btrfs; below it, reading the folder is cheap.
  constexpr off_t kLargeFolderBytes = 64 * 1024;
  // Roughly the folder bytes that one stat call of a spelling saves reading.
  // It is the price of a system call against that of an entry read, and it
  // moves with the machine: from about 50 on a quiet virtual machine to 400
  // on the same one loaded (ext4, 10,000 and 100,000 entries). Too many
  // spellings is the dearer mistake, since a system call is what gets dear:
  // 32,767 of them cost 3.5 reads of a 100,000-entry folder.
  constexpr off_t kFolderBytesPerSpelling = 256;
  constexpr int kMaxLetters = 16;
  std::vector<std::size_t> letters;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const char c = name[i];
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) letters.push_back(i);
  }
  // Without letters only the exact name matches ("." and ".." among them).
  if (letters.empty() || letters.size() > kMaxLetters) return std::nullopt;
  const std::uint32_t spellings = 1u << letters.size();
  if (folder_size < kLargeFolderBytes ||
      folder_size / kFolderBytesPerSpelling < static_cast<off_t>(spellings)) {
    return std::nullopt;
  }
  std::string candidate = Join(folder, name);
  const std::size_t name_start = candidate.size() - name.size();
  std::vector<std::string> variants;
  for (std::uint32_t mask = 1; mask < spellings; ++mask) {  // mask 0 is the exact name
    for (std::size_t bit = 0; bit < letters.size(); ++bit) {
      const char c = name[letters[bit]];
      candidate[name_start + letters[bit]] = (mask >> bit) & 1u ? static_cast<char>(c ^ 0x20) : c;
    }
    struct stat info;
    if (lstat(candidate.c_str(), &info) == 0) {
      variants.push_back(candidate);
    } else if (errno != ENOENT) {
      return std::nullopt;
    }
  }
  return variants;
}

// The variant that a listing of its folder names first.
std::string FirstListed(const std::vector<std::string>& paths, std::size_t name_start) {
  const std::string* first = nullptr;
  for (const std::string& path : paths) {
    const std::string_view name = std::string_view(path).substr(name_start);
    if (first == nullptr || ListsBefore(name, std::string_view(*first).substr(name_start))) {
      first = &path;
    }
  }
  return first == nullptr ? std::string() : *first;
}

// What Windows makes of a name that is not found as typed. A folder on the
// way loses one trailing dot ("UO./Map0.mul" finds "UO", "UO../Map0.mul"
// and "UO /Map0.mul" find nothing); the last name loses all its trailing
// dots and blanks ("Map0.mul. ." is "Map0.mul").
// "." and ".." are left alone. A folder on the way that becomes one of them
// is no name at all ("UO/.../Map0.mul"); a last name that becomes nothing
// is dropped with its dots, once ("UO/..." is "UO/", "UO/.../..." is
// "UO/.../", which names nothing).
std::string_view WithoutTrailingDot(std::string_view name) {
  if (name == "." || name == ".." || name.empty() || name.back() != '.') return name;
  name.remove_suffix(1);
  return name;
}

std::string_view WithoutTrailingDotsAndBlanks(std::string_view name) {
  if (name == "." || name == "..") return name;
  while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.remove_suffix(1);
  return name;
}

// The folder `name` in `parent`: its exact name first (unless known not to
// be a folder), then, among the entries equal to it without regard to ASCII
// case that are folders, the first in name order. Empty when there is none.
std::string FindFolderIn(const std::string& parent, std::string_view name, bool exact_is_no_folder,
                         bool* denied) {
  if (name.empty()) return {};
  const std::string exact = Join(parent, name);
  if (!exact_is_no_folder && IsFolder(exact)) return exact;
  const bool no_such_entry = exact_is_no_folder || errno == ENOENT;
  off_t parent_size = 0;
  CaseVariants variants;
  if (no_such_entry && IsFolder(parent.empty() ? "." : parent, &parent_size)) {
    variants = FindCaseVariants(parent, parent_size, name);
  }
  if (variants) {
    std::erase_if(*variants, [](const std::string& path) { return !IsFolder(path); });
    return FirstListed(*variants, exact.size() - name.size());
  }
  return FindEntry(
      parent,
      [&](std::string_view entry) {
        return EqualsIgnoringAsciiCase(entry, name) && IsFolder(Join(parent, entry));
      },
      denied);
}

// The entry `name` in `folder`: its exact name first, then the first in
// name order of the entries equal to it without regard to ASCII case.
// Empty when there is none.
std::string FindNameIn(const FolderLookup& folder, std::string_view name, bool* denied) {
  if (name.empty()) return {};
  const std::string exact = Join(folder.path, name);
  if (Exists(exact)) return exact;
  const CaseVariants variants =
      errno == ENOENT ? FindCaseVariants(folder.path, folder.size, name) : std::nullopt;
  if (variants) return FirstListed(*variants, exact.size() - name.size());
  return FindEntry(
      folder.path, [&](std::string_view entry) { return EqualsIgnoringAsciiCase(entry, name); },
      denied);
}

// The folder that the components before the last one name, each tried by
// its exact name first, then as the first folder entry in name order equal
// to it without regard to ASCII case, then without one trailing dot.
FolderLookup ResolveFolder(bool absolute, const std::vector<std::string_view>& components) {
  FolderLookup lookup;
  std::string resolved = absolute ? "/" : "";
  // The folder components spelt exactly, as one text whose first `count`
  // components end at exact_ends[count - 1]. Only prefixes shorter than
  // PATH_MAX count: the kernel takes no longer one.
  const std::size_t folders = components.size() - 1;
  std::string exact = resolved;
  std::vector<std::size_t> exact_ends;
  for (std::size_t i = 0; i < folders; ++i) {
    if (HasWildcard(components[i])) return lookup;
    if (exact_ends.size() < i) continue;
    const bool slash = !exact.empty() && exact.back() != '/';
    if (exact.size() + slash + components[i].size() >= PATH_MAX) continue;
    if (slash) exact += '/';
    exact += components[i];
    exact_ends.push_back(exact.size());
  }
  const auto exact_prefix = [&](std::size_t count) {
    return exact.substr(0, exact_ends[count - 1]);
  };
  // The walk below tries every component by its exact name first. Where the
  // kernel takes an exact prefix whole, each shorter prefix is a folder too,
  // so the walk would reach it unchanged: it starts after the deepest one.
  if (folders == 0) {
    lookup.spelt_exactly = IsFolder(resolved.empty() ? "." : resolved, &lookup.size);
    lookup.found = lookup.spelt_exactly;
    lookup.path = std::move(resolved);
    return lookup;
  }
  if (exact_ends.size() == folders && IsFolder(exact, &lookup.size)) {
    lookup.found = lookup.spelt_exactly = true;
    lookup.path = std::move(exact);
    return lookup;
  }
  // Found by halving, since a prefix is a folder only where every shorter
  // one is: a few calls, however many names the text holds.
  std::size_t start = 0;
  std::size_t high = std::min(folders - 1, exact_ends.size());
  while (start < high) {
    const std::size_t middle = start + (high - start + 1) / 2;
    if (IsFolder(exact_prefix(middle))) {
      start = middle;
    } else {
      high = middle - 1;
    }
  }
  if (start > 0) resolved = exact_prefix(start);

  for (std::size_t i = start; i < folders; ++i) {
    // The exact prefix of start + 1 components is known not to be a folder.
    std::string next = FindFolderIn(resolved, components[i], i == start, &lookup.denied);
    const std::string_view stripped = WithoutTrailingDot(components[i]);
    if (next.empty() && stripped.size() != components[i].size()) {
      if (stripped == "." || stripped == "..") {
        lookup.no_name_left = true;
        return lookup;
      }
      next = FindFolderIn(resolved, stripped, false, &lookup.denied);
    }
    if (next.empty()) return lookup;
    resolved = std::move(next);
  }
  lookup.found = IsFolder(resolved, &lookup.size);
  lookup.path = std::move(resolved);
  return lookup;
}

// ResolveFolder, once per folder text within a pass.
const FolderLookup& ResolveFolderOnce(std::string_view folder_text, bool absolute,
                                      const std::vector<std::string_view>& components,
                                      FolderLookup& storage) {
  PassCache* cache = CurrentPassCache();
  if (cache == nullptr) return storage = ResolveFolder(absolute, components);
  const std::string key(folder_text);
  const auto known = cache->folders.find(key);
  if (known != cache->folders.end()) return known->second;
  return cache->folders.emplace(key, ResolveFolder(absolute, components)).first->second;
}

PathLookup LookUpPathNow(const std::string& path, Wildcards wildcards) {
  if (path.find('\0') != std::string::npos) return {LookupResult::kInvalidName, {}};
  std::vector<std::string_view> components = SplitComponents(path);
  const bool absolute = !path.empty() && path.front() == '/';
  // A name followed by "/" is a folder, and keeps its dots and blanks as one.
  bool names_folder = !path.empty() && path.back() == '/';
  // A last name of nothing but dots and blanks, not on disk as typed, is
  // dropped whole, once: "UO/..." is "UO/", and in "UO/.../..." the "..."
  // then left is a folder's name that loses one dot and names nothing.
  if (!names_folder && !components.empty() &&
      WithoutTrailingDotsAndBlanks(components.back()).empty() && !Exists(path)) {
    components.pop_back();
    names_folder = true;
  }
  if (components.empty()) {
    if (!absolute && !names_folder) return {LookupResult::kPathNotFound, {}};
    return {LookupResult::kFound, absolute ? "/" : "./"};
  }
  const std::string_view last = components.back();
  const std::string_view folder_text(path.data(),
                                     static_cast<std::size_t>(last.data() - path.data()));
  FolderLookup storage;
  const FolderLookup& folder = ResolveFolderOnce(folder_text, absolute, components, storage);
  if (!folder.found) {
    if (folder.no_name_left) return {LookupResult::kNoNameLeft, {}};
    return {folder.denied ? LookupResult::kAccessDenied : LookupResult::kPathNotFound, {}};
  }

  bool denied = false;
  std::string found;
  if (wildcards == Wildcards::kExpand && HasWildcard(last)) {
    found = FindEntry(
        folder.path, [&](std::string_view name) { return MatchesWildcard(last, name); }, &denied);
  } else {
    found = FindNameIn(folder, last, &denied);
    const std::string_view stripped =
        names_folder ? WithoutTrailingDot(last) : WithoutTrailingDotsAndBlanks(last);
    if (found.empty() && stripped.size() != last.size()) {
      if (stripped == "." || stripped == "..") return {LookupResult::kNoNameLeft, {}};
      found = FindNameIn(folder, stripped, &denied);
    }
  }
  if (found.empty() && denied) return {LookupResult::kAccessDenied, {}};
  if (found.empty()) return {LookupResult::kNameNotFound, {}};
  // A folder is asked for; keep the "/" so that the kernel says so.
  if (names_folder) found += '/';
  return {LookupResult::kFound, found};
}

}  // namespace

PathLookup LookUpPath(const std::string& path, Wildcards wildcards) {
  PassCache* cache = CurrentPassCache();
  if (cache == nullptr) return LookUpPathNow(path, wildcards);
  std::string key = path;
  key += wildcards == Wildcards::kExpand ? '*' : '=';
  const auto known = cache->paths.find(key);
  if (known != cache->paths.end()) return known->second;
  return cache->paths.emplace(std::move(key), LookUpPathNow(path, wildcards)).first->second;
}

}  // namespace sqp
