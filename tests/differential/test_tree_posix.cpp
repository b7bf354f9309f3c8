#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "differential_table.h"
#include "test_tree.h"

namespace sqp::differential {

namespace {

void Check(bool ok, const std::string& what) {
  if (!ok) throw std::system_error(errno, std::generic_category(), what);
}

void MakeFile(const std::string& path, std::uint64_t size) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  Check(fd >= 0, "create " + path);
  const bool sized = ftruncate(fd, static_cast<off_t>(size)) == 0;
  close(fd);
  Check(sized, "ftruncate " + path);
}

// Bound by its path relative to the tree's root, the working folder, so that
// a long temporary folder does not overflow the address.
void MakeSocket(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  Check(path.size() < sizeof(address.sun_path), "socket path " + path);
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  Check(fd >= 0, "socket");
  const bool bound = bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
  close(fd);  // the socket file stays
  Check(bound, "bind " + path);
}

}  // namespace

void BuildTestTree(const std::string& root) {
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(root);
  const std::vector<TreeEntry>& entries = TreeEntries();
  for (const TreeEntry& entry : entries) {
    std::filesystem::create_directories(std::filesystem::path(entry.path).parent_path());
    const std::string& path = entry.path;
    switch (entry.kind) {
      case EntryKind::kFolder:
        std::filesystem::create_directories(path);
        break;
      case EntryKind::kFile:
        MakeFile(path, entry.size);
        break;
      case EntryKind::kSymlink:
        Check(symlink(std::string(entry.target).c_str(), path.c_str()) == 0, "symlink " + path);
        break;
      case EntryKind::kFifo:
        Check(mkfifo(path.c_str(), 0644) == 0, "mkfifo " + path);
        break;
      case EntryKind::kSocket:
        MakeSocket(path);
        break;
    }
  }
  // Modes last, since a closed folder takes nothing more; the table lists a
  // folder's own mode after what it holds.
  for (const TreeEntry& entry : entries) {
    if (entry.mode == kDefaultMode) continue;
    Check(chmod(entry.path.c_str(), static_cast<mode_t>(entry.mode)) == 0, "chmod " + entry.path);
  }
  std::filesystem::current_path(previous);
}

}  // namespace sqp::differential
