#include "support/tree_watch.h"

#include <dirent.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <system_error>

namespace sqp::testing {

namespace {

constexpr std::uint32_t kWriteEvents = IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE | IN_CREATE |
                                       IN_DELETE | IN_DELETE_SELF | IN_MOVED_FROM | IN_MOVED_TO |
                                       IN_MOVE_SELF;

std::string EventNames(std::uint32_t mask) {
  static constexpr std::pair<std::uint32_t, const char*> kNames[] = {
      {IN_MODIFY, "IN_MODIFY"},           {IN_ATTRIB, "IN_ATTRIB"},
      {IN_CLOSE_WRITE, "IN_CLOSE_WRITE"}, {IN_CREATE, "IN_CREATE"},
      {IN_DELETE, "IN_DELETE"},           {IN_DELETE_SELF, "IN_DELETE_SELF"},
      {IN_MOVED_FROM, "IN_MOVED_FROM"},   {IN_MOVED_TO, "IN_MOVED_TO"},
      {IN_MOVE_SELF, "IN_MOVE_SELF"},     {IN_Q_OVERFLOW, "IN_Q_OVERFLOW"},
      {IN_IGNORED, "IN_IGNORED"}};
  std::string names;
  for (const auto& [bit, name] : kNames) {
    if ((mask & bit) == 0) continue;
    if (!names.empty()) names += '|';
    names += name;
  }
  return names.empty() ? "event " + std::to_string(mask) : names;
}

}  // namespace

TreeWatch::TreeWatch(const std::string& root) {
  fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (fd_ < 0) throw std::system_error(errno, std::generic_category(), "inotify_init1");
  WatchTree(root, "");
}

TreeWatch::~TreeWatch() { close(fd_); }

void TreeWatch::WatchTree(const std::string& path, const std::string& relative) {
  const int wd = inotify_add_watch(fd_, path.c_str(), kWriteEvents | IN_ONLYDIR | IN_DONT_FOLLOW);
  if (wd < 0 && errno == EACCES) return;  // the user may not read this folder at all
  if (wd < 0) {
    throw std::system_error(errno, std::generic_category(), "inotify_add_watch " + path);
  }
  folders_[wd] = relative;
  DIR* dir = opendir(path.c_str());
  if (dir == nullptr) return;
  std::vector<std::string> subfolders;
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    struct stat info;
    if (lstat((path + "/" + name).c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
      subfolders.push_back(name);
    }
  }
  closedir(dir);
  for (const std::string& name : subfolders) {
    WatchTree(path + "/" + name, relative.empty() ? name : relative + "/" + name);
  }
}

std::vector<std::string> TreeWatch::TakeEvents() {
  std::vector<std::string> events;
  alignas(inotify_event) char buffer[64 * 1024];
  for (;;) {
    const ssize_t length = read(fd_, buffer, sizeof(buffer));
    if (length <= 0) break;
    for (ssize_t pos = 0; pos < length;) {
      inotify_event event;
      std::memcpy(&event, buffer + pos, sizeof(event));
      const char* name = buffer + pos + sizeof(inotify_event);
      std::string where = folders_.count(event.wd) != 0 ? folders_[event.wd] : "?";
      if (event.len > 0) where += (where.empty() ? "" : "/") + std::string(name);
      events.push_back(EventNames(event.mask) + " " + where);
      pos += static_cast<ssize_t>(sizeof(inotify_event) + event.len);
    }
  }
  return events;
}

}  // namespace sqp::testing
