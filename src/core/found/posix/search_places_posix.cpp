#include "found/posix/search_places_posix.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <memory>
#include <optional>

#include "probes/name_match.h"

namespace sqp {

namespace {

// Network file systems: listing them may wait on another machine.
constexpr long kNfs = 0x6969;
constexpr long kSmb = 0x517B;
constexpr long kCifs = static_cast<long>(0xFF534D42);
constexpr long kSmb2 = static_cast<long>(0xFE534D42);
// FUSE: sshfs, rclone and the like. A local NTFS disk is FUSE too
// ("fuseblk"), but on a block device, where the others have none.
constexpr long kFuse = 0x65735546;

bool OnNetwork(const struct statfs& system, const struct stat& status) {
  const long type = static_cast<long>(system.f_type);
  if (type == kFuse) return major(status.st_dev) == 0;
  return type == kNfs || type == kSmb || type == kCifs || type == kSmb2;
}

std::optional<std::string> RealPath(const std::string& path) {
  const std::unique_ptr<char, void (*)(void*)> real(realpath(path.c_str(), nullptr), &std::free);
  if (!real) return std::nullopt;
  return std::string(real.get());
}

bool IsFolder(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// Whether `path` is `folder` or lies inside it (both real paths).
bool Inside(const std::string& path, const std::string& folder) {
  if (folder == "/") return true;
  return path.compare(0, folder.size(), folder) == 0 &&
         (path.size() == folder.size() || path[folder.size()] == '/');
}

// The names in `folder` that are folders, in the order Wine would list them.
std::vector<std::string> SubfolderNames(const PosixSearchPlaces& places,
                                        const std::string& folder) {
  std::vector<std::string> names;
  for (const PlaceEntry& entry : places.List(folder).entries) {
    if (entry.folder) names.push_back(entry.name);
  }
  std::sort(names.begin(), names.end(), ListsBefore);
  return names;
}

}  // namespace

std::vector<std::string> MediaFolders(const std::string& user) {
  return {"/media", "/media/" + user, "/run/media/" + user, "/mnt"};
}

PosixSearchPlaces::PosixSearchPlaces(PathEnvironment environment, std::vector<std::string> media)
    : environment_(std::move(environment)), media_(std::move(media)) {}

std::vector<SearchPlace> PosixSearchPlaces::Places() const {
  std::vector<SearchPlace> places;
  const std::optional<std::string> default_prefix = WinePrefix(environment_);
  std::vector<std::string> prefixes;
  if (default_prefix) prefixes.push_back(*default_prefix);
  const std::string& home = environment_.home;
  if (!home.empty()) {
    prefixes.push_back(Join(home, ".wine"));
    // Folders that hold one prefix each, or (Steam) one in each "pfx".
    for (const auto& [holder, inside] : std::initializer_list<std::pair<const char*, const char*>>{
             {".local/share/wineprefixes", ""},
             {"Games", ""},
             {".local/share/bottles/bottles", ""},
             {".var/app/com.usebottles.bottles/data/bottles/bottles", ""},
             {".steam/steam/steamapps/compatdata", "pfx"},
             {".local/share/Steam/steamapps/compatdata", "pfx"},
             {".PlayOnLinux/wineprefix", ""}}) {
      const std::string folder = Join(home, holder);
      for (const std::string& name : SubfolderNames(*this, folder)) {
        const std::string prefix = Join(folder, name);
        prefixes.push_back(*inside ? Join(prefix, inside) : prefix);
      }
    }
  }
  std::vector<std::string> seen;
  for (const std::string& prefix : prefixes) {
    const std::optional<std::string> real = RealPath(prefix);
    if (!real || std::find(seen.begin(), seen.end(), *real) != seen.end()) continue;
    seen.push_back(*real);
    const bool is_default = default_prefix && RealPath(*default_prefix) == real;
    AddPrefix(prefix, is_default, places);
  }
  for (const std::string& folder : media_) places.push_back({folder, folder, '/'});
  return places;
}

void PosixSearchPlaces::AddPrefix(const std::string& prefix, bool is_default,
                                  std::vector<SearchPlace>& places) const {
  const std::string drive_c = Join(prefix, "drive_c");
  const std::string dosdevices = Join(prefix, "dosdevices");
  if (!IsFolder(drive_c)) return;
  const std::optional<std::string> real_prefix = RealPath(prefix);
  // Gone since it was listed.
  if (!real_prefix) return;
  const std::optional<std::string> real_drive_c = RealPath(drive_c);
  const std::optional<std::string> real_home = RealPath(environment_.home);
  // Drive C: in the drive spelling the window's label suggests, when it is
  // the default prefix's; every other drive C: as its Linux path.
  std::string c_spelling = drive_c;
  std::vector<SearchPlace> drives;
  for (const PlaceEntry& entry : List(dosdevices).entries) {
    const std::string& name = entry.name;
    if (!entry.link || name.size() != 2 || name[1] != ':' || !std::isalpha(name[0] & 0xFF))
      continue;
    const std::optional<std::string> target = RealPath(Join(dosdevices, name));
    if (!target || !entry.folder) continue;
    const std::string letter = {static_cast<char>(std::toupper(name[0] & 0xFF)), ':', '\\'};
    if (target == real_drive_c) {
      if (is_default && c_spelling == drive_c) c_spelling = letter;
      continue;
    }
    // A drive that stays inside the prefix is walked as part of drive C:.
    // One for the whole file system or the home (Wine's Z:) is no disc.
    if (Inside(*target, *real_prefix) || (real_home && Inside(*real_home, *target))) continue;
    drives.push_back(is_default ? SearchPlace{*target, letter, '\\'}
                                : SearchPlace{*target, *target, '/'});
  }
  places.push_back({drive_c, c_spelling, c_spelling == drive_c ? '/' : '\\'});
  std::sort(drives.begin(), drives.end(),
            [](const SearchPlace& a, const SearchPlace& b) { return a.spelling < b.spelling; });
  places.insert(places.end(), drives.begin(), drives.end());
}

PlaceListing PosixSearchPlaces::List(const std::string& folder) const {
  PlaceListing listing;
  listing.skipped = true;
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return listing;
  // closedir closes `fd` too.
  const std::unique_ptr<DIR, int (*)(DIR*)> entries(fdopendir(fd), &closedir);
  struct stat status {};
  struct statfs system {};
  if (!entries) {
    close(fd);
    return listing;
  }
  if (fstat(fd, &status) != 0 || fstatfs(fd, &system) != 0 || OnNetwork(system, status))
    return listing;
  listing.skipped = false;
  listing.identity = std::to_string(status.st_dev) + ':' + std::to_string(status.st_ino);
  while (const dirent* entry = readdir(entries.get())) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    PlaceEntry place_entry{name, entry->d_type == DT_DIR, entry->d_type == DT_LNK};
    if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
      struct stat target {};
      place_entry.folder = fstatat(fd, entry->d_name, &target, 0) == 0 && S_ISDIR(target.st_mode);
      if (entry->d_type == DT_UNKNOWN &&
          fstatat(fd, entry->d_name, &target, AT_SYMLINK_NOFOLLOW) == 0)
        place_entry.link = S_ISLNK(target.st_mode);
    }
    listing.entries.push_back(std::move(place_entry));
  }
  return listing;
}

std::string PosixSearchPlaces::Join(const std::string& folder, const std::string& name) const {
  if (!folder.empty() && folder.back() == '/') return folder + name;
  return folder + '/' + name;
}

std::shared_ptr<const SearchPlaces> MachineSearchPlaces() {
  std::string user;
  if (const char* name = std::getenv("USER"); name != nullptr && *name != '\0') {
    user = name;
  } else if (const passwd* entry = getpwuid(getuid()); entry != nullptr) {
    user = entry->pw_name;
  }
  return std::make_shared<PosixSearchPlaces>(PathEnvironmentOfProcess(), MediaFolders(user));
}

}  // namespace sqp
