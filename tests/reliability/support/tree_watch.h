#pragma once

#include <map>
#include <string>
#include <vector>

namespace sqp::testing {

// An inotify watch on every folder of a tree, for the events that only a
// write causes: content or attributes changed, a file closed after writing,
// an entry created, deleted or moved. Opening and reading are not watched.
class TreeWatch {
 public:
  explicit TreeWatch(const std::string& root);
  ~TreeWatch();
  TreeWatch(const TreeWatch&) = delete;
  TreeWatch& operator=(const TreeWatch&) = delete;

  // Folders under watch; a folder the user may not list is watched, but
  // what it holds is not walked.
  int WatchedFolders() const { return static_cast<int>(folders_.size()); }

  // The events queued so far, one line each ("IN_ATTRIB cd/Map0.mul").
  std::vector<std::string> TakeEvents();

 private:
  void WatchTree(const std::string& path, const std::string& relative);

  int fd_ = -1;
  std::map<int, std::string> folders_;  // watch descriptor -> relative path
};

}  // namespace sqp::testing
