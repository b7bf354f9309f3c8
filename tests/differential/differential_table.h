#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sqp::differential {

enum class EntryKind { kFolder, kFile, kSymlink, kFifo, kSocket };

// 0755 for folders, 0644 for files.
inline constexpr int kDefaultMode = -1;

// One entry of the test tree, below its root, written with "/". Missing
// parent folders are made as plain folders.
struct TreeEntry {
  EntryKind kind;
  std::string path;
  std::uint64_t size = 0;  // files: exact size, made sparse
  int mode = kDefaultMode;
  std::string_view target = {};  // symlinks: the link's text
};

// The tree both back ends are asked about.
const std::vector<TreeEntry>& TreeEntries();

// Two files whose paths, below any root, pass the 259 characters the
// single-byte Windows calls take: one in three folders of 100 characters,
// one with a name of 255.
std::string DeepFilePath();
std::string LongestNamePath();

// The paths, relative to the tree's root and written with "/", whose three
// probe answers are compared: hand-picked ones, then each entry as made, in
// capitals and in small letters.
const std::vector<std::string>& Queries();

}  // namespace sqp::differential
