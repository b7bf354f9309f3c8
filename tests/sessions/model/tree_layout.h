#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sqp::sessions {

enum class EntryKind { kFile, kFolder, kFifo, kSocket };

// One entry of a session's tree, by its path below the tree's root with "/"
// between the names ("uo/StaIdx0.mul"). Parents come before their children.
struct EntrySpec {
  std::string path;
  EntryKind kind = EntryKind::kFile;
  std::uint64_t size = 0;  // files only; made sparse
  bool read_only = false;  // the owner's write bit cleared
};

using TreeLayout = std::vector<EntrySpec>;

// Where `path` names an entry, the part before its last "/" ("" at the root).
std::string ParentOf(const std::string& path);
std::string NameOf(const std::string& path);

}  // namespace sqp::sessions
