#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "differential_table.h"
#include "support/temp_tree.h"
#include "test_tree.h"

namespace sqp::differential {

namespace {

void Check(bool ok, const std::string& what) {
  if (!ok) throw std::system_error(errno, std::generic_category(), what);
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
        testing::MakeSparseFile(path, entry.size);
        break;
      case EntryKind::kSymlink:
        Check(symlink(std::string(entry.target).c_str(), path.c_str()) == 0, "symlink " + path);
        break;
      case EntryKind::kFifo:
        Check(mkfifo(path.c_str(), 0644) == 0, "mkfifo " + path);
        break;
      case EntryKind::kSocket:
        // Bound by its path relative to the tree's root, the working folder,
        // so that a long temporary folder does not overflow the address.
        testing::MakeSocketFile(path);
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
