#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "support/temp_tree.h"

namespace sqp::testing {

namespace fs = std::filesystem;

namespace {

void Check(bool ok, const std::string& what) {
  if (!ok) throw std::system_error(errno, std::generic_category(), what);
}

void MakeParents(const std::string& path) { fs::create_directories(fs::path(path).parent_path()); }

// Removes a tree whose folders a test may have left without read, write or
// search permission: each folder gets its permissions back before it is read.
void RemoveTree(const std::string& path) {
  struct stat info;
  if (lstat(path.c_str(), &info) != 0) return;
  if (!S_ISDIR(info.st_mode)) {
    unlink(path.c_str());
    return;
  }
  chmod(path.c_str(), 0700);
  std::vector<std::string> entries;
  std::error_code ignored;
  for (const auto& entry : fs::directory_iterator(path, ignored)) entries.push_back(entry.path());
  for (const std::string& entry : entries) RemoveTree(entry);
  rmdir(path.c_str());
}

}  // namespace

void MakeSparseFile(const std::string& path, std::uint64_t size) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  Check(fd >= 0, "create " + path);
  const bool sized = ftruncate(fd, static_cast<off_t>(size)) == 0;
  close(fd);
  Check(sized, "ftruncate " + path);
}

void MakeSocketFile(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof(address.sun_path)) throw std::runtime_error("socket path too long");
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  Check(fd >= 0, "socket");
  const bool bound = bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
  close(fd);  // the socket file stays
  Check(bound, "bind " + path);
}

TempTree::TempTree() {
  std::string pattern = (fs::temp_directory_path() / "sqp-test-XXXXXX").string();
  Check(mkdtemp(pattern.data()) != nullptr, "mkdtemp");
  root_ = pattern;
}

TempTree::~TempTree() { RemoveTree(root_); }

std::string TempTree::Path(std::string_view relative) const {
  return root_ + "/" + std::string(relative);
}

std::string TempTree::Folder(std::string_view relative) const {
  const std::string path = Path(relative);
  fs::create_directories(path);
  return path;
}

std::string TempTree::File(std::string_view relative, std::uint64_t size) const {
  const std::string path = Path(relative);
  MakeParents(path);
  MakeSparseFile(path, size);
  return path;
}

std::string TempTree::Fifo(std::string_view relative) const {
  const std::string path = Path(relative);
  MakeParents(path);
  Check(mkfifo(path.c_str(), 0644) == 0, "mkfifo " + path);
  return path;
}

std::string TempTree::Socket(std::string_view relative) const {
  const std::string path = Path(relative);
  MakeParents(path);
  MakeSocketFile(path);
  return path;
}

std::string TempTree::Symlink(std::string_view relative, const std::string& target) const {
  const std::string path = Path(relative);
  MakeParents(path);
  Check(symlink(target.c_str(), path.c_str()) == 0, "symlink " + path);
  return path;
}

std::string Separator() { return "/"; }

void SetMode(const std::string& path, mode_t mode) {
  Check(chmod(path.c_str(), mode) == 0, "chmod " + path);
}

void SetReadOnly(const std::string& path, bool read_only) {
  struct stat info;
  Check(stat(path.c_str(), &info) == 0, "stat " + path);
  SetMode(path, read_only ? (info.st_mode & ~S_IWUSR & 07777) : ((info.st_mode | S_IWUSR) & 07777));
}

void SetModificationTime(const std::string& path, int year, int month, int day) {
  std::tm when{};
  when.tm_year = year - 1900;
  when.tm_mon = month - 1;
  when.tm_mday = day;
  const timespec times[2] = {{timegm(&when), 0}, {timegm(&when), 0}};
  Check(utimensat(AT_FDCWD, path.c_str(), times, 0) == 0, "utimensat " + path);
}

void RemoveFile(const std::string& path) { Check(unlink(path.c_str()) == 0, "unlink " + path); }

// A socket file cannot be opened: ENXIO, which has no row of its own.
UnmeasurableFile::UnmeasurableFile(const TempTree& tree, std::string_view relative)
    : path_(tree.Socket(relative)) {}

UnmeasurableFile::~UnmeasurableFile() = default;

int UnmeasurableFile::Code() const { return ENXIO; }

}  // namespace sqp::testing
