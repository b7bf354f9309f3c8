#include "support/tree_snapshot.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <vector>

namespace sqp::testing {

namespace {

class Fnv1a {
 public:
  void Add(const char* data, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
      hash_ ^= static_cast<unsigned char>(data[i]);
      hash_ *= 1099511628211u;
    }
  }
  std::string Hex() const {
    char text[17];
    std::snprintf(text, sizeof(text), "%016llx", static_cast<unsigned long long>(hash_));
    return text;
  }

 private:
  std::uint64_t hash_ = 14695981039346656037u;
};

// Hashes the data extents with their offsets and skips the holes, so a
// sparse file of gigabytes costs what it holds on disk.
std::string HashFile(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return {};
  Fnv1a hash;
  std::vector<char> buffer(1 << 16);
  bool read_all = true;
  off_t data;
  for (off_t offset = 0; read_all && (data = lseek(fd, offset, SEEK_DATA)) >= 0;) {
    const off_t hole = lseek(fd, data, SEEK_HOLE);
    hash.Add(reinterpret_cast<const char*>(&data), sizeof(data));
    for (offset = data; offset < hole;) {
      const auto wanted = static_cast<std::size_t>(std::min<off_t>(hole - offset, 1 << 16));
      const ssize_t count = pread(fd, buffer.data(), wanted, offset);
      if (count <= 0) {
        read_all = false;
        break;
      }
      hash.Add(buffer.data(), static_cast<std::size_t>(count));
      offset += count;
    }
  }
  close(fd);
  return read_all ? hash.Hex() : std::string();
}

std::string HashLinkTarget(const std::string& path) {
  std::vector<char> target(4096);
  const ssize_t length = readlink(path.c_str(), target.data(), target.size());
  if (length < 0) return {};
  Fnv1a hash;
  hash.Add(target.data(), static_cast<std::size_t>(length));
  return hash.Hex();
}

std::int64_t Nanoseconds(const timespec& time) {
  return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

void Walk(const std::string& root, const std::string& relative, TreeSnapshot& snapshot) {
  const std::string path = relative.empty() ? root : root + "/" + relative;
  struct stat info;
  if (lstat(path.c_str(), &info) != 0) return;
  EntryState& state = snapshot[relative];
  state.mode = info.st_mode;
  state.size = static_cast<std::uint64_t>(info.st_size);
  state.mtime_ns = Nanoseconds(info.st_mtim);
  state.ctime_ns = Nanoseconds(info.st_ctim);
  state.inode = info.st_ino;
  if (S_ISREG(info.st_mode)) state.content_hash = HashFile(path);
  if (S_ISLNK(info.st_mode)) state.content_hash = HashLinkTarget(path);
  if (!S_ISDIR(info.st_mode)) return;

  // A folder the user may not list is recorded as itself only.
  DIR* dir = opendir(path.c_str());
  if (dir == nullptr) return;
  std::vector<std::string> names;
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  closedir(dir);
  for (const std::string& name : names) {
    Walk(root, relative.empty() ? name : relative + "/" + name, snapshot);
  }
}

}  // namespace

void PrintTo(const EntryState& state, std::ostream* out) {
  *out << "mode " << std::oct << state.mode << std::dec << ", size " << state.size << ", mtime "
       << state.mtime_ns << ", ctime " << state.ctime_ns << ", inode " << state.inode
       << ", content " << (state.content_hash.empty() ? "-" : state.content_hash);
}

TreeSnapshot SnapshotTree(const std::string& root) {
  TreeSnapshot snapshot;
  Walk(root, "", snapshot);
  return snapshot;
}

std::string DescribeTreeChanges(const TreeSnapshot& before, const TreeSnapshot& after) {
  std::ostringstream changes;
  for (const auto& [path, state] : before) {
    const auto found = after.find(path);
    if (found == after.end()) {
      changes << "removed: \"" << path << "\"\n";
    } else if (!(found->second == state)) {
      changes << "changed: \"" << path << "\" from ";
      PrintTo(state, &changes);
      changes << " to ";
      PrintTo(found->second, &changes);
      changes << "\n";
    }
  }
  for (const auto& [path, state] : after) {
    if (before.find(path) == before.end()) changes << "added: \"" << path << "\"\n";
  }
  return changes.str();
}

}  // namespace sqp::testing
