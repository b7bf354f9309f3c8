#pragma once

#include <cstdint>
#include <map>
#include <ostream>
#include <string>

namespace sqp::testing {

// What a write would change about one entry. Times are in nanoseconds; the
// access time is left out, since looking is allowed.
struct EntryState {
  std::uint32_t mode = 0;  // type and permission bits
  std::uint64_t size = 0;
  std::int64_t mtime_ns = 0;
  std::int64_t ctime_ns = 0;
  std::uint64_t inode = 0;
  // FNV-1a of a regular file's bytes or a symlink's target; empty where the
  // entry has no content or it cannot be read.
  std::string content_hash;
  bool operator==(const EntryState&) const = default;
};
void PrintTo(const EntryState& state, std::ostream* out);

// Every entry below a folder, by its path relative to that folder ("" is the
// folder itself). Symlinks are recorded, never followed.
using TreeSnapshot = std::map<std::string, EntryState>;

TreeSnapshot SnapshotTree(const std::string& root);

// One line per entry added, removed or changed; empty when the two agree.
std::string DescribeTreeChanges(const TreeSnapshot& before, const TreeSnapshot& after);

}  // namespace sqp::testing
