#include "floor_calls.h"

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdint>
#include <cstring>

namespace sqp::bench {

namespace {

constexpr std::array<const char*, 3> kFileNames = {"StaIdx0.mul", "Statics0.mul", "Map0.mul"};
constexpr int kStaticsRow = 1;
constexpr int kOpenFlags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;

// Reads `folder` for an entry equal to `name` without regard to ASCII case.
bool ReadFolderFor(const std::string& folder, const char* name) {
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return false;
  bool found = false;
  while (const dirent* entry = readdir(dir)) {
    if (strcasecmp(entry->d_name, name) == 0) {
      found = true;
      break;
    }
  }
  closedir(dir);
  return found;
}

// A stat of every spelling of the last component of `path` in other letter
// cases; true when one exists.
bool StatOtherSpellings(const std::string& path, std::size_t name_length) {
  std::string candidate = path;
  const std::size_t start = candidate.size() - name_length;
  std::size_t letters[32];
  std::size_t count = 0;
  for (std::size_t i = start; i < candidate.size() && count < 32; ++i) {
    if (std::isalpha(static_cast<unsigned char>(candidate[i])) != 0) letters[count++] = i;
  }
  bool found = false;
  struct stat info;
  for (std::uint32_t mask = 1; mask < (1u << count); ++mask) {
    for (std::size_t bit = 0; bit < count; ++bit) {
      const char c = path[letters[bit]];
      candidate[letters[bit]] = (mask >> bit) & 1u ? static_cast<char>(c ^ 0x20) : c;
    }
    found = lstat(candidate.c_str(), &info) == 0 || found;
  }
  return found;
}

long long SizeOfOpenFile(int fd) {
  struct stat info;
  const long long size = fstat(fd, &info) == 0 ? static_cast<long long>(info.st_size) : -1;
  close(fd);
  return size;
}

}  // namespace

CheckFloor::CheckFloor(Kind kind, std::string folder) : kind_(kind), folder_(std::move(folder)) {
  for (std::size_t row = 0; row < kFileNames.size(); ++row) {
    exact_paths_[row] = folder_ + "/" + kFileNames[row];
    real_paths_[row] = exact_paths_[row];
  }
}

CheckFloor CheckFloor::Found(const std::string& folder) { return {Kind::kFound, folder}; }

CheckFloor CheckFloor::NotThere(const std::string& folder) { return {Kind::kNotThere, folder}; }

CheckFloor CheckFloor::NotThereBySpelling(const std::string& folder) {
  return {Kind::kNotThereBySpelling, folder};
}

CheckFloor CheckFloor::MissingFolder(const std::string& parent, const std::string& name) {
  CheckFloor floor(Kind::kMissingFolder, parent + "/" + name);
  floor.parent_ = parent;
  floor.folder_name_ = name;
  return floor;
}

CheckFloor CheckFloor::CaseDiffers(const std::string& folder,
                                   const std::array<const char*, 3>& names_on_disk) {
  CheckFloor floor(Kind::kCaseDiffers, folder);
  for (std::size_t row = 0; row < names_on_disk.size(); ++row) {
    floor.real_paths_[row] = folder + "/" + names_on_disk[row];
  }
  return floor;
}

CheckFloor CheckFloor::FolderCaseDiffers(const std::string& typed_folder,
                                         const std::string& real_folder) {
  CheckFloor floor(Kind::kFolderCaseDiffers, real_folder);
  floor.typed_folder_ = typed_folder;
  return floor;
}

CheckFloor CheckFloor::HalfTyped(const std::string& typed_folder) {
  CheckFloor floor(Kind::kHalfTyped, typed_folder);
  floor.typed_folder_ = typed_folder;
  return floor;
}

CheckFloor CheckFloor::FoundThroughLink(const std::string& folder, const std::string& link) {
  CheckFloor floor(Kind::kFoundThroughLink, folder);
  floor.link_ = link;
  return floor;
}

bool CheckFloor::ResolveFolder() const {
  switch (kind_) {
    case Kind::kFolderCaseDiffers:
    case Kind::kHalfTyped: {
      struct stat info;
      if (stat(typed_folder_.c_str(), &info) == 0) return true;
      const std::size_t slash = typed_folder_.rfind('/');
      const bool found =
          ReadFolderFor(typed_folder_.substr(0, slash), typed_folder_.c_str() + slash + 1);
      return found && kind_ != Kind::kHalfTyped;
    }
    case Kind::kFoundThroughLink: {
      char target[4096];
      return readlink(link_.c_str(), target, sizeof target) > 0;
    }
    default:
      return true;
  }
}

bool CheckFloor::Lookup(int row, bool* writeable) const {
  struct stat info;
  if (stat(exact_paths_[row].c_str(), &info) != 0) {
    switch (kind_) {
      case Kind::kFound:
      case Kind::kFolderCaseDiffers:
      case Kind::kHalfTyped:
      case Kind::kFoundThroughLink:
        return false;
      case Kind::kNotThere:
        ReadFolderFor(folder_, kFileNames[row]);
        return false;
      case Kind::kNotThereBySpelling:
        StatOtherSpellings(exact_paths_[row], std::strlen(kFileNames[row]));
        return false;
      case Kind::kMissingFolder:
        if (stat(folder_.c_str(), &info) == 0) return false;
        ReadFolderFor(parent_, folder_name_.c_str());
        return false;
      case Kind::kCaseDiffers:
        if (!ReadFolderFor(folder_, kFileNames[row])) return false;
        if (stat(real_paths_[row].c_str(), &info) != 0) return false;
        break;
    }
  }
  if (writeable != nullptr) *writeable = (info.st_mode & S_IWUSR) != 0;
  return !S_ISDIR(info.st_mode);
}

bool CheckFloor::Listable(bool* asked) const {
  if (*asked) return true;
  *asked = true;
  return access(folder_.c_str(), R_OK) == 0;
}

int CheckFloor::Client() const {
  if (!ResolveFolder()) return 0;
  int writeable_files = 0;
  bool listing_asked = false;
  for (int row = 0; row < static_cast<int>(kFileNames.size()); ++row) {
    // Presence and the attribute read each look the file up on their own.
    if (!Lookup(row, nullptr) || !Listable(&listing_asked)) continue;
    bool writeable = false;
    Lookup(row, &writeable);
    writeable_files += writeable ? 1 : 0;
  }
  return writeable_files;
}

long long CheckFloor::CD() const {
  if (!ResolveFolder()) return 0;
  int found = 0;
  bool listing_asked = false;
  for (int row = 0; row < static_cast<int>(kFileNames.size()); ++row) {
    found += Lookup(row, nullptr) && Listable(&listing_asked) ? 1 : 0;
  }
  if (found < 3) return found;
  int fd = open(exact_paths_[kStaticsRow].c_str(), kOpenFlags);
  if (fd < 0 && kind_ == Kind::kCaseDiffers) {
    ReadFolderFor(folder_, kFileNames[kStaticsRow]);
    fd = open(real_paths_[kStaticsRow].c_str(), kOpenFlags);
  }
  if (fd < 0) return found;
  return found + SizeOfOpenFile(fd);
}

}  // namespace sqp::bench
