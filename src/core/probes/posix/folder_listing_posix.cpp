#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

#include "probes/folder_listing.h"

namespace sqp {

namespace {

bool IsFolderEntry(int folder_fd, const dirent& entry) {
  if (entry.d_type == DT_DIR) return true;
  if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) return false;
  struct stat status {};
  return fstatat(folder_fd, entry.d_name, &status, 0) == 0 && S_ISDIR(status.st_mode);
}

}  // namespace

std::vector<ListedFolder> ListFolders(const std::string& folder) {
  std::vector<ListedFolder> folders;
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return folders;
  // closedir closes `fd` too.
  const std::unique_ptr<DIR, int (*)(DIR*)> listing(fdopendir(fd), &closedir);
  if (!listing) {
    close(fd);
    return folders;
  }
  while (const dirent* entry = readdir(listing.get())) {
    const std::string name = entry->d_name;
    if (name == "." || name == ".." || !IsFolderEntry(fd, *entry)) continue;
    folders.push_back({name, name.front() == '.'});
  }
  return folders;
}

}  // namespace sqp
